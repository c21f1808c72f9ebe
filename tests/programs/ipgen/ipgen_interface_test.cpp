// The interface record of each core against the folder it describes: for a
// configuration of each core (and the optional ports of each), the folder's
// component.xml must validate against the IP-XACT 1685-2014 schema, and the
// ports it and the README's tables give (names, directions, widths) must be
// the ports Yosys reads from the folder's Verilog for the stream top and the
// native top. A record that drifts from the Verilog fails here.
#include "hdl_tools.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace ipgen::test {
namespace {

using Args = std::vector<std::string>;

struct Row {
    const char* name;
    Args args;                // core and options, without --out
    bool stream_only = false; // the folder has no native top
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

const std::vector<Row> rows = {
    {"encoder_m5", {"rs-encoder", "--symbol-width", "5", "--n", "31", "--k", "25"}},
    {"encoder_prefixed",
     {"rs-encoder", "--symbol-width", "8", "--n", "255", "--k", "239", "--prefix", "enc_"}},
    {"decoder_plain", {"rs-decoder", "--symbol-width", "4", "--n", "15", "--k", "11"}},
    {"decoder_every_port",
     {"rs-decoder", "--symbol-width", "8", "--n", "204", "--k", "188", "--erasures", "4", "--sync",
      "symbol-enable", "--clock-enable", "--sync-reset", "--data-delayed", "--error-count",
      "--erasure-count", "--fail-pin"}},
    {"viterbi_default", {"viterbi"}},
    {"viterbi_punctured_ber",
     {"viterbi", "--constraint-length", "5", "--polynomials", "23,35", "--puncture-patterns",
      "11,10", "--puncture-block-size", "2", "--ber-period", "6"}},
    {"fir_default", {"fir"}},
    {"fir_loadable_serial_complex",
     {"fir", "--data-type", "complex", "--complex-input", "serial", "--loadable", "--taps", "8",
      "--output-width", "12"}},
    {"fir_parallel_complex", {"fir", "--data-type", "complex", "--taps", "5"}},
    {"fir_channels_loadable_sets",
     {"fir", "--channels", "3", "--coeff-sets", "4", "--loadable", "--taps", "4"}},
    // The stream-only tops: P symbols per beat (tkeep), a length per word
    // (the encoder's tuser), the decoder's statistics ports.
    {"encoder_p4", {"rs-encoder", "--standard", "kr4", "--symbols-per-clock", "4"}, true},
    {"encoder_variable_length_p3",
     {"rs-encoder", "--standard", "ccsds", "--symbols-per-clock", "3", "--variable-length"},
     true},
    {"encoder_variable_length_p1", {"rs-encoder", "--standard", "dvb", "--variable-length"}, true},
    {"decoder_p2_variable_statistics",
     {"rs-decoder", "--symbol-width", "4", "--n", "15", "--k", "11", "--symbols-per-clock", "2",
      "--variable-length", "--erasures", "2", "--statistics"},
     true},
};

// Reads the ports of both tops (the stream top alone when the folder has no
// native top) from Yosys' JSON (when there), from
// `ipgen --describe`'s record (when there), of the stream top from
// component.xml and of both from the README's tables; checks that every
// port map of component.xml names a port of its model, in the direction
// its mode drives. Prints "== <section>" and one "name dir width" per line,
// sorted.
const char* const port_reader = R"(import json, re, sys
import xml.etree.ElementTree as ET
ns = {'x': 'http://www.accellera.org/XMLSchema/IPXACT/1685-2014'}

def section(name, lines):
    print('== ' + name)
    for line in sorted(lines):
        print(line)

def yosys(path, top):
    ports = json.load(open(path))['modules'][top]['ports']
    return ['%s %s %d' % (p, {'input': 'in', 'output': 'out'}.get(q['direction'], 'inout'),
                          len(q['bits'])) for p, q in ports.items()]

root = ET.parse('component.xml').getroot()
model = {}
for port in root.findall('x:model/x:ports/x:port', ns):
    name = port.find('x:name', ns).text
    left = port.find('x:wire/x:vectors/x:vector/x:left', ns)
    right = port.find('x:wire/x:vectors/x:vector/x:right', ns)
    width = 1 if left is None else int(left.text) - int(right.text) + 1
    model[name] = (port.find('x:wire/x:direction', ns).text, width)
problems = []
for bus in root.findall('x:busInterfaces/x:busInterface', ns):
    master = bus.find('x:master', ns) is not None
    for pm in bus.findall('.//x:portMap', ns):
        logical = pm.find('x:logicalPort/x:name', ns).text
        physical = pm.find('x:physicalPort/x:name', ns).text
        if physical not in model:
            problems.append('%s: %s maps to no port %s' % (bus.find('x:name', ns).text,
                                                          logical, physical))
            continue
        if logical in ('TDATA', 'TUSER', 'TKEEP', 'TVALID', 'TLAST', 'TREADY'):
            out = (logical != 'TREADY') == master
            if model[physical][0] != ('out' if out else 'in'):
                problems.append('%s: %s is %s' % (bus.find('x:name', ns).text, physical,
                                                  model[physical][0]))

readme = open('README.md').read()
head = readme[readme.index('Ports of this configuration'):readme.index('\nFiles:')]
stream_part, native_part = (head.split('\nNative top ') if '\nNative top ' in head
                             else (head, ''))
def table(text):
    return ['%s %s %s' % (m.group(1), m.group(2), m.group(3))
            for m in re.finditer(r'^\| `(\w+)` \| (\w+) \| (\d+) \|', text, re.M)]

import os
if os.path.exists('stream.json'):
    section('yosys stream top', yosys('stream.json', sys.argv[1]))
    section('yosys native top', yosys('native.json', sys.argv[2]) if len(sys.argv) > 2 else [])
if os.path.exists('describe.json'):
    record = json.load(open('describe.json'))['interface']
    for key in ('top_ports', 'native_ports'):
        section('describe ' + key, ['%(name)s %(direction)s %(width)d' % p for p in record[key]])
    print('== describe command')
    print(' '.join(record['configuration']))
section('component.xml', ['%s %s %d' % (n, d, w) for n, (d, w) in model.items()])
section('readme stream top', table(stream_part))
section('readme native top', table(native_part))
section('port maps', problems)
)";

std::map<std::string, std::string> sections(const std::string& text) {
    std::map<std::string, std::string> result;
    std::istringstream lines(text);
    std::string current;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("== ")) {
            current = line.substr(3);
            result[current];
        } else {
            result[current] += line + "\n";
        }
    }
    return result;
}

// The module name after `marker` in the README: "stream top `x`".
std::string named_top(const std::string& readme, const std::string& marker) {
    const size_t at = readme.find(marker + " `");
    if (at == std::string::npos) {
        return "";
    }
    const size_t begin = at + marker.size() + 2;
    return readme.substr(begin, readme.find('`', begin) - begin);
}

class InterfaceRecord : public ::testing::TestWithParam<Row> {};

TEST_P(InterfaceRecord, ComponentValidatesAndPortsAreTheVerilogs) {
    HDL_REQUIRE_TOOLS("yosys", "xmllint", "python3");
    TempDir dir;
    Args args = GetParam().args;
    args.insert(args.end(), {"--out", "out"});
    const RunResult run = run_program(IPGEN_PATH, args, dir.path());
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::string folder = dir.file("out");

    const hdl::ToolResult valid = hdl::ipxact_validate(folder);
    EXPECT_TRUE(valid.ok) << valid.log;

    // The folder's own head: the core's README below it names every top.
    std::string readme = read_file(folder + "/README.md");
    readme = readme.substr(0, readme.find("\nFiles:"));
    const std::string top = named_top(readme, "stream top");
    const std::string native = named_top(readme, "Native top");
    ASSERT_FALSE(top.empty()) << readme.substr(0, 3000);
    ASSERT_EQ(native.empty(), GetParam().stream_only) << readme.substr(0, 3000);
    std::string list;
    for (const std::string& name : list_directory(folder)) {
        if (name.ends_with(".f")) {
            std::istringstream lines(read_file(folder + "/" + name));
            for (std::string line; std::getline(lines, line);) {
                list += line.starts_with("+") ? "" : " " + line;
            }
        }
    }
    ASSERT_FALSE(list.empty());
    const std::string read = "read_verilog -I." + list + "\n";
    std::string script = read + "hierarchy -top " + top + "\nproc\nwrite_json stream.json\n";
    if (!native.empty()) {
        script += "design -reset\n" + read + "hierarchy -top " + native +
                  "\nproc\nwrite_json native.json\n";
    }
    const hdl::ToolResult yosys = hdl::yosys_script(folder, script);
    ASSERT_TRUE(yosys.ok) << yosys.log;

    write_file(folder + "/ports.py", port_reader);
    Args reader = {"ports.py", top};
    if (!native.empty()) {
        reader.push_back(native);
    }
    const RunResult ports = run_program(hdl::find_tool("python3"), reader, folder);
    ASSERT_EQ(ports.exit_status, 0) << ports.err;
    auto got = sections(ports.out);
    EXPECT_FALSE(got["yosys stream top"].empty());
    EXPECT_EQ(got["component.xml"], got["yosys stream top"]);
    EXPECT_EQ(got["readme stream top"], got["yosys stream top"]);
    EXPECT_EQ(got["yosys native top"].empty(), native.empty());
    EXPECT_EQ(got["readme native top"], got["yosys native top"]);
    EXPECT_EQ(got["port maps"], "");
}

INSTANTIATE_TEST_SUITE_P(Cores, InterfaceRecord, ::testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

// `ipgen CORE --describe`: the record of the core's default configuration
// (the example's, when an option has no default) is JSON whose ports are
// those of the folder its command writes.
TEST(InterfaceDescribe, EachCoreDescribesTheFolderItsConfigurationWrites) {
    HDL_REQUIRE_TOOLS("python3");
    for (const char* core : {"rs-encoder", "rs-decoder", "viterbi", "fir"}) {
        TempDir dir;
        const RunResult describe = run_program(IPGEN_PATH, {core, "--describe"}, dir.path());
        ASSERT_EQ(describe.exit_status, 0) << describe.err;
        write_file(dir.file("describe.json"), describe.out);
        // The command is the one the description names; the folder is
        // written from it.
        const RunResult words =
            run_program(hdl::find_tool("python3"),
                        {"-c", "import json; print('\\n'.join(json.load(open('describe.json'))"
                               "['interface']['configuration']))"},
                        dir.path());
        ASSERT_EQ(words.exit_status, 0) << core << ": " << words.err << describe.out;
        Args args;
        std::istringstream lines(words.out);
        for (std::string word; std::getline(lines, word);) {
            args.push_back(word);
        }
        ASSERT_GT(args.size(), 1U);
        EXPECT_EQ(args[1], core);
        args.erase(args.begin());
        args.insert(args.end(), {"--out", "f"});
        const RunResult run = run_program(IPGEN_PATH, args, dir.path());
        ASSERT_EQ(run.exit_status, 0) << run.err;
        const std::string folder = dir.file("f");
        write_file(folder + "/describe.json", describe.out);
        write_file(folder + "/ports.py", port_reader);
        const std::string readme = read_file(folder + "/README.md");
        const RunResult ports = run_program(
            hdl::find_tool("python3"),
            {"ports.py", named_top(readme, "stream top"), named_top(readme, "Native top")}, folder);
        ASSERT_EQ(ports.exit_status, 0) << ports.err;
        auto got = sections(ports.out);
        EXPECT_FALSE(got["component.xml"].empty()) << core;
        EXPECT_EQ(got["describe top_ports"], got["component.xml"]) << core;
        EXPECT_EQ(got["describe native_ports"], got["readme native top"]) << core;
    }
}

} // namespace
} // namespace ipgen::test
