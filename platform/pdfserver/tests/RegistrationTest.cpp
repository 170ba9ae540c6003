// The report server's registration: every key and value in order under both hives, a key that
// cannot be opened stopping the rest, and the server's short path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os/FaultInjection.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/RegistryKey.h"
#include "platform/pdfserver/Registration.h"
#include "testing/TestFiles.h"

namespace {

using qn::os::RegistryKey;
using namespace qn::pdfserver;

const std::string Clsid = "{C08D629F-1C7A-45A7-87F6-5C483BA32121}";

struct Expected {
  std::string key, name, value;
};

std::vector<Expected> machineTable(const std::string& server) {
  const std::string c = "\\Software\\CLASSES\\CLSID\\" + Clsid;
  return {{c, "", "PDFDocument Object"},
          {c + "\\TypeLib", "", "{3D9C5168-E754-42BE-9816-7E12E9CF8BED}"},
          {c + "\\TypeLib\\1.0", "", "PDFREPORT_XP library"},
          {c + "\\TypeLib\\1.0\\FLAGS", "", "0"},
          {c + "\\TypeLib\\1.0\\0\\Win32", "", server},
          {c + "\\InprocServer32", "", server},
          {c + "\\InprocServer32", "ThreadingModel", "Both"},
          {c + "\\ProgID", "", "PDFREPORT_XP.PDFDocument"},
          {c + "\\Version", "", "1.0"}};
}

std::vector<Expected> classesTable(const std::string& server) {
  const std::string c = "\\CLSID\\" + Clsid;
  return {{c, "", "PDFDocument Object"},
          {c + "\\TypeLib", "", "{3D9C5168-E754-42BE-9816-7E12E9CF8BED}"},
          {c + "\\InprocServer32", "", server},
          {c + "\\InprocServer32", "ThreadingModel", "Both"},
          {c + "\\ProgID", "", "PDFREPORT_XP.PDFDocument"},
          {c + "\\Version", "", "1.0"}};
}

// The value as a fresh read of the hive file gives it; "<missing>" when the key or value is absent.
std::string readBack(uint32_t root, const Expected& e) {
  RegistryKey registry(root, qn::os::KEY_READ);
  if (!registry.OpenKeyReadOnly(e.key) || !registry.ValueExists(e.name)) return "<missing>";
  return registry.ReadString(e.name);
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryKey(qn::os::HKEY_LOCAL_MACHINE).DeleteKey("\\Software\\CLASSES");
    RegistryKey(qn::os::HKEY_CLASSES_ROOT).DeleteKey("\\CLSID");
  }
};

TEST_F(RegistrationTest, EveryKeyAndValueIsWrittenUnderBothHives) {
  const RegistrationWrite written = WriteRegistration("C:\\Program Files\\Quillon\\");
  EXPECT_TRUE(written.written) << written.error;
  EXPECT_EQ(written.valuesWritten, 15);
  const std::string server = "C:\\Progra~1\\Quillon\\PDFREPXP.DLL";
  for (const Expected& e : machineTable(server))
    EXPECT_EQ(readBack(qn::os::HKEY_LOCAL_MACHINE, e), e.value) << e.key << " " << e.name;
  for (const Expected& e : classesTable(server))
    EXPECT_EQ(readBack(qn::os::HKEY_CLASSES_ROOT, e), e.value) << e.key << " " << e.name;
  // The hive files themselves hold them, as another process would read them.
  const std::string machine = qn::testing::readFileText(qn::os::registryDir() + "/HKEY_LOCAL_MACHINE.hive");
  const std::string classes = qn::testing::readFileText(qn::os::registryDir() + "/HKEY_CLASSES_ROOT.hive");
  EXPECT_NE(machine.find("[Software\\CLASSES\\CLSID\\" + Clsid + "\\TypeLib\\1.0\\0\\Win32]"), std::string::npos);
  EXPECT_NE(classes.find("\"ThreadingModel\"=str:\"Both\""), std::string::npos);
  const RegisteredPath read = ReadRegisteredPath();
  EXPECT_TRUE(read.keyOpened);
  EXPECT_TRUE(read.valueRead);
  EXPECT_EQ(read.path, server);
  EXPECT_EQ(ClassesRootServerPath(), server);
}

TEST_F(RegistrationTest, AKeyThatCannotBeOpenedStopsTheRestAndTheClassesRootPart) {
  qn::os::injectFault(qn::os::Fault::KeyOpen, 4);
  const RegistrationWrite written = WriteRegistration("C:\\Quillon");
  EXPECT_FALSE(written.written);
  EXPECT_EQ(written.valuesWritten, 3);
  EXPECT_NE(written.error.find("\\TypeLib\\1.0\\FLAGS"), std::string::npos) << written.error;
  const std::vector<Expected> machine = machineTable("C:\\Quillon\\PDFREPXP.DLL");
  for (std::size_t i = 0; i < machine.size(); ++i)
    EXPECT_EQ(readBack(qn::os::HKEY_LOCAL_MACHINE, machine[i]) != "<missing>", i < 3) << machine[i].key;
  EXPECT_FALSE(RegistryKey(qn::os::HKEY_CLASSES_ROOT).KeyExists("\\CLSID\\" + Clsid));
  EXPECT_EQ(ClassesRootServerPath(), "");
}

TEST_F(RegistrationTest, NoRegistrationReadsAsAKeyNotOpened) {
  const RegisteredPath read = ReadRegisteredPath();
  EXPECT_FALSE(read.keyOpened);
  EXPECT_EQ(read.path, "");
}

TEST(ServerPathTest, FolderNamesTakeTheirShortForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Program Files\\Quillon", "C:\\Progra~1\\Quillon\\PDFREPXP.DLL"},
      {"C:\\Program Files\\Quillon\\", "C:\\Progra~1\\Quillon\\PDFREPXP.DLL"},
      {"C:\\APP.V1", "C:\\APP.V1~1.V1\\PDFREPXP.DLL"},
      {"C:\\Short", "C:\\Short\\PDFREPXP.DLL"},
      {"C:\\Quillon Suite\\Bin", "C:\\Quillo~1\\Bin\\PDFREPXP.DLL"},
      {"C:\\Long Folder Name.Extension", "C:\\LongFo~1.Extension\\PDFREPXP.DLL"},
      {"/opt/qn", "/opt/qn\\PDFREPXP.DLL"},
  };
  for (const auto& [folder, path] : cases) EXPECT_EQ(ServerPath(folder), path) << folder;
}

}  // namespace
