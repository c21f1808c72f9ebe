// The host environment's libraries as the launcher calls them: the context
// library NTKRVED.dll, the process manager NTSTKDE.dll (both linked through
// import libraries made from the .def files beside this header), and the
// entry point 4 of qrylink.dll, which is loaded at run time.
#pragma once

#include <cstdint>

extern "C" {

// A handle of the host's current context; null when it cannot be opened.
using KRVEDAContext = void*;

KRVEDAContext KRVEDAOpenCurrentContext();
// Copies the value of `key` into `buffer` of `size` bytes, terminated;
// nonzero on success.
int KRVEDACopyContextString(KRVEDAContext context, const char* key, char* buffer, int size);
int KRVEDACopyContextPath(KRVEDAContext context, const char* key, char* buffer, int size);
void KRVEDACloseContext(KRVEDAContext context);

// One piece of output text for the host's process manager.
int SKOutputProcMsg(int process, int kind, const char* text);

// Entry point 4 of qrylink.dll: the tool's folder and a result cell.
using QrylinkEntry4 = int (*)(const char* tool_directory, std::int32_t* result);
}
