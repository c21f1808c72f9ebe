#include "ipgen/core_interface.hpp"

#include <cstdio>

namespace ipgen::front {

namespace {

// The signals of a port set, in the order the tables list them; a signal
// absent from the set has width 0 and is dropped.
struct StreamSignal {
    const char* logical;
    bool from_master; // driven by the master side
    int width;
    std::string meaning;
};

std::vector<StreamSignal> stream_signals(const StreamInterface& s) {
    std::vector<StreamSignal> signals = {
        {"TDATA", true, s.tdata_width, s.meaning},
        {"TUSER", true, s.tuser_width, tuser_text(s)},
        {"TKEEP", true, s.tkeep_width, "byte qualifiers of TDATA"},
        {"TVALID", true, 1, "the master offers a beat"},
        {"TREADY", false, 1, "the slave takes the beat offered"},
        {"TLAST", true, s.tlast ? 1 : 0, s.tlast_meaning},
    };
    std::erase_if(signals, [](const StreamSignal& signal) { return signal.width == 0; });
    return signals;
}

std::string lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return text;
}

std::string bits_text(int low, int width) {
    return width == 1 ? "bit " + std::to_string(low)
                      : "bits " + std::to_string(low + width - 1) + ".." + std::to_string(low);
}

std::string json_bool(bool value) {
    return value ? "true" : "false";
}

std::string json_ports(const std::vector<Port>& ports, const std::string& indent) {
    std::string text = "[";
    for (size_t i = 0; i < ports.size(); ++i) {
        const Port& p = ports[i];
        text += (i == 0 ? "\n" : ",\n") + indent + "  {\"name\": " + json_text(p.name) +
                ", \"direction\": \"" + direction_text(p.direction) +
                "\", \"width\": " + std::to_string(p.width) +
                ", \"meaning\": " + json_text(p.meaning) + "}";
    }
    return text + (ports.empty() ? "]" : "\n" + indent + "]");
}

} // namespace

std::string json_text(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

StreamInterface axis_stream(std::string name, bool master, std::string meaning, int tdata_width) {
    StreamInterface stream;
    stream.name = std::move(name);
    stream.master = master;
    stream.meaning = std::move(meaning);
    stream.tdata_width = tdata_width;
    return stream;
}

const char* direction_text(PortDirection direction) {
    return direction == PortDirection::in ? "in" : "out";
}

std::string stream_port_name(const StreamInterface& stream, const std::string& logical) {
    return stream.name + "_" + lower(logical);
}

std::string tuser_text(const StreamInterface& stream) {
    std::string text;
    for (const UserField& field : stream.tuser_fields) {
        text +=
            (text.empty() ? "" : "; ") + bits_text(field.low, field.width) + ": " + field.meaning;
    }
    return text;
}

std::vector<Port> stream_top_ports(const CoreInterface& interface) {
    std::vector<Port> ports = {
        {interface.clock, PortDirection::in, 1, "clock, rising edge"},
        {interface.reset, PortDirection::in, 1,
         std::string(interface.reset_synchronous ? "synchronous" : "asynchronous") + " reset, " +
             (interface.reset_active_low ? "active low" : "active high")},
    };
    for (const StreamInterface& stream : interface.streams) {
        for (const StreamSignal& signal : stream_signals(stream)) {
            const bool out = signal.from_master == stream.master;
            ports.push_back({stream_port_name(stream, signal.logical),
                             out ? PortDirection::out : PortDirection::in, signal.width,
                             signal.meaning});
        }
    }
    ports.insert(ports.end(), interface.extra_ports.begin(), interface.extra_ports.end());
    return ports;
}

std::string interface_json(const CoreInterface& interface) {
    std::string text = "{\n  \"clock\": " + json_text(interface.clock) +
                       ",\n  \"reset\": {\"name\": " + json_text(interface.reset) +
                       ", \"active_low\": " + json_bool(interface.reset_active_low) +
                       ", \"synchronous\": " + json_bool(interface.reset_synchronous) +
                       "},\n  \"streams\": [";
    for (size_t i = 0; i < interface.streams.size(); ++i) {
        const StreamInterface& s = interface.streams[i];
        text += std::string(i == 0 ? "\n" : ",\n") + "    {\"name\": " + json_text(s.name) +
                ", \"mode\": \"" + (s.master ? "master" : "slave") +
                "\", \"meaning\": " + json_text(s.meaning) +
                ",\n     \"tdata_width\": " + std::to_string(s.tdata_width) +
                ", \"tuser_width\": " + std::to_string(s.tuser_width) +
                ", \"tkeep_width\": " + std::to_string(s.tkeep_width) +
                ", \"tlast\": " + json_bool(s.tlast);
        if (s.tlast) {
            text += ", \"tlast_meaning\": " + json_text(s.tlast_meaning);
        }
        text += ",\n     \"tuser_fields\": [";
        for (size_t f = 0; f < s.tuser_fields.size(); ++f) {
            const UserField& field = s.tuser_fields[f];
            text += std::string(f == 0 ? "" : ", ") + "{\"low\": " + std::to_string(field.low) +
                    ", \"width\": " + std::to_string(field.width) +
                    ", \"meaning\": " + json_text(field.meaning) + "}";
        }
        text += "]}";
    }
    text += std::string(interface.streams.empty() ? "]" : "\n  ]") +
            ",\n  \"extra_ports\": " + json_ports(interface.extra_ports, "  ") +
            ",\n  \"top_ports\": " + json_ports(stream_top_ports(interface), "  ") +
            ",\n  \"native_top\": " + json_text(interface.native_top) +
            ",\n  \"native_ports\": " + json_ports(interface.native_ports, "  ") + "\n}";
    return text;
}

} // namespace ipgen::front
