// What every program sets first thing in main(), so that no failure ends it
// without a word:
// - SIGXFSZ is ignored: a write beyond the file-size limit (ulimit -f) then
//   fails with EFBIG and is reported like any other failed write, with the
//   program's own message and failure status, instead of killing it.
// - Out of memory anywhere: one line "<program>: out of memory" on
//   `messages`, the temporary files removed, exit status 1 (instead of an
//   uncaught std::bad_alloc and SIGABRT).
#pragma once

#include <cstdio>

namespace ipgen {

inline constexpr int out_of_memory_status = 1;

void guard_process(const char* program, std::FILE* messages);

} // namespace ipgen
