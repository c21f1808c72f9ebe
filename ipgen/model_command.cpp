#include "ipgen/model_command.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/input_file.hpp"
#include "generators/common/printable.hpp"
#include "ipgen/beats.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace ipgen::front {

namespace {

// The beats of a run: the largest testbench vectors are a few megabytes.
constexpr std::size_t max_beats_size = std::size_t{1} << 30;

const char* const folder_options[] = {"out", "force", "prefix", "header"};

std::string read_beats_text(const std::string& path) {
    if (path == "-") {
        std::string text;
        char buffer[1 << 16];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
            text.append(buffer, got);
            if (text.size() > max_beats_size) {
                throw FatalError("ipgen: cannot read --in -: larger than 1 GiB\n", 1);
            }
        }
        if (std::ferror(stdin) != 0) {
            throw FatalError(
                "ipgen: cannot read --in -: " + std::string(std::strerror(errno)) + "\n", 1);
        }
        return text;
    }
    InputText input = read_input_file(path, max_beats_size);
    if (!input.ok()) {
        throw FatalError("ipgen: cannot read --in " + printable(path) + ": " + input.cause + "\n",
                         1);
    }
    return std::move(input.text);
}

// One beat per line; the last line's newline and a carriage return before
// each newline are optional.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

void write_beats(const std::string& path, const std::vector<std::string>& beats) {
    std::string text;
    for (const std::string& beat : beats) {
        text += beat;
        text += '\n';
    }
    const auto fail = [&](int error) {
        throw FatalError("ipgen: cannot write --out " + printable(path) + ": " +
                             std::string(std::strerror(error)) + "\n",
                         1);
    };
    if (path == "-") {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0) {
            fail(errno);
        }
        return;
    }
    // A device or a FIFO is written as it is. A file is written whole or
    // not at all: the beats go to a temporary file beside it, which then
    // takes its name, so a full disk or a signal never leaves half a file.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) {
            fail(errno);
        }
        const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        const int error = errno;
        if (std::fclose(file) != 0 || !written) {
            fail(written ? errno : error);
        }
        return;
    }
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = dir + "." + base + ".ipgen-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        fail(errno);
    }
    const auto give_up = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        fail(error);
    };
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) {
        give_up(errno);
    }
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            give_up(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        give_up(errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(error);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(error);
    }
}

} // namespace

Config checked_config(const std::vector<std::string>& core_args, const CoreDefinition** core) {
    std::vector<std::string> args = core_args;
    for (const std::string& arg : args) {
        for (const char* name : folder_options) {
            const std::string option = std::string("--") + name;
            if (arg == option || arg.starts_with(option + "=")) {
                refuse(Problem{name, std::nullopt, "not an option of the model",
                               "the options of the core (ipgen --help)"});
            }
        }
    }
    args.insert(args.end(), {"--out", "-"});
    CommandLine line = parse_command_line(args);
    if (line.help || line.version || line.describe) {
        refuse("--help, --version and --describe are options of ipgen CORE; accepted: the core "
               "and its options");
    }
    *core = line.core;
    return std::move(line.config);
}

int run_model_command(const std::vector<std::string>& args) {
    std::vector<std::string> core_args;
    std::optional<std::string> in;
    std::optional<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::optional<std::string>* target = arg.starts_with("--in")    ? &in
                                             : arg.starts_with("--out") ? &out
                                                                        : nullptr;
        const std::string name = target == &in ? "in" : "out";
        if (target != nullptr && arg == "--" + name) {
            if (i + 1 >= args.size()) {
                refuse(Problem{name, std::nullopt, "needs a value",
                               "--" + name + " FILE or --" + name + " - (standard " +
                                   (name == "in" ? "input" : "output") + ")"});
            }
            *target = args[++i];
        } else if (target != nullptr && arg.starts_with("--" + name + "=")) {
            *target = arg.substr(name.size() + 3);
        } else {
            core_args.push_back(arg);
        }
        if (target != nullptr && *target && (*target)->empty()) {
            refuse(Problem{name, std::nullopt, "an empty file name", "a file name or -"});
        }
    }
    const CoreDefinition* core = nullptr;
    const Config config = checked_config(core_args, &core);
    if (!in || !out) {
        const std::string name = !in ? "in" : "out";
        refuse(Problem{name, std::nullopt,
                       "required: the " + std::string(!in ? "tb_in.hex beats to run the model on"
                                                          : "file the core's beats go to"),
                       "--" + name + " FILE or --" + name + " -"});
    }
    if (!core->model) {
        refuse("the core " + core->name +
               " has no model of its beats; accepted: the cores of ipgen --help");
    }
    std::vector<std::string> beats;
    try {
        beats = core->model(config, lines_of(read_beats_text(*in)));
    } catch (const BeatError& error) {
        refuse(Problem{"in", printable(*in),
                       (error.line() > 0 ? "line " + std::to_string(error.line()) + ": " : "") +
                           error.what(),
                       error.accepted()});
    }
    write_beats(*out, beats);
    return 0;
}

} // namespace ipgen::front
