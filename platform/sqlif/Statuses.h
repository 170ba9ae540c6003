#pragma once
// The statuses the SQL interface answers. The driver raises every one but a few by number and
// looks their texts up, so the numbers are the contract; README.md lists them.
#include <cstdint>

namespace qn::sqlif {

using Status = int16_t;

namespace status {
inline constexpr Status ok = 0;
inline constexpr Status recordLocked = 84;         // another writer held the database beyond the wait
inline constexpr Status transactionActive = 37;    // a second START TRANSACTION
inline constexpr Status noTransaction = 39;        // COMMIT or ROLLBACK without one
inline constexpr Status loginRefused = 205;        // unknown user or wrong password, alike
inline constexpr Status systemTablesUnreadable = 285;
inline constexpr Status invalidColumnPosition = 804;
inline constexpr Status remoteNotActive = 2103;

// Ours, from the SQL range.
inline constexpr Status badCursor = 210;
inline constexpr Status tooManyCursors = 211;
inline constexpr Status notLoggedIn = 212;
inline constexpr Status statementError = 220;
inline constexpr Status notSupported = 221;
inline constexpr Status noSuchProcedure = 222;
inline constexpr Status viewNotUpdatable = 223;
inline constexpr Status noCurrentRow = 224;
inline constexpr Status bufferTooShort = 225;
inline constexpr Status constraintFailed = 226;
inline constexpr Status invalidStoredValue = 227;
inline constexpr Status noMoreNames = 228;
inline constexpr Status databaseError = 229;  // SQLite failed for another reason (disk, damage)

// Warnings below zero: the call did what it could.
inline constexpr Status setStatementIgnored = -101;
inline constexpr Status unresolvedVariables = -108;
inline constexpr Status noMoreRows = -109;
}  // namespace status

}  // namespace qn::sqlif
