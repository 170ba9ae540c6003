// Narrative codes expanded in a description.
#include <gtest/gtest.h>

#include "core/DM.h"
#include "framework/base/FormatText.h"

namespace {

AnsiString entry(const char* code, const char* text) {
  return Format("%-3s%-120s", {AnsiString(code), AnsiString(text)}) + "F";
}

const std::vector<AnsiString> kCodes = {
    entry("tc", "telephone call with client"), entry("rev", "review of file"), entry("re", "never: 're ' is not 're'"),
    entry("rev", "second entry of the same code"), entry("sig", "signature."),
};

struct Expansion {
  const char* text;
  const char* expected;
};

class NarrativeCodes : public ::testing::TestWithParam<Expansion> {};

TEST_P(NarrativeCodes, Expand) {
  TDM dm(nullptr);
  AnsiString result = "left over";
  dm.ExpandNarrativeCodes(GetParam().text, kCodes, result);
  EXPECT_EQ(result, GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NarrativeCodes,
    ::testing::Values(
        Expansion{"+rev", "Review of file"},                                      // start of the text, code at the end
        Expansion{"+tc and +rev", "Telephone call with client and review of file"},  // first entry beginning with it
        Expansion{"done.+rev", "done. Review of file"},                           // after "." with a blank before
        Expansion{"Done! +rev.", "Done! Review of file."},                        // no blank before "."
        Expansion{"Why? +rev", "Why? Review of file"},
        Expansion{"(x) +rev", "(x) Review of file"},
        Expansion{"call+revnow", "call review of file now"},                      // blanks put before and after
        Expansion{"a +rev, b", "a review of file, b"},
        Expansion{"+sig +rev", "Signature. Review of file"},                      // an expansion ending a sentence
        Expansion{"see +xyz here", "see +xyz here"},                              // unknown code left as typed
        Expansion{"+re", "Never: 're ' is not 're'"},                             // "re" taken as "re "
        Expansion{"a+", "a+"},
        Expansion{"", ""}),
    [](const ::testing::TestParamInfo<Expansion>& info) { return "Text" + std::to_string(info.index); });

}  // namespace
