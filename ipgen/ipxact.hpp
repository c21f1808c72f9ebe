// component.xml: the folder as an IP-XACT (IEEE 1685-2014) component, for
// tools that package and connect IP from it. Written from the core's
// interface record and the folder's file list: the AXI4-Stream, clock and
// reset bus interfaces, the stream top's ports with their widths, the file
// sets and the configuration values.
#pragma once

#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// The AXI4-Stream bus definition and its RTL abstraction (AMBA 4).
inline constexpr const char* axis_bus_vendor = "amba.com";
inline constexpr const char* axis_bus_library = "AMBA4";
inline constexpr const char* axis_bus_name = "AXI4Stream";
inline constexpr const char* axis_abstraction_name = "AXI4Stream_rtl";
inline constexpr const char* axis_bus_version = "r0p0_1";

// `build` after the prefix is applied (its name and tops as in the folder),
// `files` the folder's files with their roles, `version` the component's.
std::string component_xml(const CoreBuild& build, const std::vector<FolderFile>& files,
                          const std::string& version);

} // namespace ipgen::front
