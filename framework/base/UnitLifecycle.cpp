#include "framework/base/UnitLifecycle.h"

#include <algorithm>
#include <map>
#include <set>

#include "framework/base/ApplicationHooks.h"

UnitRegistry& UnitRegistry::Program() {
  static UnitRegistry registry;
  return registry;
}

void UnitRegistry::Register(UnitDefinition unit) { units_.push_back(Unit{std::move(unit)}); }

std::vector<UnitRegistry::Unit*> UnitRegistry::startOrder() {
  std::map<AnsiString, Unit*> byName;
  for (Unit& unit : units_)
    if (!byName.emplace(unit.definition.name, &unit).second)
      throw EUnitOrderError("Two units are named " + unit.definition.name);

  std::map<Unit*, int> waitingFor;                 // predecessors not yet placed
  std::map<Unit*, std::vector<Unit*>> successors;  // who waits for a unit
  for (Unit& unit : units_) {
    waitingFor[&unit] = 0;
    for (const AnsiString& predecessor : unit.definition.predecessors) {
      auto found = byName.find(predecessor);
      if (found == byName.end())
        throw EUnitOrderError("Unit " + unit.definition.name + " needs unit " + predecessor +
                              ", which is not registered");
      ++waitingFor[&unit];
      successors[found->second].push_back(&unit);
    }
  }

  auto byUnitName = [](const Unit* a, const Unit* b) { return a->definition.name < b->definition.name; };
  std::set<Unit*, decltype(byUnitName)> ready(byUnitName);
  for (auto& [unit, count] : waitingFor)
    if (count == 0) ready.insert(unit);
  std::vector<Unit*> order;
  while (!ready.empty()) {
    Unit* next = *ready.begin();
    ready.erase(ready.begin());
    order.push_back(next);
    for (Unit* successor : successors[next])
      if (--waitingFor[successor] == 0) ready.insert(successor);
  }
  if (order.size() == units_.size()) return order;

  // Every unit left waits for another unit left: following the predecessors among them from any
  // of them runs into a cycle. It is named from its first name in order, so the message is stable.
  auto waiting = [&](Unit* unit) { return waitingFor[unit] > 0; };
  Unit* unit = std::find_if(waitingFor.begin(), waitingFor.end(), [&](auto& entry) { return entry.second > 0; })->first;
  std::vector<Unit*> path;
  while (std::find(path.begin(), path.end(), unit) == path.end()) {
    path.push_back(unit);
    for (const AnsiString& predecessor : unit->definition.predecessors)
      if (waiting(byName[predecessor])) {
        unit = byName[predecessor];
        break;
      }
  }
  std::vector<Unit*> cycle(std::find(path.begin(), path.end(), unit), path.end());
  std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end(), byUnitName), cycle.end());
  AnsiString names;
  for (Unit* member : cycle) names += member->definition.name + " needs ";
  throw EUnitOrderError("Units cannot be started: their predecessors form a cycle: " + names +
                        cycle.front()->definition.name);
}

void UnitRegistry::StartAll() {
  std::vector<Unit*> startedNow;
  try {
    for (Unit* unit : startOrder()) {
      if (unit->started) continue;
      if (unit->definition.start) unit->definition.start();
      unit->started = true;
      started_.push_back(unit);
      startedNow.push_back(unit);
    }
  } catch (...) {
    stop(startedNow);
    for (Unit* unit : startedNow) started_.erase(std::find(started_.begin(), started_.end(), unit));
    throw;
  }
}

void UnitRegistry::StopAll() {
  std::vector<Unit*> units;
  units.swap(started_);
  if (std::exception_ptr error = stop(units)) std::rethrow_exception(error);
}

std::exception_ptr UnitRegistry::stop(const std::vector<Unit*>& units) {
  std::exception_ptr first;
  for (auto it = units.rbegin(); it != units.rend(); ++it) {
    (*it)->started = false;
    try {
      if ((*it)->definition.stop) (*it)->definition.stop();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  return first;
}

UnitRegistration::UnitRegistration(const char* name, std::initializer_list<const char*> predecessors,
                                   std::function<void()> start, std::function<void()> stop) {
  UnitRegistry::Program().Register(
      UnitDefinition{name, std::vector<AnsiString>(predecessors.begin(), predecessors.end()), std::move(start),
                     std::move(stop)});
}

RunningUnits::RunningUnits() { UnitRegistry::Program().StartAll(); }

RunningUnits::~RunningUnits() {
  try {
    UnitRegistry::Program().StopAll();
  } catch (...) {
    HandleApplicationException(nullptr);
  }
}
