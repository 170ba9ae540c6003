#pragma once
// The start-up guard: one running program per mode on a desktop. A second start of the same mode
// hands the desktop's attention to the program already running and ends; start-ups of the suite's
// programs are serialised by the named mutex, so a start that finds no window is the one that
// creates it.
#include <memory>

#include "framework/base/AnsiString.h"
#include "platform/os/NamedMutex.h"

// Held from the guard until the main block has created its forms; the case-manager test of the
// suite's other programs waits on the same name.
extern std::unique_ptr<qn::os::NamedMutex> SingleInstanceProgramHMutex;

inline constexpr const char* SingleInstanceMutexName = "SingleInstanceProgramHMutex";
inline constexpr int SingleInstanceWaitMs = 10000;

// Returns when this process is to go on starting (holding the mutex); ends the process with exit
// code 0 when the wait times out or when a running program of the mode was activated instead.
// FirstArgument is the command line's first argument: 7 characters mean the docket calendar.
void ActivateRunningInstance(const AnsiString& FirstArgument);

// The main window caption the mode of this first argument shows.
const AnsiString& MainWindowCaptionFor(const AnsiString& FirstArgument);
