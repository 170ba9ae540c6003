#pragma once
// The statuses the record manager answers; callers look their texts up by number, so the numbers
// are the contract.
#include <cstdint>

namespace qn::recmgr {

using Status = int16_t;

namespace status {
inline constexpr Status ok = 0;
inline constexpr Status invalidOperation = 1;
inline constexpr Status ioError = 2;
inline constexpr Status fileNotOpen = 3;
inline constexpr Status keyNotFound = 4;
inline constexpr Status duplicateKey = 5;
inline constexpr Status invalidKeyNumber = 6;
inline constexpr Status invalidPositioning = 8;
inline constexpr Status endOfFile = 9;
inline constexpr Status keyNotModifiable = 10;
inline constexpr Status invalidFileName = 11;
inline constexpr Status fileNotFound = 12;
inline constexpr Status diskFull = 18;
inline constexpr Status inactive = 20;
inline constexpr Status bufferTooShort = 22;
inline constexpr Status pageSizeError = 24;
inline constexpr Status invalidKeyDefinition = 29;
inline constexpr Status notRecordFile = 30;
inline constexpr Status directoryError = 35;
inline constexpr Status transactionActive = 37;
inline constexpr Status noTransaction = 39;
inline constexpr Status operationNotAllowed = 41;
inline constexpr Status invalidRecordAddress = 43;
inline constexpr Status readOnlyOpen = 46;
inline constexpr Status invalidOwner = 51;
inline constexpr Status fileExists = 59;
inline constexpr Status recordLocked = 84;
inline constexpr Status fileLocked = 85;
inline constexpr Status incompatibleMode = 88;
inline constexpr Status alreadyInitialized = 1016;

// Never answered: another client changed the file's keys; the layout has been read again and the
// operation runs once more on it.
inline constexpr Status layoutChanged = -1;
}  // namespace status

}  // namespace qn::recmgr
