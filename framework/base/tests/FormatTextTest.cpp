#include <gtest/gtest.h>

#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/base/tests/ScopedSettings.h"

namespace {

TEST(FormatTextTest, Directives) {
  const AnsiString client = "SMITH";
  struct Case {
    AnsiString text, expected;
  } cases[] = {
      {Format("%-7s%7s", {client, "12"}), "SMITH       12"},
      {Format("%-7s%-72s%7s%-20s", {"A", "B", "C", "D"}),
       "A      B" + AnsiString(71, ' ') + "      CD" + AnsiString(19, ' ')},
      {Format("%-7s|", {"TOOLONGCODE"}), "TOOLONGCODE|"},  // a width never cuts
      {Format("%-7.7s|", {"TOOLONGCODE"}), "TOOLONG|"},    // a precision does
      {Format("%-7.7s|", {"AB"}), "AB     |"},
      {Format("%.3s", {"ABCDEF"}), "ABC"},
      {Format("%s%s", {'x', AnsiString("y")}), "xy"},
      {Format("Status %d.", {2999}), "Status 2999."},
      {Format("%2d - ", {3}), " 3 - "},
      {Format("%5.5d", {42}), "00042"},
      {Format("%10.10d", {-42}), "-0000000042"},
      {Format("@QVAR%4.4d", {1}), "@QVAR0001"},
      {Format("%-5d|", {7}), "7    |"},
      {Format("%u", {-1}), "4294967295"},
      {Format("%u", {42u}), "42"},
      {Format("%x", {255}), "FF"},
      {Format("%4x", {255}), "  FF"},
      {Format("%.4x", {255}), "00FF"},
      {Format("%f", {2.5}), "2.50"},
      {Format("%7.4f", {12.5}), "12.5000"},
      {Format("%7.4f", {0.25}), " 0.2500"},
      {Format("%.2f", {2.675}), "2.68"},
      {Format("%.0f", {0.5}), "1"},
      {Format("%3f", {1.0}), "1.00"},
      {Format("%e", {1500.0}), "1.50000000000000E+003"},
      {Format("%.3e", {-0.00123}), "-1.23E-003"},
      {Format("%g", {0.1 + 0.2}), "0.3"},
      {Format("%g", {1e20}), "1E20"},
      {Format("%n", {1234567.891}), "1,234,567.89"},
      {Format("%.0n", {1234.5}), "1,235"},
      {Format("%m", {-1234.5}), "($1,234.50)"},
      {Format("%8.1m", {5.0}), "    $5.0"},
      {Format("%p", {nullptr}), AnsiString(16, '0')},
      {Format("%s_%d", {"Field", 2}), "Field_2"},
      {Format("100%%", {}), "100%"},
      {Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b"},
      {Format("%*d|%-*s|", {4, 7, 3, "x"}), "   7|x  |"},
      {Format("%.*f", {1, 2.25}), "2.3"},
      {Format("%D %S", {1, "s"}), "1 s"},
      {Format("%s", {"extra ignored", 1}), "extra ignored"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(FormatTextTest, MissingOrMismatchedArgumentsRaiseTheConversionError) {
  struct Case {
    AnsiString format;
    std::initializer_list<TVarRec> args;
  };
  const Case cases[] = {
      {"%d - %s", {404}},       // missing
      {"%d", {1.5}},            // a double for %d
      {"%f", {2}},              // an integer for %f
      {"%s", {12}},             // a number for %s
      {"%x", {"FF"}},
      {"%p", {3}},
      {"%k", {1}},              // unknown type
      {"%-7", {"a"}},           // no type at all
      {"%*d", {"w", 1}},        // a width that is not an integer
      {"%3:s", {"a", "b"}},     // index beyond the arguments
  };
  for (const Case& c : cases) EXPECT_THROW(Format(c.format, c.args), EConvertError) << c.format;
  try {
    Format("%d", {"x"});
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
  }
  try {
    Format("%s and %s", {"x"});
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "No argument for format '%s and %s'");
  }
}

TEST(FormatTextTest, WidthsPrecisionsAndIndexesBeyondAnIntegerRaise) {
  struct Case {
    AnsiString format;
    std::initializer_list<TVarRec> args;
  };
  const Case cases[] = {
      {"%4294967297d", {5}},               // would wrap to a width of 1
      {"%.4294967298d", {5}},              // would wrap to a precision of 2
      {"%4294967296:d", {5}},              // would wrap to index 0
      {"%99999999999999999999s", {"a"}},
      {"%*d", {int64_t{4294967297}, 5}},   // a star value that no width can hold
      {"%.*d", {uint64_t{4294967298}, 5}},
  };
  for (const Case& c : cases) EXPECT_THROW(Format(c.format, c.args), EConvertError) << c.format;
  EXPECT_EQ(Format("%*d|%.*d", {3, 5, 2, 7}), "  5|07");
}

TEST(FormatTextTest, SeparatorsComeFromTheLocale) {
  ScopedLocale locale;
  Locale().DecimalSeparator = ',';
  Locale().ThousandSeparator = '.';
  EXPECT_EQ(Format("%.2f|%n", {3.5, 1234.5}), "3,50|1.234,50");
}

}  // namespace
