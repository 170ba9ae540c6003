// The PDF report server through its client: found by its registration, drawing pages that read
// back as they were written, failing clearly.
#include <gtest/gtest.h>

#include <QProcess>
#include <cstdio>
#include <filesystem>

#include "dialogs/PdfReportServer.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/RegistryKey.h"
#include "platform/pdfserver/Registration.h"
#include "testing/TestDirs.h"

namespace {

class PdfReportServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE).DeleteKey("\\Software\\CLASSES");
    qn::os::RegistryKey(qn::os::HKEY_CLASSES_ROOT).DeleteKey("\\CLSID");
    folder = qn::testing::makeScratchDir("pdf-reports");
  }
  // Registered from the folder the build put the server in.
  void registerBuiltServer() {
    ASSERT_TRUE(qn::pdfserver::WriteRegistration(qn::os::runningProgramFolder() + "\\").written);
  }
  std::string pdfText(const std::string& pdf) {
    QProcess process;
    process.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    EXPECT_TRUE(process.waitForFinished(30000));
    return process.readAllStandardOutput().toStdString();
  }
  std::string folder;
};

// Line `line` of page `page`: twelve fields of ten characters apart by one blank and a closing
// bar, 132 in all.
std::string reportLine(int page, int line) {
  std::string text;
  for (int field = 1; field <= 12; ++field) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "P%dL%02dF%02d%s", page, line, field, field % 2 ? "ab" : "CD");
    text += (field > 1 ? " " : "") + std::string(cell);
  }
  return text + "|";
}

TEST_F(PdfReportServerTest, TwoPagesOfFullLinesReadBackInOrderWithTheirColumns) {
  registerBuiltServer();
  PdfReportServer server;
  ASSERT_TRUE(server.Load()) << server.Error();
  const std::string pdf = folder + "/AUDIT.PDF";
  const int document = server.Open(pdf, true, 1);
  ASSERT_GT(document, 0) << server.Error();
  ASSERT_TRUE(server.SetFont(document, "Liberation Mono", 8));
  for (int page = 1; page <= 2; ++page) {
    if (page > 1) {
      ASSERT_TRUE(server.NewPage(document));
    }
    for (int line = 1; line <= 64; ++line) {
      ASSERT_EQ(reportLine(page, line).size(), 132u);
      ASSERT_TRUE(server.Text(document, 18, 24 + (line - 1) * 9, reportLine(page, line)));
    }
  }
  ASSERT_TRUE(server.Close(document)) << server.Error();
  const std::string text = pdfText(pdf);
  std::size_t at = 0;
  for (int page = 1; page <= 2; ++page)
    for (int line = 1; line <= 64; ++line) {
      const std::size_t found = text.find(reportLine(page, line), at);
      ASSERT_NE(found, std::string::npos) << "page " << page << " line " << line << " after offset " << at;
      // Each line stands alone on its line of the text, its columns where they were written.
      EXPECT_TRUE(found == 0 || text[found - 1] == '\n' || text[found - 1] == '\f' || text[found - 1] == ' ') << page << "/" << line;
      at = found + 132;
    }
  EXPECT_NE(text.find('\f'), std::string::npos);  // two pages
  EXPECT_FALSE(std::filesystem::exists(pdf + ".partial-" + std::to_string(::getpid())));
}

TEST_F(PdfReportServerTest, ACodePageCharacterRoundTrips) {
  registerBuiltServer();
  PdfReportServer server;
  const std::string pdf = folder + "/CAFE.PDF";
  const int document = server.Open(pdf, false, 9);
  ASSERT_GT(document, 0) << server.Error();
  ASSERT_TRUE(server.Text(document, 72, 72, "Caf\xE9 au lait"));  // Windows-1252
  ASSERT_TRUE(server.Close(document));
  EXPECT_NE(pdfText(pdf).find("Caf\xC3\xA9 au lait"), std::string::npos);
}

TEST_F(PdfReportServerTest, APdfInAMissingFolderFailsWithTheServersReasonAndLeavesNoFile) {
  registerBuiltServer();
  PdfReportServer server;
  const std::string pdf = folder + "/missing/REPORT.PDF";
  EXPECT_EQ(server.Open(pdf, false, 1), -1);
  EXPECT_NE(server.Error().find("does not exist"), AnsiString::npos) << server.Error();
  EXPECT_FALSE(std::filesystem::exists(folder + "/missing"));
  EXPECT_FALSE(server.Text(12345, 0, 0, "x"));
  EXPECT_NE(server.Error().find("No PDF report is open"), AnsiString::npos) << server.Error();
}

TEST_F(PdfReportServerTest, WithoutARegistrationNothingIsLoaded) {
  PdfReportServer server;
  EXPECT_FALSE(server.Load());
  EXPECT_FALSE(server.Loaded());
  EXPECT_EQ(server.Error(), "The PDF report server is not registered.");
  EXPECT_EQ(server.Open(folder + "/X.PDF", false, 1), -1);
  EXPECT_FALSE(std::filesystem::exists(folder + "/X.PDF"));
}

TEST_F(PdfReportServerTest, ARegistrationNamingAShortFormLoadsTheProgramFoldersServer) {
  ASSERT_TRUE(qn::pdfserver::WriteRegistration("C:\\Program Files\\Quillon").written);
  PdfReportServer server;
  ASSERT_TRUE(server.Load()) << server.Error();
  EXPECT_EQ(std::filesystem::path(server.LoadedFrom()), std::filesystem::path(qn::os::executableFolder()) / "libpdfrepxp.so");
}

}  // namespace
