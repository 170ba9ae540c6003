#pragma once
// The process's record manager: its clients, their handles, and whether it is running. Every
// entry point comes through here, one call at a time.
#include <mutex>

#include "platform/recmgr/Call.h"
#include "platform/recmgr/ClientTable.h"
#include "platform/recmgr/HandleTable.h"
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {

class Engine {
 public:
  static Engine& instance();

  // A call before any initialisation initialises; after stopAll calls answer 20 (stop answers 0)
  // until initialize.
  Status call(Call& call);
  // 0, or 1016 when already running.
  Status initialize();
  // Ends every client of the process.
  Status stopAll();

 private:
  enum class State { fresh, running, stopped };

  std::mutex mutex_;
  State state_ = State::fresh;
  ClientTable clients_;
  HandleTable handles_;
  Operations operations_{clients_, handles_};
};

}  // namespace qn::recmgr
