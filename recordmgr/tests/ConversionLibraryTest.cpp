// The optional conversion library: without one (as the program ships) its types fail as
// unconvertible values; with one, the stories of conversiontests/ run in child processes whose
// LD_LIBRARY_PATH names the folder of one test library, as the library loads once per process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "framework/ui/Application.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/ConversionFunctions.h"
#include "recordmgr/ConverterOptions.h"
#include "recordmgr/FieldConverters.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

struct StoryRun {
  int exitCode = -1;
  std::string output;
};

// Runs the stories matching filter with LD_LIBRARY_PATH set to libraryDir.
StoryRun runStories(const std::string& filter, const std::string& libraryDir) {
  const std::string command =
      "LD_LIBRARY_PATH='" + libraryDir + "' '" + QN_CONVERSION_STORIES + "' --gtest_filter='" + filter + "' 2>&1";
  StoryRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> chunk;
  while (size_t n = fread(chunk.data(), 1, chunk.size(), pipe)) run.output.append(chunk.data(), n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

int readStatus(uint16_t type, const std::vector<uint8_t>& stored) {
  bool blank = false;
  double value[2] = {};
  try {
    GetStoredField(type, static_cast<uint16_t>(stored.size()), 0, blank, value, stored.data(),
                   static_cast<uint16_t>(stored.size()));
  } catch (const EBtrieveEngineError& error) {
    return error.BtrieveStatus();
  }
  return 0;
}

TEST(ConversionLibraryTest, WithoutALibraryNothingIsShownAndItsTypesCannotBeConverted) {
  ScriptedMessageBoxes boxes;  // any box fails
  EXPECT_FALSE(ConverterAvailable());
  EXPECT_FALSE(ConverterAvailable());
  EXPECT_FALSE(Application->Terminated());

  const std::vector<uint8_t> filled = {1, 2, 3, 4, 5, 6, 7, 8};
  for (uint16_t type :
       {228, 229, 230, 231, 233, 234, 235, 236, 237, 239, 240, 241, 242, 243, 244, 245, 246, 247, 254}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(readStatus(type, filled), 2999);
    double value = 1.5;
    std::vector<uint8_t> stored(8, 0xFF);
    try {
      PutStoredField(type, 8, 0, &value, stored.data(), 8);
      ADD_FAILURE() << "stored without a library";
    } catch (const EBtrieveEngineError& error) {
      EXPECT_EQ(error.BtrieveStatus(), 2999);
    }
    ConverterOptions.Write = true;
    std::fill(stored.begin(), stored.end(), 0xFF);
    PutStoredField(type, 8, 0, &value, stored.data(), 8);
    EXPECT_EQ(stored, std::vector<uint8_t>(8, 0));
    ConverterOptions = TConverterOptions();
  }
}

TEST(ConversionLibraryTest, WithoutALibraryBlankDatesAndZeroNumbersNeedNoCall) {
  const std::vector<uint8_t> zeros(8, 0);
  struct Case {
    uint16_t type;
    bool blank;
  };
  for (const Case& c :
       {Case{228, true}, Case{233, true}, Case{236, true}, Case{240, true}, Case{242, true}, Case{235, false},
        Case{237, false}, Case{239, false}, Case{246, false}, Case{247, false}, Case{254, false}}) {
    SCOPED_TRACE(c.type);
    bool blank = !c.blank;
    double value = 3.0;
    GetStoredField(c.type, 8, 0, blank, &value, zeros.data(), 8);
    EXPECT_EQ(blank, c.blank);
    if (!c.blank) {
      EXPECT_EQ(value, 0.0);
    }
  }
  EXPECT_FALSE(ConverterAvailable());
}

TEST(ConversionLibraryTest, TheFirstChoiceLoadsWithAllItsEntryPoints) {
  StoryRun run = runStories("Korvoc32Story.*", QN_KORVOC32_DIR);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.find("[  PASSED  ] 0 tests"), std::string::npos) << run.output;
}

TEST(ConversionLibraryTest, TheSecondChoiceLoadsAndReportsWhatItLacks) {
  StoryRun run = runStories("S2dtconvStory.*", QN_S2DTCONV_DIR);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.find("[  PASSED  ] 0 tests"), std::string::npos) << run.output;
}

TEST(ConversionLibraryTest, StoriesFailWhereTheirLibraryIsMissing) {
  // The stories themselves can fail: without the library's folder they find none.
  StoryRun run = runStories("Korvoc32Story.IsLoadedOnceWithEveryEntryPointAndNoMessage", "/nonexistent");
  EXPECT_NE(run.exitCode, 0) << run.output;
}

}  // namespace
