// The main window's unit started by a program of its own, as the program starts its units: once,
// in its place among the others, and never again.
#include <array>
#include <cstdio>
#include <memory>

#include "casewindow/tests/DemoStartFixture.h"

namespace casewindow_test {
namespace {

using UnitStartTest = DemoStartFixture;

// What the command printed.
std::string outputOf(const std::string& command) {
  std::string output;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::array<char, 512> buffer;
  while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
  return output;
}

TEST_F(UnitStartTest, TheUnitStartsOnceBeforeTheMainBlockAndASecondRunChangesNothing) {
  setHost("CaFormSize", "1");
  setHost("HideClosedCasesOnMatterScreen", "N");
  const std::string program = testProgramFolder();
  const std::string settings = " description=Quillon demo data data=" + dataDir() + " lookup=" + dataDir() +
                               " size=1 workstation=01 program=" + program + " lookupProgram=" + program +
                               " hideClosed=0 hideInactive=0 registered=1\n";
  EXPECT_EQ(outputOf("'" + program + "/qn-casewindow-start-child' 250101"), "first" + settings + "again" + settings);
  EXPECT_EQ(host("CaFormSize"), "2") << "the child changed it";
}

TEST_F(UnitStartTest, TheUnitStartReportsAMissingWorkstationFileAndGoesOn) {
  std::remove((demo + "/root/windows/Qnvantor.ini").c_str());
  const std::string output = outputOf("'" + testProgramFolder() + "/qn-casewindow-start-child' 250101d");
  EXPECT_NE(output.find("box Initialization file could not be read or is not in the proper format."), std::string::npos)
      << output;
  EXPECT_NE(output.find("box WSID variable is missing from the Initialization file."), std::string::npos) << output;
  EXPECT_NE(output.find("first description=Quillon demo data"), std::string::npos) << output;
}

}  // namespace
}  // namespace casewindow_test
