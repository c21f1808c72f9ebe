// The "interface" member of `ipgen CORE --describe`: the ports of the
// core's default configuration, so a configurator can show them before
// anything is chosen.
#pragma once

#include "ipgen/core_description.hpp"

#include <string>

namespace ipgen::front {

// The interface record of the configuration the defaults give, as JSON;
// "null" when there is none (an option is required, or the core refuses
// its defaults).
std::string default_interface_json(const CoreDefinition& core);

} // namespace ipgen::front
