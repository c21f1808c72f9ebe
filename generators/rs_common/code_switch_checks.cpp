#include "generators/rs_common/code_switch_checks.hpp"

#include "generators/common/fatal_error.hpp"

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

void CodeSwitchChecks::refuse_problem(const CodeProblem& problem) const {
    std::string head;
    for (const CodeValue value : problem.values) {
        const char letter = switch_letter(value);
        head += (head.empty() ? "-" : " -") + std::string(1, letter) + " " +
                scan_.values.at(letter).text;
    }
    refuse(head + ": " + (problem.why.empty() ? "" : problem.why + "; ") +
           "accepted: " + problem.accepted);
}

CodeValues CodeSwitchChecks::code_values() const {
    return CodeValues{scan_.get('w'), scan_.get('n'), scan_.get('k'),
                      scan_.get('f'), scan_.get('g'), scan_.get('h')};
}

} // namespace ipgen::rs
