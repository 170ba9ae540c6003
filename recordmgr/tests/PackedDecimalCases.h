#pragma once
// Packed decimals both packed-decimal conversions of the program agree on: the field converters'
// stored decimal type and the application core's record-file decimals. One table of bytes and
// values, read and written by each.
#include <string>
#include <vector>

namespace packedcases {

struct PackedCase {
  int size;
  int decimals;
  double value;
  std::string bytes;
};

inline const std::vector<PackedCase>& agreedCases() {
  static const std::vector<PackedCase> cases = {
      {2, 0, 123, std::string("\x12\x3F", 2)},
      {2, 0, -123, std::string("\x12\x3D", 2)},
      {3, 0, 12345, std::string("\x12\x34\x5F", 3)},
      {3, 0, 0, std::string("\x00\x00\x0F", 3)},
      {1, 0, 9, std::string("\x9F", 1)},
      {1, 0, -9, std::string("\x9D", 1)},
      {1, 1, 0.5, std::string("\x5F", 1)},
      {2, 3, 0.25, std::string("\x25\x0F", 2)},
      {4, 2, -99999.99, std::string("\x99\x99\x99\x9D", 4)},
      {6, 2, 999999999.99, std::string("\x99\x99\x99\x99\x99\x9F", 6)},
      {6, 2, -1234.56, std::string("\x00\x00\x01\x23\x45\x6D", 6)},
      {6, 0, 98765432101.0, std::string("\x98\x76\x54\x32\x10\x1F", 6)},
  };
  return cases;
}

// Values that round to zero are stored positive; a negative zero reads as plain 0.
inline const std::vector<PackedCase>& zeroCases() {
  static const std::vector<PackedCase> cases = {
      {2, 2, -0.001, std::string("\x00\x0F", 2)},
      {3, 0, -0.4, std::string("\x00\x00\x0F", 3)},
  };
  return cases;
}

inline const std::string kNegativeZero("\x00\x00\x0D", 3);

}  // namespace packedcases
