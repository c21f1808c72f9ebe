#include "generators/fir_common/user_params_file.hpp"

#include "generators/common/fatal_error.hpp"

namespace ipgen::fir {

std::string user_param_name(int line) {
    const std::string_view format = user_param_formats.at(static_cast<std::size_t>(line - 1));
    std::string_view name = format.substr(format.find("// ") + 3);
    return std::string(name.substr(0, name.find_first_of(":\n")));
}

UserParamLines read_user_param_lines(std::string_view text) {
    UserParamLines lines;
    CTextReader reader(text);
    for (UserParamLine& line : lines) {
        if (const auto number = reader.scan_int()) {
            line.value = number->value;
            line.out_of_range = number->out_of_range;
            line.number_text = number->text;
        }
        line.text_after_number = reader.rest_of_line();
        reader.read_line(line_read_buffer);
    }
    return lines;
}

std::string user_param_label(int line) {
    return std::string(user_params_file_name) + " line " + std::to_string(line) + " (" +
           user_param_name(line) + ")";
}

void refuse(std::string_view program, std::string_view message) {
    throw FatalError(std::string(program) + ": " + std::string(message) + "\n", refused_status);
}

std::string Problem::text() const {
    return (whole_file ? std::string(user_params_file_name) : user_param_label(line)) + ": " +
           value + "; accepted: " + accepted;
}

void refuse(std::string_view program, const Problem& problem) {
    refuse(program, problem.text());
}

void refuse_user_param(std::string_view program, int line, std::string_view value,
                       std::string_view accepted) {
    refuse(program, user_param_label(line) + ": " + std::string(value) +
                        "; accepted: " + std::string(accepted));
}

void check_user_param_lines(const UserParamLines& lines, bool number_required,
                            std::string_view program) {
    for (int i = 1; i <= user_param_count; ++i) {
        const UserParamLine& line = lines[static_cast<std::size_t>(i - 1)];
        if (!line.value && number_required) {
            refuse_user_param(program, i, "no number", "a decimal number at the start of the line");
        }
        if (line.out_of_range) {
            refuse_user_param(program, i, line.number_text,
                              "a number within the 32-bit integer range");
        }
        if (line.text_after_number > max_text_after_number) {
            refuse_user_param(
                program, i, std::to_string(line.text_after_number) + " characters after the number",
                "at most 99 (a longer line is split and shifts the later values)");
        }
    }
}

} // namespace ipgen::fir
