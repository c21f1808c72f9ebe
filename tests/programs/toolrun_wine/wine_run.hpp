// Running the Windows launcher under Wine: one headless Wine prefix for the
// whole suite, each run started through start_command_line.exe (so the test
// gives the exact command line and reads the exact 32-bit exit code), and
// the message boxes read back from Wine's relay trace of MessageBoxA.
#pragma once

#include "program_runner.hpp"
#include "test_files.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace toolrun::wine {

struct MessageBoxCall {
    std::string owner; // as traced, "00000000" for no owner
    std::string text;
    bool text_cut = false; // the trace shows only the text's first 300 or so characters
    std::string caption;
    std::uint32_t flags = 0;
};

struct WineRun {
    std::optional<int> exit_code;      // the launcher's, as a signed 32-bit value
    std::vector<MessageBoxCall> boxes; // in the order shown
    std::string trace;                 // Wine's standard error, relay lines included
    std::string program_errors;        // standard-error lines that are not Wine's
    std::string wine_status;           // how the wine process ended, for failure messages
};

// The boxes of a relay trace ("...:Call user32.MessageBoxA(owner,addr "text",addr
// "caption",flags) ret=...").
std::vector<MessageBoxCall> parse_message_boxes(const std::string& trace);

// A Unix path as Windows programs under Wine see it (drive Z: is the root).
std::string windows_path(const std::string& unix_path);

class WineSession {
  public:
    // Whether toolrun.exe was built and Wine is installed.
    static bool available();

    WineSession();  // creates the prefix and starts a persistent wineserver
    ~WineSession(); // ends the wineserver
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;

    // Runs `command_line` (the launcher's whole command line) in `directory`.
    WineRun run(const std::string& command_line, const std::string& directory) const;

    // Switches the prefix from no display driver (windows cannot be created,
    // message boxes return at once) to Wine's null driver (windows can be
    // created, a message box would wait for a click that never comes).
    void use_null_display_driver() const;

    // The launcher and its neighbours in the MinGW build.
    static std::string toolrun_exe();
    static std::string build_file(const std::string& relative);

  private:
    ipgen::test::RunResult wine(const std::vector<std::string>& args,
                                const std::string& directory) const;
    void wineserver(const std::string& option) const;

    std::unique_ptr<ipgen::test::TempDir> prefix_;
};

} // namespace toolrun::wine
