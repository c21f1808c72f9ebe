#include "generators/rs_common/code_checks.hpp"

#include "generators/rs_common/galois_field.hpp"

#include <numeric>

namespace ipgen::rs {

std::optional<CodeProblem> code_problem(const CodeValues& code) {
    const int m = code.symbol_width;
    if (m < 2 || m > 12) {
        return CodeProblem{{CodeValue::symbol_width}, "", "2 to 12 bits per symbol"};
    }
    const int nlong = int_power(2, m) - 1;
    const int poly = code.field_poly;
    if (poly < 0 || (poly >> (m + 1)) != 0 || !is_primitive(m, poly)) {
        return CodeProblem{{CodeValue::field_poly},
                           "not a primitive field polynomial of degree " + std::to_string(m),
                           "x^" + std::to_string(m) +
                               " plus lower terms that make alpha generate all " +
                               std::to_string(nlong) + " non-zero elements, as a number below " +
                               std::to_string(2 * (nlong + 1)) + " (285 for m = 8)"};
    }
    // At least one check symbol must fit into the 2^m-1 symbols of a codeword.
    if (code.k < 1 || code.k > nlong - 1) {
        return CodeProblem{
            {CodeValue::k}, "", "1 to " + std::to_string(nlong - 1) + " (2^m-2) data symbols"};
    }
    if (code.n < code.k + 1 || code.n > nlong) {
        return CodeProblem{{CodeValue::n},
                           "",
                           std::to_string(code.k + 1) + " (k+1) to " + std::to_string(nlong) +
                               " (2^m-1) symbols"};
    }
    return std::nullopt;
}

std::optional<CodeProblem> roots_problem(const CodeValues& code) {
    const int nlong = int_power(2, code.symbol_width) - 1;
    if (code.first_root < 0) {
        return CodeProblem{{CodeValue::first_root}, "", "0 or more"};
    }
    const int h = code.root_spacing;
    if (h < 0 || std::gcd(h % nlong, nlong) != 1) {
        return CodeProblem{{CodeValue::root_spacing},
                           "alpha^h must generate the field",
                           "1 or more, coprime to " + std::to_string(nlong) + " (2^m-1)"};
    }
    return std::nullopt;
}

char switch_letter(CodeValue value) {
    switch (value) {
    case CodeValue::symbol_width:
        return 'w';
    case CodeValue::n:
        return 'n';
    case CodeValue::k:
        return 'k';
    case CodeValue::field_poly:
        return 'f';
    case CodeValue::first_root:
        return 'g';
    case CodeValue::root_spacing:
        return 'h';
    case CodeValue::erasures:
        return 'e';
    }
    return '?';
}

} // namespace ipgen::rs
