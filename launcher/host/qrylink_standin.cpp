// Stand-in of the host's link library qrylink.dll, for the POSIX launcher
// (libqrylink.so, entry points found by these names) and for the Windows
// tests (qrylink.dll, the same functions exported by ordinal through
// qrylink.def). Entry point 4 appends the folder it is given, as one line,
// to "qrylink_entry4.txt" in the current folder; on Windows it also records
// the calling thread's priority in "qrylink_priority.txt". A POSIX build
// with QRYLINK_BROKEN lacks ordinal 9, so loading it fails (the Windows
// broken library leaves it out of its .def file instead).
#include <cstdint>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

extern "C" {

int qrylink_ordinal_3() {
    return 0;
}

int qrylink_ordinal_4(const char* tool_directory, std::int32_t* result) {
    if (std::FILE* record = std::fopen("qrylink_entry4.txt", "ab")) {
        std::fprintf(record, "%s\n", tool_directory);
        std::fclose(record);
    }
#ifdef _WIN32
    if (std::FILE* record = std::fopen("qrylink_priority.txt", "wb")) {
        std::fprintf(record, "%d", ::GetThreadPriority(::GetCurrentThread()));
        std::fclose(record);
    }
#endif
    *result = 1;
    return 1;
}

#ifndef QRYLINK_BROKEN
int qrylink_ordinal_9() {
    return 0;
}
#endif
}
