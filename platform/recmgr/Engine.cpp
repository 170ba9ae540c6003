#include "platform/recmgr/Engine.h"

#include "platform/recmgr/OperationCodes.h"

namespace qn::recmgr {

Engine& Engine::instance() {
  static Engine engine;
  return engine;
}

Status Engine::call(Call& call) {
  std::lock_guard guard(mutex_);
  if (state_ == State::stopped) return call.operation == op::stop ? status::ok : status::inactive;
  state_ = State::running;
  return operations_.run(call);
}

Status Engine::initialize() {
  std::lock_guard guard(mutex_);
  if (state_ == State::running) return status::alreadyInitialized;
  state_ = State::running;
  return status::ok;
}

Status Engine::stopAll() {
  std::lock_guard guard(mutex_);
  handles_.clear();
  clients_.clear();
  state_ = State::stopped;
  return status::ok;
}

}  // namespace qn::recmgr
