#pragma once
// Two services the layers below the user interface need from the application and cannot call
// directly: letting pending window messages be processed during a long loop (counting or deleting
// records), and reporting an exception that cannot travel further (a destroy handler's). The user-
// interface layer installs both; until then processing messages does nothing and a reported
// exception is written to the standard error stream (exceptions of the silent EAbort family not
// at all).
#include <functional>

class TObject;

using ProcessMessagesHook = std::function<void()>;
// Called inside a catch block, with the exception in flight, like HandleApplicationException.
using ExceptionHook = std::function<void(TObject* Sender)>;

// Lets the application process the messages waiting for it.
void ProcessPendingMessages();
// Installs hook (an empty one uninstalls); answers the one installed before.
ProcessMessagesHook SetProcessMessagesHook(ProcessMessagesHook hook);

// Reports the exception being handled (call it inside a catch block).
void HandleApplicationException(TObject* Sender);
bool ExceptionHookInstalled();
// Installs hook (an empty one uninstalls); answers the one installed before.
ExceptionHook SetExceptionHook(ExceptionHook hook);
