#include "generators/firparam/user_params.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/input_file.hpp"
#include "generators/firparam/replace_file.hpp"

namespace ipgen::fir::param {

FirUserParams default_params() {
    FirUserParams p;
    p.m_nTapWidth = 8;
    p.m_nCoeffWidth = 8;
    p.m_nNumTaps = 6;
    p.m_nOutWidth = 19;
    p.m_nFilterType = 0;
    p.m_nCoeffLoad = 0;
    p.m_nSymmetry = 0;
    p.m_nRoundType = 0;
    p.m_nArithmeticType = 0;
    p.m_nDataType = 0;
    p.m_nNumCycles = 1;
    p.m_nDeciRatio = 1;
    p.m_nInterRatio = 1;
    p.m_nComplexInMode = 0;
    return p;
}

FirUserParams params_from_lines(const UserParamLines& lines) {
    FirUserParams p;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].value) {
            p.*user_param_fields[i] = *lines[i].value;
        }
    }
    return p;
}

UserFileRead ReadFromFile(TextSink& console) {
    const InputText file = read_input_file(user_params_file_name);
    if (file.failure == InputFailure::missing) {
        console.print("Error opening user params file\nCreating file with default values ...\n");
        return {default_params(), std::nullopt};
    }
    // A file that is there but cannot be read is the user's all the same:
    // the defaults must not replace it.
    if (!file.ok()) {
        throw FatalError(std::string("Error reading ") + user_params_file_name + ": " + file.cause +
                             "; the file is left as it is\n",
                         1);
    }
    UserParamLines lines = read_user_param_lines(file.text);
    return {params_from_lines(lines), lines};
}

std::string user_params_text(const FirUserParams& params) {
    StringSink text;
    for (std::size_t i = 0; i < user_param_fields.size(); ++i) {
        text.print(user_param_formats[i], params.*user_param_fields[i]);
    }
    return text.take();
}

bool WriteToFile(const FirUserParams& params, TextSink& console) {
    if (replace_file(user_params_file_name, user_params_text(params)) != ReplaceResult::replaced) {
        console.print("Error opening user params file for writing\n");
        return false;
    }
    return true;
}

} // namespace ipgen::fir::param
