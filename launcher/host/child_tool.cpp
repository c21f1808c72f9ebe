// Test double of a tool the launcher starts (built for POSIX and Windows):
// writes the PATH it inherited to "child_path.txt" in its current folder
// (written aside and renamed, so a reader never sees half of it), then
// optionally sleeps TOOLRUN_CHILD_SLEEP_MS milliseconds and writes
// "child_done.txt"; it ends with exit code TOOLRUN_CHILD_EXIT (default 0).
// It also records how many arguments it got ("child_args.txt") and, on
// Windows, the show-window part of its start-up information
// ("child_startup.txt": "<STARTF_USESHOWWINDOW bit> <wShowWindow>").
#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

namespace {

void write_whole(const char* name, const std::string& text) {
    const std::string aside = std::string(name) + ".part";
    std::FILE* file = std::fopen(aside.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fputs(text.c_str(), file);
    std::fclose(file);
    std::rename(aside.c_str(), name);
}

void sleep_milliseconds(long milliseconds) {
#ifdef _WIN32
    ::Sleep(static_cast<DWORD>(milliseconds));
#else
    timespec delay{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    ::nanosleep(&delay, nullptr);
#endif
}

long number_from(const char* variable) {
    const char* text = std::getenv(variable);
    return text != nullptr ? std::strtol(text, nullptr, 10) : 0;
}

} // namespace

int main(int argc, char** argv) {
    (void)argv;
    const char* path = std::getenv("PATH");
    write_whole("child_path.txt", path != nullptr ? path : "<unset>");
    write_whole("child_args.txt", std::to_string(argc - 1));
#ifdef _WIN32
    STARTUPINFOA startup{};
    ::GetStartupInfoA(&startup);
    write_whole("child_startup.txt", std::to_string(startup.dwFlags & STARTF_USESHOWWINDOW) + " " +
                                         std::to_string(startup.wShowWindow));
#endif
    const long sleep = number_from("TOOLRUN_CHILD_SLEEP_MS");
    if (sleep > 0) {
        sleep_milliseconds(sleep);
        write_whole("child_done.txt", "done");
    }
    return static_cast<int>(number_from("TOOLRUN_CHILD_EXIT"));
}
