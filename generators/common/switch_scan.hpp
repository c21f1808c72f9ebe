// The command-line convention of the Reed-Solomon generators: "-x value"
// pairs in any order. Only the second character of a switch is looked at
// (-n and -nfoo are the same switch); the next argument is always its value,
// converted like atoi(); a later switch overrides an earlier one.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ipgen {

// The texts are kept for messages: as given, with control characters
// escaped (printable()).
struct SwitchValue {
    int value = 0;           // atoi() of the value argument
    std::string switch_text; // the switch argument, e.g. "-w" or "-w8"
    std::string text;        // the value argument
    bool has_digits = false;
    bool out_of_range = false; // beyond the 32-bit int range
};

struct SwitchScan {
    std::map<char, SwitchValue> values; // recognised letter -> its last value
    // Unknown switches in the order met (escaped, as for a message), each
    // reported as "Unknown switch <argument>\n" while the scan goes on.
    std::vector<std::string> unknown;
    // A recognised switch given as the last argument, with no value after it.
    std::optional<std::string> missing_value;

    bool has(char letter) const { return values.count(letter) != 0; }
    int get(char letter, int fallback = 0) const;
};

// Scans the arguments after the program name. `letters` lists the
// recognised switch letters (lower case only).
SwitchScan scan_switches(const std::vector<std::string>& args, std::string_view letters);

// Writes "Unknown switch <argument>\n" on standard error for each unknown
// switch, in the order met; the run goes on.
void report_unknown_switches(const SwitchScan& scan);

} // namespace ipgen
