#include "generators/rs_common/code_switch_checks.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <numeric>

namespace ipgen::rs {

void CodeSwitchChecks::refuse(const std::string& message) const {
    throw FatalError(program_ + ": " + message + "\n", refused_status);
}

void CodeSwitchChecks::refuse_value(char letter, const std::string& accepted) const {
    const SwitchValue& v = scan_.values.at(letter);
    refuse(std::string("-") + letter + " " + v.text + ": " + accepted);
}

void CodeSwitchChecks::check_complete(std::string_view required, const std::string& which_required,
                                      const std::string& usage) const {
    if (scan_.missing_value) {
        refuse("switch " + *scan_.missing_value + " is the last argument and has no value; " +
               "accepted: a decimal number after every switch");
    }
    for (const char letter : required) {
        if (!scan_.has(letter)) {
            throw FatalError(program_ + ": switch -" + letter + " is missing; " + which_required +
                                 "\n" + usage,
                             refused_status);
        }
    }
    for (const auto& [letter, value] : scan_.values) {
        if (value.out_of_range) {
            refuse_value(letter, "beyond the 32-bit integer range");
        }
    }
}

void CodeSwitchChecks::check_code() const {
    const int m = scan_.get('w');
    if (m < 2 || m > 12) {
        refuse_value('w', "accepted: 2 to 12 bits per symbol");
    }
    const int nlong = int_power(2, m) - 1;
    const int poly = scan_.get('f');
    if (poly < 0 || (poly >> (m + 1)) != 0 || !is_primitive(m, poly)) {
        refuse_value('f', "not a primitive field polynomial of degree " + std::to_string(m) +
                              "; accepted: x^" + std::to_string(m) +
                              " plus lower terms that make alpha generate all " +
                              std::to_string(nlong) + " non-zero elements, as a number below " +
                              std::to_string(2 * (nlong + 1)) + " (285 for m = 8)");
    }
    const int k = scan_.get('k');
    // At least one check symbol must fit into the 2^m-1 symbols of a codeword.
    if (k < 1 || k > nlong - 1) {
        refuse_value('k', "accepted: 1 to " + std::to_string(nlong - 1) + " (2^m-2) data symbols");
    }
    const int n = scan_.get('n');
    if (n < k + 1 || n > nlong) {
        refuse_value('n', "accepted: " + std::to_string(k + 1) + " (k+1) to " +
                              std::to_string(nlong) + " (2^m-1) symbols");
    }
}

void CodeSwitchChecks::check_roots() const {
    const int nlong = int_power(2, scan_.get('w')) - 1;
    if (scan_.get('g') < 0) {
        refuse_value('g', "accepted: 0 or more");
    }
    const int h = scan_.get('h');
    if (h < 0 || std::gcd(h % nlong, nlong) != 1) {
        refuse_value('h', "alpha^h must generate the field; accepted: 1 or more, coprime to " +
                              std::to_string(nlong) + " (2^m-1)");
    }
}

} // namespace ipgen::rs
