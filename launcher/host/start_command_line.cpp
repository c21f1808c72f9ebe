// Test helper for the Windows launcher: starts the exact command line held
// in the environment variable TOOLRUN_COMMAND_LINE (so a test controls every
// quote and blank the launcher sees), hands it this program's standard
// handles, waits for it and prints "exit code <n>" with the child's exit
// code as a signed 32-bit number. Its own exit status is 0 when it could
// start the child, 1 when not.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    const char* command_line = std::getenv("TOOLRUN_COMMAND_LINE");
    if (command_line == nullptr) {
        std::fputs("TOOLRUN_COMMAND_LINE is not set\n", stderr);
        return 1;
    }
    std::string text = command_line;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, text.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", command_line, ::GetLastError());
        return 1;
    }
    ::CloseHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    std::printf("exit code %ld\n", static_cast<long>(static_cast<int>(code)));
    return 0;
}
