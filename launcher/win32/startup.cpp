#include "launcher/win32/startup.hpp"

#include <string>

namespace toolrun {

namespace {

LRESULT CALLBACK hidden_window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    return ::DefWindowProcA(window, message, w, l);
}

} // namespace

UINT register_notify_message() {
    return ::RegisterWindowMessageA(notify_message_name);
}

void create_hidden_window(HINSTANCE instance, const char* command_line) {
    WNDCLASSA window_class{};
    window_class.style = 0;
    window_class.lpfnWndProc = hidden_window_procedure;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = instance;
    window_class.hIcon = nullptr;
    window_class.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszMenuName = nullptr;
    window_class.lpszClassName = window_class_name;
    ::RegisterClassA(&window_class);

    const HWND window = ::CreateWindowExA(0, window_class_name, "hello", WS_SYSMENU, CW_USEDEFAULT,
                                          0, CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        const std::string text = std::string(command_line) + ": Failed to Create Window.\n";
        ::MessageBoxA(nullptr, text.c_str(), "CREATE WINDOW", MB_OK);
    }
}

} // namespace toolrun
