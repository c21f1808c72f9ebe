#include "hdl_tools.hpp"

#include "program_runner.hpp"
#include "test_files.hpp"

#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace ipgen::hdl {

std::string find_tool(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return "";
}

std::string missing_tools(std::initializer_list<const char*> names) {
    std::string missing;
    for (const char* name : names) {
        if (find_tool(name).empty()) {
            if (!missing.empty()) {
                missing += ' ';
            }
            missing += name;
        }
    }
    return missing;
}

namespace {

ToolResult run_tool(const std::string& tool, const std::vector<std::string>& args,
                    const std::string& dir) {
    ToolResult result;
    const std::string path = find_tool(tool);
    if (path.empty()) {
        result.log = tool + " is not installed";
        return result;
    }
    const test::RunResult run = test::run_program(path, args, dir);
    result.ok = run.exit_status == 0;
    result.output = run.out;
    std::string command = tool;
    for (const std::string& arg : args) {
        command += " " + arg;
    }
    result.log = "$ " + command + "\n" + run.out + run.err;
    return result;
}

std::vector<std::string> define_args(const std::vector<std::string>& defines) {
    std::vector<std::string> args;
    for (const std::string& define : defines) {
        args.push_back("-D" + define);
    }
    return args;
}

} // namespace

ToolResult iverilog_compile(const std::string& dir, const std::vector<std::string>& sources,
                            const std::string& image, const std::vector<std::string>& defines) {
    std::vector<std::string> args{"-g2005", "-Wall", "-o", image};
    const std::vector<std::string> d = define_args(defines);
    args.insert(args.end(), d.begin(), d.end());
    args.insert(args.end(), sources.begin(), sources.end());
    return run_tool("iverilog", args, dir);
}

ToolResult iverilog_preprocess(const std::string& dir, const std::vector<std::string>& sources,
                               const std::vector<std::string>& defines) {
    std::vector<std::string> args{"-E", "-o", "-"};
    const std::vector<std::string> d = define_args(defines);
    args.insert(args.end(), d.begin(), d.end());
    args.insert(args.end(), sources.begin(), sources.end());
    return run_tool("iverilog", args, dir);
}

ToolResult simulate(const std::string& dir, const std::vector<std::string>& sources,
                    const std::vector<std::string>& defines) {
    ToolResult compiled = iverilog_compile(dir, sources, "sim.vvp", defines);
    if (!compiled.ok) {
        return compiled;
    }
    // -n: $stop ends the run instead of opening the interactive prompt.
    ToolResult run = run_tool("vvp", {"-n", "sim.vvp"}, dir);
    if (run.output.find("FATAL") != std::string::npos) {
        run.ok = false;
    }
    run.log = compiled.log + run.log;
    return run;
}

ToolResult verilator_lint(const std::string& dir, const std::vector<std::string>& sources,
                          const std::string& top, const std::vector<std::string>& defines,
                          const std::string& waivers) {
    std::vector<std::string> args{"--lint-only", "-Wall", "--top-module", top};
    const std::vector<std::string> d = define_args(defines);
    args.insert(args.end(), d.begin(), d.end());
    if (!waivers.empty()) {
        test::write_file(dir + "/waivers.vlt", "`verilator_config\n" + waivers);
        args.push_back("waivers.vlt");
    }
    args.insert(args.end(), sources.begin(), sources.end());
    return run_tool("verilator", args, dir);
}

ToolResult yosys_script(const std::string& dir, const std::string& script) {
    test::write_file(dir + "/check.ys", script);
    return run_tool("yosys", {"-q", "-s", "check.ys"}, dir);
}

ToolResult ipxact_validate(const std::string& folder) {
    if (find_tool("xmllint").empty()) {
        return {true, "", "xmllint is not installed: component.xml not validated"};
    }
    if (!test::file_exists(IPGEN_IPXACT_SCHEMA)) {
        return {false, "",
                IPGEN_IPXACT_SCHEMA " is missing: the schemas belong beside the project root"};
    }
    return run_tool("xmllint", {"--noout", "--schema", IPGEN_IPXACT_SCHEMA, "component.xml"},
                    folder);
}

} // namespace ipgen::hdl
