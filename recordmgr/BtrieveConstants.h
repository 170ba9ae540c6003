#pragma once
// Named constants of the record-manager library: dictionary file names, table-name options,
// the record manager's operation codes, and where its status texts live.
#include <cstdint>

constexpr const char* DdfFileName = "FILE.DDF";
constexpr const char* DdfFieldName = "FIELD.DDF";
constexpr const char* DdfIndexName = "INDEX.DDF";
constexpr const char* DdfFieldExtName = "FIELDEXT.DDF";
constexpr const char* DdfDriverDescription = "Btrieve (FILE.DDF)";
constexpr const char* DdfUserName = "USER.DDF";
constexpr const char* DdfProcName = "PROC.DDF";
constexpr const char* BtrieveDriverName = "BTRIEVE";
constexpr const char* ExecPrefix = "EXEC ";
constexpr const char* DdfOwnerName = "..KQ....";
constexpr const char* OwnerOptionKey = ";OWNER:";
constexpr const char* ResOptionKey = ";RES:";
constexpr int8_t DefaultKeyNumber = 0;

// The text of record-manager status s is string BtrieveStatusMessages + s.
constexpr int BtrieveStatusMessages = 5000;

// The library asked for when the configuration names none.
constexpr const char* DefaultEngineLibrary = "wbtrv32.dll";

// The record manager's operation codes the call object uses.
namespace BtrieveOperationCodes {
constexpr uint16_t Open = 0;
constexpr uint16_t Close = 1;
constexpr uint16_t Insert = 2;
constexpr uint16_t Update = 3;
constexpr uint16_t Delete = 4;
constexpr uint16_t GetEqual = 5;
constexpr uint16_t GetNext = 6;
constexpr uint16_t GetPrevious = 7;
constexpr uint16_t GetAfter = 8;
constexpr uint16_t GetAtOrAfter = 9;
constexpr uint16_t GetBefore = 10;
constexpr uint16_t GetAtOrBefore = 11;
constexpr uint16_t GetFirst = 12;
constexpr uint16_t GetLast = 13;
constexpr uint16_t Stat = 15;
constexpr uint16_t SetDirectory = 17;
constexpr uint16_t GetDirectory = 18;
constexpr uint16_t BeginTransaction = 19;
constexpr uint16_t BeginConcurrentTransaction = 1019;
constexpr uint16_t EndTransaction = 20;
constexpr uint16_t AbortTransaction = 21;
constexpr uint16_t GetPosition = 22;
constexpr uint16_t GetDirect = 23;
constexpr uint16_t StepNext = 24;
constexpr uint16_t Stop = 25;
constexpr uint16_t Unlock = 27;
constexpr uint16_t CreateIndex = 31;
constexpr uint16_t DropIndex = 32;
constexpr uint16_t StepFirst = 33;
constexpr uint16_t StepLast = 34;
constexpr uint16_t StepPrevious = 35;
constexpr uint16_t GetByPercentage = 44;
constexpr uint16_t FindPercentage = 45;
// Added once to a read: lock the record read, without waiting.
constexpr uint16_t SingleLockNoWait = 200;
}  // namespace BtrieveOperationCodes
