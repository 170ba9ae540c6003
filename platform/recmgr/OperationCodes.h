#pragma once
// Operation codes of the record manager's calls and the lock biases added to read operations.
#include <cstdint>

namespace qn::recmgr::op {

inline constexpr uint16_t open = 0;
inline constexpr uint16_t close = 1;
inline constexpr uint16_t insert = 2;
inline constexpr uint16_t update = 3;
inline constexpr uint16_t remove = 4;
inline constexpr uint16_t getEqual = 5;
inline constexpr uint16_t getNext = 6;
inline constexpr uint16_t getPrevious = 7;
inline constexpr uint16_t getGreater = 8;
inline constexpr uint16_t getGreaterOrEqual = 9;
inline constexpr uint16_t getLess = 10;
inline constexpr uint16_t getLessOrEqual = 11;
inline constexpr uint16_t getFirst = 12;
inline constexpr uint16_t getLast = 13;
inline constexpr uint16_t create = 14;
inline constexpr uint16_t stat = 15;
inline constexpr uint16_t setDirectory = 17;
inline constexpr uint16_t getDirectory = 18;
inline constexpr uint16_t beginTransaction = 19;
inline constexpr uint16_t endTransaction = 20;
inline constexpr uint16_t abortTransaction = 21;
inline constexpr uint16_t getPosition = 22;
inline constexpr uint16_t getDirect = 23;
inline constexpr uint16_t stepNext = 24;
inline constexpr uint16_t stop = 25;
inline constexpr uint16_t unlock = 27;
inline constexpr uint16_t createIndex = 31;
inline constexpr uint16_t dropIndex = 32;
inline constexpr uint16_t stepFirst = 33;
inline constexpr uint16_t stepLast = 34;
inline constexpr uint16_t stepPrevious = 35;
inline constexpr uint16_t getByPercentage = 44;
inline constexpr uint16_t findPercentage = 45;
inline constexpr uint16_t beginConcurrentTransaction = 1019;

// Added to a read: +200 single-record lock, +400 multiple-record lock; +100 and +300 are their
// waiting forms.
inline constexpr uint16_t waitSingleLockBias = 100;
inline constexpr uint16_t singleLockBias = 200;
inline constexpr uint16_t waitMultipleLockBias = 300;
inline constexpr uint16_t multipleLockBias = 400;

}  // namespace qn::recmgr::op
