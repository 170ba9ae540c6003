#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "recordmgr/ExtendedFloat.h"
#include "recordmgr/SSQLSqlStmt.h"
#include "recordmgr/StoredDateTime.h"

namespace {

struct ParameterCase {
  const char* name;
  uint16_t type;
  uint16_t length;
  std::vector<uint8_t> value;
  const char* text;
};

template <typename T>
std::vector<uint8_t> bytesOf(T value) {
  std::vector<uint8_t> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

std::vector<uint8_t> extended(double value) {
  std::vector<uint8_t> bytes(10);
  WriteExtendedFloat(value, bytes.data());
  return bytes;
}

class SqlParameterTextTest : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(SqlParameterTextTest, FollowsTheParametersType) {
  FieldDescriptor descriptor{};
  descriptor.FieldType = GetParam().type;
  descriptor.FieldLength = GetParam().length;
  EXPECT_EQ(std::string(SqlParameterText(descriptor, GetParam().value.data())), GetParam().text);
}

// 3 March 2021 is day 737852 of the engine's count; 13:45:30 is 49,530,000 ms.
INSTANTIATE_TEST_SUITE_P(
    Types, SqlParameterTextTest,
    ::testing::Values(ParameterCase{"Text", 1, 8, {'a', 'b', ' ', 'c', 0, 'x', 'x', 'x'}, "ab c"},
                      ParameterCase{"TextFillingItsField", 1, 3, {'a', 'b', 'c'}, "abc"},
                      ParameterCase{"Date", 2, 4, bytesOf<int32_t>(737852), "3/3/2021"},
                      ParameterCase{"True", 4, 2, bytesOf<int16_t>(1), "TRUE"},
                      ParameterCase{"False", 4, 2, bytesOf<int16_t>(0), "FALSE"},
                      ParameterCase{"Small", 5, 2, bytesOf<int16_t>(-12), "-12"},
                      ParameterCase{"Integer", 6, 4, bytesOf<int32_t>(-70000), "-70000"},
                      ParameterCase{"Float", 7, 8, bytesOf<double>(2.5), "2.5"},
                      ParameterCase{"Bcd", 8, 8, bytesOf<double>(-0.25), "-0.25"},
                      ParameterCase{"Extended", 14, 10, extended(12.75), "12.75"},
                      ParameterCase{"Time", 10, 4, bytesOf<int32_t>(49530000), "1:45:30 PM"},
                      ParameterCase{"Word", 12, 2, bytesOf<uint16_t>(65535), "65535"},
                      ParameterCase{"LongWord", 13, 4, bytesOf<uint32_t>(4000000000u), "4000000000"},
                      ParameterCase{"Large", 18, 8, bytesOf<int64_t>(-9000000000LL), "-9000000000"},
                      ParameterCase{"LargeOther", 19, 8, bytesOf<int64_t>(123456789012LL), "123456789012"},
                      ParameterCase{"Timestamp", 11, 8, bytesOf<double>(1.0), ""},
                      ParameterCase{"Blob", 3, 8, bytesOf<double>(1.0), ""}),
    [](const ::testing::TestParamInfo<ParameterCase>& info) { return std::string(info.param.name); });

}  // namespace
