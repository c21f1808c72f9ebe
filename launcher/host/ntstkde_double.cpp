// Test double of the host's process manager NTSTKDE.dll: each call is
// appended to "proc_msg.txt" in the current folder as
// SKOutputProcMsg(<process>, <kind>, "<text>") and a line end, the text
// exactly as given.
#include "launcher/host/host_libraries.hpp"

#include <cstdio>

extern "C" int SKOutputProcMsg(int process, int kind, const char* text) {
    std::FILE* record = std::fopen("proc_msg.txt", "ab");
    if (record == nullptr) {
        return 0;
    }
    std::fprintf(record, "SKOutputProcMsg(%d, %d, \"%s\")\n", process, kind, text);
    std::fclose(record);
    return 1;
}
