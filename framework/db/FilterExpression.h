#pragma once
// The filter expression block: the one binary form in which a filter travels from the dataset
// layer to whatever tests records (the in-memory dataset here, the record manager's cursors).
// All numbers little-endian.
//
//   header   5 × 16 bits: version (1), total size, node count, node-area start (10),
//            literal-area start
//   nodes    each: class (32 bits), operator (32 bits), then 16-bit operands by class;
//            node offsets count from the node-area start, and the root is at offset 0
//   literals field names (NUL-terminated) and constant values; offsets from the literal start
#include <cstdint>
#include <vector>

#include "framework/base/AnsiString.h"

namespace filterexpr {

constexpr uint16_t kVersion = 1;
constexpr int kHeaderSize = 10;
// Header words, by byte position.
constexpr int kVersionAt = 0, kTotalSizeAt = 2, kNodeCountAt = 4, kNodeStartAt = 6,
              kLiteralStartAt = 8;

// Node classes and the operands (16-bit words after class and operator) each carries.
enum NodeClass : uint32_t {
  nodeUnary = 1,     // operand offset
  nodeBinary = 2,    // left offset, right offset
  nodeCompare = 3,   // case-insensitive flag, partial length, left offset, right offset
  nodeField = 4,     // field number (1, 2, ... in order of appearance), name literal offset
  nodeConstant = 5,  // logical type, size in bytes, value literal offset
  nodeContinue = 7,  // value: non-zero is true
};

enum Operator : uint32_t {
  opIsBlank = 1, opNotBlank = 2, opEqual = 3, opNotEqual = 4, opGreater = 5, opLess = 6,
  opGreaterEqual = 7, opLessEqual = 8, opNot = 9, opAnd = 10, opOr = 11, opField = 13,
  opConstant = 14,
};

// Size of a node of each class: 8 bytes of class and operator plus its operands.
int NodeSize(NodeClass cls);

// The record manager's logical types, in which field and constant values are typed.
enum LogicalType : uint16_t {
  ltText = 1,        // NUL-terminated
  ltDate = 2,        // 32-bit day number, 1 January 0001 = 1
  ltBoolean = 4,     // 16 bits, non-zero true
  ltInteger = 5,     // signed, 1 or 2 bytes
  ltLongInt = 6,     // signed 32 bits
  ltFloat = 7,       // 8-byte double
  ltBCD = 8,
  ltBytes = 9,
  ltTime = 10,       // 32-bit milliseconds since midnight
  ltTimeStamp = 11,  // 8-byte double of milliseconds
  ltWord = 12,       // unsigned, 1 or 2 bytes
  ltLongWord = 13,   // unsigned 32 bits
  ltLiteral = 15,    // a text given in the expression (a field name that names no field)
};

inline uint16_t ReadWord(const std::vector<uint8_t>& block, int at) {
  return static_cast<uint16_t>(block.at(at) | (block.at(at + 1) << 8));
}
inline uint32_t ReadLong(const std::vector<uint8_t>& block, int at) {
  return ReadWord(block, at) | (static_cast<uint32_t>(ReadWord(block, at + 2)) << 16);
}

}  // namespace filterexpr
