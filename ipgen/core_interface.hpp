// The interface of one core configuration: its clock and reset, the
// AXI4-Stream port sets of its stream top with their resolved widths and
// the meaning of each sideband bit, the extra ports of that top (counters,
// flags), and the ports of the native top. Each core fills it from the
// values its generator resolved (cores/<core>/<core>_interface.cpp); the
// folder's README port tables, component.xml and `ipgen --describe` are
// written from it, and a test holds it against the ports Yosys reads from
// the folder's Verilog.
#pragma once

#include <string>
#include <vector>

namespace ipgen::front {

enum class PortDirection { in, out };

struct Port {
    std::string name;
    PortDirection direction = PortDirection::in;
    int width = 1;
    std::string meaning;
};

// A field of TUSER: bits [low + width - 1 : low].
struct UserField {
    int low = 0;
    int width = 1;
    std::string meaning;
};

// One AXI4-Stream port set: <name>_tdata, _tvalid, _tready and, where
// present, _tuser, _tkeep, _tlast.
struct StreamInterface {
    std::string name; // "s_axis", "m_axis", "s_axis_coef"
    bool master = false;
    std::string meaning; // what one beat carries
    int tdata_width = 8;
    int tuser_width = 0; // 0: no TUSER
    int tkeep_width = 0; // 0: no TKEEP
    bool tlast = false;
    std::string tlast_meaning;
    std::vector<UserField> tuser_fields; // low bits first
};

// A port set with TDATA, TVALID and TREADY only; the core adds the rest.
StreamInterface axis_stream(std::string name, bool master, std::string meaning, int tdata_width);

struct CoreInterface {
    std::string clock;
    std::string reset;
    bool reset_active_low = true;
    bool reset_synchronous = false;
    std::vector<StreamInterface> streams;
    std::vector<Port> extra_ports; // the stream top's ports beyond clock, reset, streams
    std::string native_top;
    std::vector<Port> native_ports; // in the order the module declares them
};

// The stream top's ports: clock, reset, each stream's signals (TDATA,
// TUSER, TKEEP, TVALID, TREADY, TLAST), the extra ports.
std::vector<Port> stream_top_ports(const CoreInterface& interface);

// A stream signal's port name ("s_axis_tdata") from its logical name
// ("TDATA").
std::string stream_port_name(const StreamInterface& stream, const std::string& logical);

// "in" or "out".
const char* direction_text(PortDirection direction);

// "bit 0: ...; bits 4..1: ..." for a TUSER.
std::string tuser_text(const StreamInterface& stream);

// A JSON string literal of `text`.
std::string json_text(const std::string& text);

// The interface as a JSON object (no trailing line end), keys in a fixed
// order, for `ipgen CORE --describe`.
std::string interface_json(const CoreInterface& interface);

} // namespace ipgen::front
