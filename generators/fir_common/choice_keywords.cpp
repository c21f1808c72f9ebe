#include "generators/fir_common/choice_keywords.hpp"

#include "generators/fir_common/user_params_file.hpp"

#include <string>

namespace ipgen::fir {

std::string accepted_choices(std::span<const char* const> keywords) {
    std::string accepted = "0 to " + std::to_string(keywords.size() - 1) + " (";
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        accepted += (i == 0 ? "" : ", ") + std::to_string(i) + " " + keywords[i];
    }
    return accepted + ")";
}

void check_choice(std::string_view program, int line, int value,
                  std::span<const char* const> keywords) {
    if (value >= 0 && value < static_cast<int>(keywords.size())) {
        return;
    }
    refuse_user_param(program, line, std::to_string(value), accepted_choices(keywords));
}

} // namespace ipgen::fir
