#pragma once
// The cursor suites run against any driver through a CursorDriverFactory: the in-memory counting
// driver here, the record-manager cursor beside it. A driver under test holds records of
// RecordSize bytes whose first field, "Id", a 32-bit integer at offset 0, holds 10, 20, 30 ...
// in the order of the current key; its second, "Name", is text of 12 bytes at offset 4.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recordmgr/BaseTable.h"

namespace cursortest {

constexpr uint16_t RecordSize = 16;
// The error a failing primitive raises: not a boundary (a record locked by another user).
constexpr uint16_t InjectedErrorCode = 10241;

class CursorDriver {
 public:
  virtual ~CursorDriver() = default;
  // Open and not yet positioned.
  virtual TBaseTable& Cursor() = 0;
  // The driver's primitive calls since the last ClearCalls, in order: "first", "last", "next",
  // "prior", "read" (a re-read of a record; "read+lock" under a lock), "search", "insert",
  // "delete", "unlock", and "open:" with the share mode and "close" for opening and closing the
  // table.
  virtual std::vector<std::string> Calls() const = 0;
  virtual void ClearCalls() = 0;
  // From now on, the calls of one primitive (named as in Calls) whose ordinal (1 for the next
  // one) the predicate picks fail with InjectedErrorCode and do nothing.
  virtual void FailCalls(const std::string& call, std::function<bool(int ordinal)> fails) = 0;
  // False for a driver that counts its records without reading them (the record manager keeps
  // the count) while no range or filter is active.
  virtual bool CountsByReading() const { return true; }
};

struct CursorDriverFactory {
  std::string name;
  std::function<std::unique_ptr<CursorDriver>(int recordCount)> make;
};

// The Id of a record buffer.
int32_t IdOf(const void* record);

// The counting driver's factory.
CursorDriverFactory CountingDriverFactory();

}  // namespace cursortest
