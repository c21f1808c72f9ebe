#include "launcher/win32/win32_platform.hpp"

#include <array>
#include <string>

namespace toolrun {

namespace {

constexpr const char* link_library_name = "qrylink.dll";

// The launcher's path buffers: 259 characters and the terminator.
using PathBuffer = std::array<char, 260>;

std::optional<std::string> copied(int result, PathBuffer& buffer) {
    if (result == 0) {
        return std::nullopt;
    }
    buffer.back() = '\0'; // whatever the host wrote, the value ends in the buffer
    return std::string(buffer.data());
}

} // namespace

bool Win32Platform::open_context() {
    context_ = KRVEDAOpenCurrentContext();
    return context_ != nullptr;
}

std::optional<std::string> Win32Platform::copy_context_string(const std::string& key, int size) {
    PathBuffer buffer{};
    return copied(KRVEDACopyContextString(context_, key.c_str(), buffer.data(), size), buffer);
}

std::optional<std::string> Win32Platform::copy_context_path(const std::string& key, int size) {
    PathBuffer buffer{};
    return copied(KRVEDACopyContextPath(context_, key.c_str(), buffer.data(), size), buffer);
}

void Win32Platform::close_context() {
    KRVEDACloseContext(context_);
    context_ = nullptr;
}

void Win32Platform::error_box(const std::string& text) {
    ::MessageBoxA(nullptr, text.c_str(), "Error Message",
                  MB_ICONHAND | MB_SETFOREGROUND | MB_TOPMOST);
}

void Win32Platform::show_last_error() {
    // Many system texts hold inserts ("%1 is not a valid Win32
    // application."): without FORMAT_MESSAGE_IGNORE_INSERTS the call fails
    // for them and the box would be empty, so they are left as they stand.
    const DWORD error = ::GetLastError();
    char* text = nullptr;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                     reinterpret_cast<char*>(&text), 0, nullptr);
    const std::string shown = text != nullptr ? text : "Error " + std::to_string(error);
    ::MessageBoxA(nullptr, shown.c_str(), "GetLastError", MB_OK | MB_ICONINFORMATION);
    ::LocalFree(text);
}

void Win32Platform::output_proc_msg(const std::string& piece) {
    SKOutputProcMsg(0, 0, piece.c_str());
}

std::optional<std::string> Win32Platform::get_path_variable() {
    const DWORD size = ::GetEnvironmentVariableA("PATH", nullptr, 0);
    if (size == 0) {
        return ::GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                          : std::optional<std::string>("");
    }
    std::string value(size, '\0');
    const DWORD length = ::GetEnvironmentVariableA("PATH", value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

void Win32Platform::set_path_variable(const std::string& value) {
    // The process environment block: what CreateProcessA hands to the tool
    // and where LoadLibraryA looks for qrylink.dll.
    ::SetEnvironmentVariableA("PATH", value.c_str());
}

std::optional<std::uint64_t> Win32Platform::file_size(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA status{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &status)) {
        return std::nullopt;
    }
    if ((status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return 0;
    }
    return (static_cast<std::uint64_t>(status.nFileSizeHigh) << 32) | status.nFileSizeLow;
}

std::optional<ChildPoll> Win32Platform::start_process(const std::string& path) {
    STARTUPINFOA startup{};
    ::GetStartupInfoA(&startup);
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    SECURITY_ATTRIBUTES process_security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    SECURITY_ATTRIBUTES thread_security{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(path.c_str(), nullptr, &process_security, &thread_security, FALSE,
                          CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &process)) {
        return std::nullopt;
    }
    ::CloseHandle(process.hThread);
    ChildPoll poll;
    if (::WaitForSingleObject(process.hProcess, 0) != WAIT_FAILED) {
        DWORD code = 0;
        poll.poll_ok = ::GetExitCodeProcess(process.hProcess, &code) != 0;
        poll.exit_code = code;
    }
    if (!poll.poll_ok || poll.exit_code == 0) {
        ::CloseHandle(process.hProcess);
    }
    return poll;
}

bool Win32Platform::free_loaded_link_copy() {
    const HMODULE loaded = ::GetModuleHandleA(link_library_name);
    return loaded != nullptr && ::FreeLibrary(loaded) != 0;
}

bool Win32Platform::load_link_library() {
    link_library_ = ::LoadLibraryA(link_library_name);
    return link_library_ != nullptr;
}

bool Win32Platform::resolve_link_ordinal(int ordinal) {
    const FARPROC entry = ::GetProcAddress(link_library_, MAKEINTRESOURCEA(ordinal));
    if (entry != nullptr && ordinal == 4) {
        // Through the generic function type, which any function pointer
        // converts to and from.
        entry_4_ = reinterpret_cast<QrylinkEntry4>(reinterpret_cast<void (*)()>(entry));
    }
    return entry != nullptr;
}

void Win32Platform::lower_thread_priority() {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_LOWEST);
}

void Win32Platform::call_link_entry_4(const std::string& tool_directory, std::int32_t& result) {
    if (entry_4_ != nullptr) {
        entry_4_(tool_directory.c_str(), &result);
    }
}

void Win32Platform::free_link_library() {
    if (link_library_ != nullptr) {
        ::FreeLibrary(link_library_);
        link_library_ = nullptr;
        entry_4_ = nullptr;
    }
}

} // namespace toolrun
