#include "framework/base/ApplicationHooks.h"

#include <exception>
#include <iostream>
#include <mutex>

#include "framework/base/Object.h"

namespace {

std::mutex hooksMutex;
ProcessMessagesHook processMessagesHook;
ExceptionHook exceptionHook;

template <class Hook>
Hook installed(const Hook& hook) {
  std::lock_guard lock(hooksMutex);
  return hook;
}

template <class Hook>
Hook replace(Hook& slot, Hook hook) {
  std::lock_guard lock(hooksMutex);
  std::swap(slot, hook);
  return hook;
}

void writeToStandardError() {
  try {
    throw;
  } catch (const TObject& object) {
    if (object.InheritsFrom("EAbort")) return;
    const auto* e = dynamic_cast<const std::exception*>(&object);
    std::cerr << (e ? e->what() : object.ClassName().c_str()) << '\n';
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
  } catch (...) {
    std::cerr << "unknown exception\n";
  }
}

}  // namespace

void ProcessPendingMessages() {
  if (ProcessMessagesHook hook = installed(processMessagesHook)) hook();
}

ProcessMessagesHook SetProcessMessagesHook(ProcessMessagesHook hook) {
  return replace(processMessagesHook, std::move(hook));
}

void HandleApplicationException(TObject* Sender) {
  if (ExceptionHook hook = installed(exceptionHook))
    hook(Sender);
  else
    writeToStandardError();
}

bool ExceptionHookInstalled() { return static_cast<bool>(installed(exceptionHook)); }

ExceptionHook SetExceptionHook(ExceptionHook hook) { return replace(exceptionHook, std::move(hook)); }
