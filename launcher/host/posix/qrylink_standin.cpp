// POSIX stand-in of the host's link library qrylink.dll: entry points named
// by the Windows library's ordinals. Entry point 4 appends the folder it is
// given, as one line, to "qrylink_entry4.txt" in the current folder. Built
// without QRYLINK_BROKEN it exports ordinals 3, 4 and 9; with it, ordinal 9
// is missing, so loading fails.
#include <cstdint>
#include <cstdio>

extern "C" {

int qrylink_ordinal_3() {
    return 0;
}

int qrylink_ordinal_4(const char* tool_directory, std::int32_t* result) {
    if (std::FILE* record = std::fopen("qrylink_entry4.txt", "a")) {
        std::fprintf(record, "%s\n", tool_directory);
        std::fclose(record);
    }
    *result = 1;
    return 1;
}

#ifndef QRYLINK_BROKEN
int qrylink_ordinal_9() {
    return 0;
}
#endif
}
