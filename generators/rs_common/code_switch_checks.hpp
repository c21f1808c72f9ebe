// The checks both Reed-Solomon generators make on the switches that define
// the code: symbol width, field polynomial, codeword lengths and roots.
// A refused value ends the run before any file is created, with one line
// "<program>: -<switch> <value>: ..." naming what is accepted, status 2.
#pragma once

#include "generators/common/switch_scan.hpp"
#include "generators/rs_common/code_checks.hpp"

#include <string>
#include <string_view>
#include <utility>

namespace ipgen::rs {

class CodeSwitchChecks {
  public:
    static constexpr int refused_status = 2;

    // `program` prefixes every message ("corrgen", "paritygen").
    CodeSwitchChecks(std::string program, const SwitchScan& scan)
        : program_(std::move(program)), scan_(scan) {}

    [[noreturn]] void refuse(const std::string& message) const;
    // "<program>: -<letter> <value as given>: <accepted>"
    [[noreturn]] void refuse_value(char letter, const std::string& accepted) const;

    // A recognised switch left without a value, a switch of `required`
    // missing (the message says `which_required` and adds the usage line),
    // any value beyond the 32-bit integer range.
    void check_complete(std::string_view required, const std::string& which_required,
                        const std::string& usage) const;

    // "<program>: -<letter> <value as given> [...]: <why>; accepted: <accepted>"
    [[noreturn]] void refuse_problem(const CodeProblem& problem) const;

    // The values of the code's switches, for code_problem and roots_problem.
    CodeValues code_values() const;

  private:
    std::string program_;
    const SwitchScan& scan_;
};

} // namespace ipgen::rs
