#include "ipgen/ipxact.hpp"

#include <algorithm>
#include <set>

namespace ipgen::front {

namespace {

// Element text (attribute values are names and versions of our own).
std::string xml_text(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// An xs:Name from a README row name: "symbol width m" -> "symbol_width_m".
std::string identifier(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const bool word = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (word) {
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!out.empty() && out.back() != '_') {
            out += '_';
        }
    }
    while (!out.empty() && out.back() == '_') {
        out.pop_back();
    }
    if (out.empty() || std::isdigit(static_cast<unsigned char>(out[0])) != 0) {
        out = "value_" + out;
    }
    return out;
}

bool is_integer(const std::string& text) {
    const size_t digits = text.starts_with('-') ? 1 : 0;
    return text.size() > digits && text.size() < 19 &&
           text.find_first_not_of("0123456789", digits) == std::string::npos;
}

// A value as the string literal of an IP-XACT expression.
std::string string_expression(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

// The text being written, one element per line, indented by depth.
class XmlText {
  public:
    void open(const std::string& tag, const std::string& attributes = "") {
        line("<ipxact:" + tag + attributes + ">");
        ++depth_;
    }
    void close(const std::string& tag) {
        --depth_;
        line("</ipxact:" + tag + ">");
    }
    void leaf(const std::string& tag, const std::string& value) {
        line("<ipxact:" + tag + ">" + xml_text(value) + "</ipxact:" + tag + ">");
    }
    void empty(const std::string& tag, const std::string& attributes = "") {
        line("<ipxact:" + tag + attributes + "/>");
    }
    void line(const std::string& text) {
        text_ += std::string(static_cast<size_t>(2 * depth_), ' ') + text + "\n";
    }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
    int depth_ = 0;
};

std::string vlnv(const std::string& vendor, const std::string& library, const std::string& name,
                 const std::string& version) {
    return " vendor=\"" + vendor + "\" library=\"" + library + "\" name=\"" + name +
           "\" version=\"" + version + "\"";
}

void port_map(XmlText& xml, const std::string& logical, const std::string& physical) {
    xml.open("portMap");
    xml.open("logicalPort");
    xml.leaf("name", logical);
    xml.close("logicalPort");
    xml.open("physicalPort");
    xml.leaf("name", physical);
    xml.close("physicalPort");
    xml.close("portMap");
}

void name_value(XmlText& xml, const std::string& name, const std::string& value) {
    xml.open("parameter", " resolve=\"immediate\" type=\"string\"");
    xml.leaf("name", name);
    xml.leaf("value", string_expression(value));
    xml.close("parameter");
}

// The clock and the reset as bus interfaces of the signal definitions
// packaging tools recognise, tied to the streams they time.
void clock_and_reset(XmlText& xml, const CoreInterface& interface) {
    std::string streams;
    for (const StreamInterface& stream : interface.streams) {
        streams += (streams.empty() ? "" : ":") + stream.name;
    }
    xml.open("busInterface");
    xml.leaf("name", interface.clock);
    xml.leaf("description", "the clock of every stream, rising edge");
    xml.empty("busType", vlnv("xilinx.com", "signal", "clock", "1.0"));
    xml.open("abstractionTypes");
    xml.open("abstractionType");
    xml.empty("abstractionRef", vlnv("xilinx.com", "signal", "clock_rtl", "1.0"));
    xml.open("portMaps");
    port_map(xml, "CLK", interface.clock);
    xml.close("portMaps");
    xml.close("abstractionType");
    xml.close("abstractionTypes");
    xml.empty("slave");
    xml.open("parameters");
    name_value(xml, "ASSOCIATED_BUSIF", streams);
    name_value(xml, "ASSOCIATED_RESET", interface.reset);
    xml.close("parameters");
    xml.close("busInterface");

    xml.open("busInterface");
    xml.leaf("name", interface.reset);
    xml.leaf("description",
             std::string(interface.reset_synchronous ? "synchronous" : "asynchronous") +
                 " reset, " + (interface.reset_active_low ? "active low" : "active high"));
    xml.empty("busType", vlnv("xilinx.com", "signal", "reset", "1.0"));
    xml.open("abstractionTypes");
    xml.open("abstractionType");
    xml.empty("abstractionRef", vlnv("xilinx.com", "signal", "reset_rtl", "1.0"));
    xml.open("portMaps");
    port_map(xml, "RST", interface.reset);
    xml.close("portMaps");
    xml.close("abstractionType");
    xml.close("abstractionTypes");
    xml.empty("slave");
    xml.open("parameters");
    name_value(xml, "POLARITY", interface.reset_active_low ? "ACTIVE_LOW" : "ACTIVE_HIGH");
    xml.close("parameters");
    xml.close("busInterface");
}

void stream_interface(XmlText& xml, const CoreInterface& interface, const StreamInterface& stream) {
    xml.open("busInterface");
    xml.leaf("name", stream.name);
    xml.leaf("description", stream.meaning);
    xml.empty("busType", vlnv(axis_bus_vendor, axis_bus_library, axis_bus_name, axis_bus_version));
    xml.open("abstractionTypes");
    xml.open("abstractionType");
    xml.empty("abstractionRef",
              vlnv(axis_bus_vendor, axis_bus_library, axis_abstraction_name, axis_bus_version));
    xml.open("portMaps");
    // The AMBA 4 stream abstraction carries the clock and reset too.
    port_map(xml, "ACLK", interface.clock);
    if (interface.reset_active_low) {
        port_map(xml, "ARESETn", interface.reset);
    }
    const std::vector<std::pair<const char*, bool>> signals = {
        {"TDATA", true},
        {"TUSER", stream.tuser_width > 0},
        {"TKEEP", stream.tkeep_width > 0},
        {"TVALID", true},
        {"TREADY", true},
        {"TLAST", stream.tlast},
    };
    for (const auto& [logical, present] : signals) {
        if (present) {
            port_map(xml, logical, stream_port_name(stream, logical));
        }
    }
    xml.close("portMaps");
    xml.close("abstractionType");
    xml.close("abstractionTypes");
    xml.empty(stream.master ? "master" : "slave");
    xml.close("busInterface");
}

void file_set(XmlText& xml, const std::string& name, const std::string& description,
              const std::vector<const FolderFile*>& files) {
    xml.open("fileSet");
    xml.leaf("name", name);
    xml.leaf("description", description);
    for (const FolderFile* file : files) {
        const bool include = file->role == FileRole::include || file->role == FileRole::tb_include;
        const bool verilog = include || file->role == FileRole::rtl || file->role == FileRole::tb;
        xml.open("file");
        xml.leaf("name", file->name);
        if (verilog) {
            xml.leaf("fileType", "verilogSource");
        } else {
            xml.line("<ipxact:fileType user=\"hex\">user</ipxact:fileType>");
        }
        if (include) {
            xml.leaf("isIncludeFile", "true");
        }
        xml.close("file");
    }
    xml.close("fileSet");
}

std::vector<const FolderFile*> with_roles(const std::vector<FolderFile>& files,
                                          std::initializer_list<FileRole> roles) {
    std::vector<const FolderFile*> chosen;
    for (const FileRole role : roles) {
        for (const FolderFile& file : files) {
            if (file.role == role) {
                chosen.push_back(&file);
            }
        }
    }
    return chosen;
}

void instantiation(XmlText& xml, const std::string& name, const std::string& module,
                   std::initializer_list<const char*> file_sets) {
    xml.open("componentInstantiation");
    xml.leaf("name", name);
    xml.leaf("language", "verilog");
    xml.leaf("moduleName", module);
    for (const char* set : file_sets) {
        xml.open("fileSetRef");
        xml.leaf("localName", set);
        xml.close("fileSetRef");
    }
    xml.close("componentInstantiation");
}

void view(XmlText& xml, const std::string& name, const std::string& environment,
          const std::string& instantiation) {
    xml.open("view");
    xml.leaf("name", name);
    xml.leaf("envIdentifier", environment);
    xml.leaf("componentInstantiationRef", instantiation);
    xml.close("view");
}

} // namespace

std::string component_xml(const CoreBuild& build, const std::vector<FolderFile>& files,
                          const std::string& version) {
    const CoreInterface& interface = build.interface;
    XmlText xml;
    xml.line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    // A comment may not hold "--".
    std::string title = build.title;
    for (size_t at = title.find("--"); at != std::string::npos; at = title.find("--")) {
        title.replace(at, 2, "- -");
    }
    xml.line("<!-- " + xml_text(title) + ", written by ipgen -->");
    xml.open("component", " xmlns:ipxact=\"http://www.accellera.org/XMLSchema/IPXACT/1685-2014\"");
    xml.leaf("vendor", "ipgen");
    xml.leaf("library", build.library);
    xml.leaf("name", build.name);
    xml.leaf("version", version);

    xml.open("busInterfaces");
    for (const StreamInterface& stream : interface.streams) {
        stream_interface(xml, interface, stream);
    }
    clock_and_reset(xml, interface);
    xml.close("busInterfaces");

    xml.open("model");
    xml.open("views");
    view(xml, "rtl", ":*Synthesis:", "verilog_rtl");
    view(xml, "simulation", ":*Simulation:", "verilog_testbench");
    xml.close("views");
    xml.open("instantiations");
    instantiation(xml, "verilog_rtl", build.top, {"rtl"});
    instantiation(xml, "verilog_testbench", build.tb_top, {"rtl", "tb", "vectors"});
    xml.close("instantiations");
    xml.open("ports");
    for (const Port& port : stream_top_ports(interface)) {
        xml.open("port");
        xml.leaf("name", port.name);
        if (!port.meaning.empty()) {
            xml.leaf("description", port.meaning);
        }
        xml.open("wire");
        xml.leaf("direction", direction_text(port.direction));
        if (port.width > 1) {
            xml.open("vectors");
            xml.open("vector");
            xml.leaf("left", std::to_string(port.width - 1));
            xml.leaf("right", "0");
            xml.close("vector");
            xml.close("vectors");
        }
        xml.close("wire");
        xml.close("port");
    }
    xml.close("ports");
    xml.close("model");

    xml.open("fileSets");
    file_set(xml, "rtl", "synthesizable sources in compile order",
             with_roles(files, {FileRole::include, FileRole::rtl}));
    file_set(xml, "tb", "self-checking testbench",
             with_roles(files, {FileRole::tb_include, FileRole::tb}));
    file_set(xml, "vectors", "the testbench's input and expected output",
             with_roles(files, {FileRole::vectors}));
    xml.close("fileSets");

    xml.leaf("description", build.title);
    xml.open("parameters");
    std::set<std::string> taken;
    for (const std::vector<std::string>& row : build.values) {
        std::string name = identifier(row.at(0));
        for (int n = 2; taken.contains(name); ++n) {
            name = identifier(row.at(0)) + "_" + std::to_string(n);
        }
        taken.insert(name);
        const std::string& value = row.at(1);
        const bool number = is_integer(value);
        xml.open("parameter", " parameterId=\"" + name + "\" resolve=\"immediate\" type=\"" +
                                  (number ? "longint" : "string") + "\"");
        xml.leaf("name", name);
        if (row.size() > 2 && !row[2].empty()) {
            xml.leaf("description", row[2]);
        }
        xml.leaf("value", number ? value : string_expression(value));
        xml.close("parameter");
    }
    xml.close("parameters");
    xml.close("component");
    return xml.take();
}

} // namespace ipgen::front
