#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QDir>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "framework/ui/DialogSupport.h"
#include "framework/ui/FontDialog.h"
#include "framework/ui/InputBox.h"
#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/QtFileDialog.h"
#include "framework/ui/tests/FormTestSupport.h"

namespace qn::ui::testing {
namespace {

// Acts on the modal dialog as soon as it is open, as a user would.
class User {
 public:
  explicit User(std::function<void(QDialog&)> act) {
    QObject::connect(&timer_, &QTimer::timeout, [this, act] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      timer_.stop();
      act(*dialog);
    });
    timer_.start(20);
  }

 private:
  QTimer timer_;
};

TEST(QtStandardDialogsTest, AnOpenDialogListsFilesOfEitherCaseForAnUpperCasePattern) {
  qtApplication();
  QTemporaryDir dir;
  for (const char* name : {"a.rtf", "b.txt", "c.RTF"}) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  FileDialogRequest request;
  request.filter = "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT";
  request.initialDir = typedText(dir.path());
  auto dialog = makeQtFileDialog(request, FileDialogPurpose::open, nullptr);
  auto* model = dialog->findChild<QFileSystemModel*>();
  ASSERT_TRUE(model);
  bool loaded = false;
  QObject::connect(model, &QFileSystemModel::directoryLoaded,
                   [&](const QString& path) { loaded = loaded || QDir(path) == QDir(dir.path()); });
  dialog->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return loaded; }, 5000));
  QAbstractItemView* list = dialog->findChild<QAbstractItemView*>("listView");
  ASSERT_TRUE(list);
  const auto listing = [list] {
    QStringList names;
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < list->model()->rowCount(root); ++row)
      names << list->model()->index(row, 0, root).data().toString();
    names.sort();
    return names;
  };
  // The model may still sort and filter what it loaded.
  const bool settled = QTest::qWaitFor([&] { return listing().size() == 2; }, 2000);
  const QStringList listed = listing();
  EXPECT_TRUE(settled) << listed.join(", ").toStdString();
  EXPECT_EQ(listed, (QStringList{"a.rtf", "c.RTF"}));
}

TEST(QtStandardDialogsTest, TheInputBoxOffersTheDefaultAndAnswersWhatWasTyped) {
  qtApplication();
  QString offered;
  User user([&](QDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>();
    offered = edit->text();
    edit->setText("1999");
    dialog.accept();
  });
  EXPECT_EQ(showInputBox({"Enter Valid Year", "Enter New Year:", "2026"}), AnsiString("1999"));
  EXPECT_EQ(offered, "2026");
}

TEST(QtStandardDialogsTest, TheFontDialogKeepsTheProgramsFaceUnlessAnotherIsPicked) {
  qtApplication();
  FontChoice initial{"Courier New", 10, TFontStyles{fsItalic}, clNavy, 0};
  User user([&](QDialog& dialog) {
    dialog.findChild<QSpinBox*>()->setValue(12);
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
      if (box->text() == "&Bold") box->setChecked(true);
    dialog.accept();
  });
  auto chosen = showFontDialog({initial, FontDialogDevices::screen});
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, (FontChoice{"Courier New", 12, TFontStyles{fsBold, fsItalic}, clNavy, 0}));
}

TEST(QtStandardDialogsTest, PageSetUpWithThePaperChoiceDisabledAnswersTheMarginsInTheirUnits) {
  qtApplication();
  const InstalledPrinterSource previous =
      setInstalledPrinterSource([] { return InstalledPrinters{{"Office Laser"}, "Office Laser", {}}; });
  bool paperEnabled = true;
  User user([&](QDialog& dialog) {
    const auto boxes = dialog.findChildren<QComboBox*>();
    ASSERT_FALSE(boxes.isEmpty());
    paperEnabled = boxes.front()->isEnabled();
    dialog.accept();
  });
  PageSetupRequest request{{1000, 750, 1250, 500}, MarginUnits::thousandthsOfInch,
                           TPrinterOrientation::poLandscape, 9, "Office Laser", false};
  auto answer = showPageSetupDialog(request);
  setInstalledPrinterSource(previous);
  ASSERT_TRUE(answer);
  EXPECT_FALSE(paperEnabled);
  EXPECT_EQ(answer->margins, request.margins);
  EXPECT_EQ(answer->paperSize, 9);
  EXPECT_EQ(answer->orientation, TPrinterOrientation::poLandscape);
  EXPECT_EQ(answer->printerName, "Office Laser");
}

}  // namespace
}  // namespace qn::ui::testing
