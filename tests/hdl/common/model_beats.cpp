#include "model_beats.hpp"

#include "program_runner.hpp"
#include "test_files.hpp"

namespace ipgen::test {

::testing::AssertionResult model_gives_folder_vectors(const std::string& ipgen,
                                                      const std::vector<std::string>& args,
                                                      const std::string& directory,
                                                      const std::string& folder) {
    std::vector<std::string> model{"model"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--out" || arg == "--prefix" || arg == "--header") {
            ++i; // the folder's options, not the model's
        } else if (arg != "--force" && !arg.starts_with("--out=") &&
                   !arg.starts_with("--prefix=") && !arg.starts_with("--header=")) {
            model.push_back(arg);
        }
    }
    const std::string in = folder + "/tb_in.hex";
    const std::string expected = read_file(folder + "/tb_out.hex");
    std::vector<std::string> from_file = model;
    from_file.insert(from_file.end(), {"--in", in, "--out", "-"});
    const RunResult run = run_program(ipgen, from_file, directory);
    if (run.exit_status != 0) {
        return ::testing::AssertionFailure()
               << "ipgen model: status " << run.exit_status << ": " << run.err;
    }
    if (run.out != expected) {
        return ::testing::AssertionFailure()
               << "ipgen model --in " << in << " differs from tb_out.hex";
    }
    model.insert(model.end(), {"--in", "-", "--out", "model_out.hex"});
    const RunResult piped = run_program(ipgen, model, directory, read_file(in));
    if (piped.exit_status != 0 || read_file(directory + "/model_out.hex") != expected) {
        return ::testing::AssertionFailure()
               << "ipgen model --in - --out FILE differs from tb_out.hex: " << piped.err;
    }
    return ::testing::AssertionSuccess();
}

} // namespace ipgen::test
