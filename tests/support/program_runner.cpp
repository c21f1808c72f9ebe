#include "program_runner.hpp"

#include "test_files.hpp"

#include <cerrno>
#include <fcntl.h>
#include <linux/capability.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ipgen::test {

namespace {

enum class Confinement { none, file_permissions };

// Exit status of the child when it could not be confined or started.
constexpr int child_setup_failed = 125;

// In the forked child: only system calls until execve.
[[noreturn]] void exec_confined(const char* program, char** argv, const char* directory,
                                const char* in_path, const char* out_path, const char* err_path) {
    if (geteuid() == 0 && (prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0) != 0 ||
                           prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0) != 0)) {
        _exit(child_setup_failed);
    }
    const int in = open(in_path, O_RDONLY);
    const int out = open(out_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(err_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        chdir(directory) != 0) {
        _exit(child_setup_failed);
    }
    execve(program, argv, environ);
    _exit(child_setup_failed);
}

RunResult run(const std::string& program, const std::vector<std::string>& args,
              const std::string& directory, const std::string& input, Confinement confinement) {
    // Output goes to files outside the program's directory, so the test sees
    // only what the program itself created there.
    TempDir capture;
    const std::string out_path = capture.path() + "/stdout";
    const std::string err_path = capture.path() + "/stderr";
    const std::string in_path = capture.path() + "/stdin";
    write_file(in_path, input);

    std::vector<std::string> argv_text;
    argv_text.push_back(program);
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& text : argv_text) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (confinement == Confinement::file_permissions) {
        pid = fork();
        if (pid < 0) {
            throw std::runtime_error("cannot start " + program);
        }
        if (pid == 0) {
            exec_confined(program.c_str(), argv.data(), directory.c_str(), in_path.c_str(),
                          out_path.c_str(), err_path.c_str());
        }
    } else {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in_path.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
        const int spawned =
            posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            throw std::runtime_error("cannot start " + program);
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("waitpid failed for " + program);
        }
    }
    RunResult result;
    if (WIFEXITED(status)) {
        result.exit_status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    result.out = read_file(out_path);
    result.err = read_file(err_path);
    if (confinement == Confinement::file_permissions && result.exit_status == child_setup_failed &&
        result.out.empty() && result.err.empty()) {
        throw std::runtime_error("cannot start " + program + " without root's file access");
    }
    return result;
}

} // namespace

RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                      const std::string& directory, const std::string& input) {
    return run(program, args, directory, input, Confinement::none);
}

RunResult run_program_confined(const std::string& program, const std::vector<std::string>& args,
                               const std::string& directory, const std::string& input) {
    return run(program, args, directory, input, Confinement::file_permissions);
}

} // namespace ipgen::test
