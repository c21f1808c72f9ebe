// The range where a Reed-Solomon code's hardware is defined, as data: the
// checks both generators make on the values that define the code (symbol
// width, field polynomial, lengths, roots), each refusal naming the values
// at fault, why, and what is accepted. paritygen and corrgen word them
// with their switches, ipgen with its options.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ipgen::rs {

enum class CodeValue { symbol_width, n, k, field_poly, first_root, root_spacing, erasures };

struct CodeProblem {
    std::vector<CodeValue> values; // at fault; the first is the one to change
    std::string why;               // empty: outside the accepted range
    std::string accepted;
};
using CodeProblems = std::vector<CodeProblem>;

// The values as given (roots not reduced).
struct CodeValues {
    int symbol_width = 0;
    int n = 0;
    int k = 0;
    int field_poly = 0;
    int first_root = 0;
    int root_spacing = 0;
};

// m 2 to 12, the field polynomial primitive of degree m, k 1 to 2^m-2,
// n k+1 to 2^m-1: the first value refused, in that order.
std::optional<CodeProblem> code_problem(const CodeValues& code);

// The first root 0 or more; the spacing h 0 or more with alpha^h
// generating the field. Needs a width code_problem accepted.
std::optional<CodeProblem> roots_problem(const CodeValues& code);

// The generators' switch of each value: 'w', 'n', 'k', 'f', 'g', 'h', 'e'.
char switch_letter(CodeValue value);

} // namespace ipgen::rs
