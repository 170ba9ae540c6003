#pragma once
// Whether the caller runs on the process's first thread: the one the program's windows run on.
#include <sys/types.h>
#include <unistd.h>

inline bool OnMainThread() { return ::gettid() == ::getpid(); }
