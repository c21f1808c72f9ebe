#include "wine_run.hpp"

#include "../toolrun/launcher_test_support.hpp"
#include "program_runner.hpp"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace toolrun::wine {

namespace {

#ifdef TOOLRUN_WIN32_DIR
constexpr const char* win32_dir = TOOLRUN_WIN32_DIR;
constexpr const char* wine_path = WINE_PATH;
constexpr const char* wineserver_path = WINESERVER_PATH;
#else
constexpr const char* win32_dir = "";
constexpr const char* wine_path = "";
constexpr const char* wineserver_path = "";
#endif

// Wine's relay trace, limited to the calls the tests read.
constexpr const char* relay_include =
    "user32.MessageBoxA;user32.RegisterWindowMessageA;user32.RegisterClassA;"
    "user32.CreateWindowExA";

// The wineserver outlives each run, so that a run does not start it anew,
// and ends by itself a minute after the last one even if the suite dies.
constexpr const char* persistence = "-p60";

// A run that takes longer than this has hung (a message box waiting).
constexpr const char* run_time_limit = "120";

// Reads a string as Wine's debugstr_a writes it, from the opening quote at
// `at`; leaves `at` after the closing quote.
std::string read_traced_string(const std::string& line, std::size_t& at) {
    if (at >= line.size() || line[at] != '"') {
        throw std::runtime_error("no traced string in: " + line);
    }
    std::string text;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] != '\\' || at + 1 >= line.size()) {
            text.push_back(line[at]);
            continue;
        }
        const char escaped = line[++at];
        switch (escaped) {
        case 'n':
            text.push_back('\n');
            break;
        case 'r':
            text.push_back('\r');
            break;
        case 't':
            text.push_back('\t');
            break;
        case 'x':
            text.push_back(static_cast<char>(std::stoi(line.substr(at + 1, 2), nullptr, 16)));
            at += 2;
            break;
        default:
            text.push_back(escaped);
        }
    }
    ++at;
    return text;
}

// After a comma, an address and a blank: the traced string.
std::string read_argument_string(const std::string& line, std::size_t& at) {
    at = line.find(' ', at) + 1;
    return read_traced_string(line, at);
}

} // namespace

std::vector<MessageBoxCall> parse_message_boxes(const std::string& trace) {
    constexpr std::string_view call = ":Call user32.MessageBoxA(";
    std::vector<MessageBoxCall> boxes;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::size_t at = line.find(call);
        if (at == std::string::npos) {
            continue;
        }
        at += call.size();
        MessageBoxCall box;
        const std::size_t comma = line.find(',', at);
        box.owner = line.substr(at, comma - at);
        box.text = read_argument_string(line, at);
        box.text_cut = line.compare(at, 3, "...") == 0;
        box.caption = read_argument_string(line, at);
        box.flags = static_cast<std::uint32_t>(std::stoul(line.substr(at + 1), nullptr, 16));
        boxes.push_back(box);
    }
    return boxes;
}

std::string windows_path(const std::string& unix_path) {
    std::string path = "Z:" + unix_path;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

bool WineSession::available() {
    return *win32_dir != '\0' && *wine_path != '\0';
}

std::string WineSession::build_file(const std::string& relative) {
    return std::string(win32_dir) + "/" + relative;
}

std::string WineSession::toolrun_exe() {
    return build_file("app/toolrun.exe");
}

WineSession::WineSession() : prefix_(std::make_unique<ipgen::test::TempDir>()) {
    // Every wine call of the suite uses this prefix, no display (so message
    // boxes return at once even where a display exists) and no prompts to
    // install Mono or Gecko.
    ::setenv("WINEPREFIX", prefix_->path().c_str(), 1);
    ::setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ipgen::test::ScopedVariable quiet("WINEDEBUG", "-all");
    wineserver(persistence);
    if (wine({"wineboot", "-i"}, prefix_->path()).exit_status != 0) {
        throw std::runtime_error("wineboot failed");
    }
    const ipgen::test::RunResult relay =
        wine({"reg", "add", "HKCU\\Software\\Wine\\Debug", "/v", "RelayInclude", "/t", "REG_SZ",
              "/d", relay_include, "/f"},
             prefix_->path());
    if (relay.exit_status != 0) {
        throw std::runtime_error("cannot set the relay trace: " + relay.err);
    }
}

WineSession::~WineSession() {
    wineserver("-k");
}

void WineSession::wineserver(const std::string& option) const {
    ipgen::test::run_program(wineserver_path, {option}, prefix_->path());
}

ipgen::test::RunResult WineSession::wine(const std::vector<std::string>& args,
                                         const std::string& directory) const {
    std::vector<std::string> command = {run_time_limit, wine_path};
    command.insert(command.end(), args.begin(), args.end());
    return ipgen::test::run_program("/usr/bin/timeout", command, directory);
}

WineRun WineSession::run(const std::string& command_line, const std::string& directory) const {
    ipgen::test::ScopedVariable trace("WINEDEBUG", "-all,+relay");
    ipgen::test::ScopedVariable line("TOOLRUN_COMMAND_LINE", command_line);
    ipgen::test::RunResult result = wine({build_file("tools/start_command_line.exe")}, directory);
    if (result.out.empty() && result.err.empty()) {
        // Wine said nothing at all, not even its trace of the start-up: the
        // launcher never ran (seen once on a heavily loaded machine). Once more.
        std::fprintf(stderr, "wine ended with status %d, signal %d, silent; running again\n",
                     result.exit_status, result.signal);
        result = wine({build_file("tools/start_command_line.exe")}, directory);
    }
    WineRun run;
    run.wine_status = "wine status " + std::to_string(result.exit_status) + ", signal " +
                      std::to_string(result.signal) + ", output \"" + result.out + "\"";
    constexpr std::string_view exit_line = "exit code ";
    if (result.exit_status == 0 && result.out.rfind(exit_line, 0) == 0) {
        run.exit_code = std::stoi(result.out.substr(exit_line.size()));
    }
    run.trace = result.err;
    run.boxes = parse_message_boxes(result.err);
    std::istringstream lines(result.err);
    for (std::string text; std::getline(lines, text);) {
        const bool wine_line =
            text.size() > 5 && text[4] == ':' && text.find_first_not_of("0123456789abcdef") == 4;
        if (!wine_line && text.rfind("wine", 0) != 0) {
            run.program_errors += text + "\n";
        }
    }
    return run;
}

void WineSession::use_null_display_driver() const {
    ipgen::test::ScopedVariable quiet("WINEDEBUG", "-all");
    wine({"reg", "add", "HKCU\\Software\\Wine\\Drivers", "/v", "Graphics", "/t", "REG_SZ", "/d",
          "null", "/f"},
         prefix_->path());
    // The desktop process keeps the driver it started with: start afresh.
    wineserver("-k");
    wineserver("-w");
    wineserver(persistence);
}

} // namespace toolrun::wine
