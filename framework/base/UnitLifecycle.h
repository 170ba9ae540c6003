#pragma once
// Ordered start and stop of units. A unit (a source file with globals to set up: a session list, a
// texts object, the application object) registers a start and a stop routine and names the units
// that must start before it. The program's main and each test's main start all registered units
// once, every unit after its predecessors, and stop them in the reverse order at the end.
// C++ static initialisation gives no such order across libraries; registering is all it does.
//
// A unit is named after its file ("framework/base/Application"). Its registration lives in the
// file that defines what it starts, so it is linked in exactly when that is used:
//   static UnitRegistration unit("recordmgr/Sessions", {"framework/base/Application"},
//                                [] { ... start ... }, [] { ... stop ... });
#include <deque>
#include <exception>
#include <functional>
#include <initializer_list>
#include <vector>

#include "framework/base/Exception.h"

// Raised before any unit starts when the units cannot be ordered: their predecessors form a cycle,
// a predecessor is not a registered unit, or two units share a name.
class EUnitOrderError : public Exception {
  QN_CLASS(EUnitOrderError, Exception)
 public:
  using Exception::Exception;
};

struct UnitDefinition {
  AnsiString name;
  std::vector<AnsiString> predecessors;
  std::function<void()> start;  // may be empty
  std::function<void()> stop;   // may be empty
};

class UnitRegistry {
 public:
  // The units of this program, registered by UnitRegistration.
  static UnitRegistry& Program();

  void Register(UnitDefinition unit);

  // Starts every unit not started yet, each after its predecessors; units no predecessor relation
  // orders start in the order of their names. Checks the whole order before starting any. When a
  // start routine raises, the units this call started are stopped again (reverse order) and the
  // exception comes through.
  void StartAll();
  // Stops every started unit, the last started first. Every stop routine runs even when one
  // raises; the first exception comes through at the end.
  void StopAll();

 private:
  struct Unit {
    UnitDefinition definition;
    bool started = false;
  };

  // The registered units in start order; EUnitOrderError when there is none.
  std::vector<Unit*> startOrder();
  // Stops the given started units, the last first; answers the first exception raised.
  static std::exception_ptr stop(const std::vector<Unit*>& units);

  std::deque<Unit> units_;  // a deque: started_ points into it
  std::vector<Unit*> started_;  // in start order
};

// Registers a unit of the program at static initialisation.
class UnitRegistration {
 public:
  UnitRegistration(const char* name, std::initializer_list<const char*> predecessors, std::function<void()> start,
                   std::function<void()> stop = {});
};

// Starts the program's units for the life of this object (the mains hold one): StartAll on
// construction, StopAll on destruction, an error of the stop routines reported through
// HandleApplicationException.
class RunningUnits {
 public:
  RunningUnits();
  ~RunningUnits();
  RunningUnits(const RunningUnits&) = delete;
  RunningUnits& operator=(const RunningUnits&) = delete;
};
