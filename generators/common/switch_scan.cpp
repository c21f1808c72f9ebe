#include "generators/common/switch_scan.hpp"

#include "generators/common/c_number.hpp"
#include "generators/common/printable.hpp"

#include <cstdio>

namespace ipgen {

int SwitchScan::get(char letter, int fallback) const {
    const auto found = values.find(letter);
    return found == values.end() ? fallback : found->second.value;
}

SwitchScan scan_switches(const std::vector<std::string>& args, std::string_view letters) {
    SwitchScan scan;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg[0] != '-') {
            continue; // stray words are skipped
        }
        const char letter = arg.size() > 1 ? arg[1] : '\0';
        if (letter == '\0' || letters.find(letter) == std::string_view::npos) {
            scan.unknown.push_back(printable(arg));
            continue; // the next argument is not consumed
        }
        if (i + 1 >= args.size()) {
            scan.missing_value = printable(arg);
            break;
        }
        const std::string& text = args[++i];
        const CDecimal number = parse_c_decimal(text);
        scan.values[letter] = SwitchValue{static_cast<int>(number.value), printable(arg),
                                          printable(text), number.has_digits, number.out_of_range};
    }
    return scan;
}

void report_unknown_switches(const SwitchScan& scan) {
    for (const std::string& unknown : scan.unknown) {
        std::fprintf(stderr, "Unknown switch %s\n", unknown.c_str());
    }
}

} // namespace ipgen
