#pragma once
// The standard dialogs answered by a script, for tests. While an object lives, every file, font,
// print, printer set-up, page set-up, input and find or replace dialog the program opens must be
// the next one the test expects; a modal one gets the answer the test gave (nullopt: Cancel), a
// find or replace window stays open until the program or the test closes it. A dialog nobody
// expected, a dialog of another kind, and an expected dialog that never appeared each fail the test.
#include <deque>
#include <optional>
#include <set>
#include <variant>
#include <vector>

#include "framework/ui/FileDialogs.h"
#include "framework/ui/FindReplaceDialog.h"
#include "framework/ui/FontDialog.h"
#include "framework/ui/InputBox.h"
#include "framework/ui/PrintDialogs.h"

namespace qn::ui::testing {

class ScriptedDialogs {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs();
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  ScriptedDialogs& expectOpenFile(std::optional<FileDialogAnswer> answer);
  ScriptedDialogs& expectSaveFile(std::optional<FileDialogAnswer> answer);
  ScriptedDialogs& expectFont(std::optional<FontChoice> answer);
  ScriptedDialogs& expectPrint(std::optional<PrintChoice> answer);
  ScriptedDialogs& expectPrinterSetup(std::optional<PrinterSetupChoice> answer);
  ScriptedDialogs& expectPageSetup(std::optional<PageSetupChoice> answer);
  ScriptedDialogs& expectInputBox(std::optional<AnsiString> answer);
  ScriptedDialogs& expectFindReplace(FindReplaceKind kind);

  // What the dialogs shown so far were asked, in order.
  const std::vector<FileDialogRequest>& fileRequests() const { return fileRequests_; }
  const std::vector<FontDialogRequest>& fontRequests() const { return fontRequests_; }
  const std::vector<PrintDialogRequest>& printRequests() const { return printRequests_; }
  const std::vector<PageSetupRequest>& pageSetupRequests() const { return pageSetupRequests_; }
  const std::vector<InputBoxRequest>& inputRequests() const { return inputRequests_; }
  // The find and replace dialogs whose windows are open now, in the order they opened.
  const std::vector<FindReplaceDialog*>& openFindReplaceDialogs() const { return openFinds_; }

 private:
  enum class Kind { openFile, saveFile, font, print, printerSetup, pageSetup, inputBox, find, replace };
  using Answer = std::variant<std::monostate, std::optional<FileDialogAnswer>, std::optional<FontChoice>,
                              std::optional<PrintChoice>, std::optional<PrinterSetupChoice>,
                              std::optional<PageSetupChoice>, std::optional<AnsiString>>;
  struct Expected {
    Kind kind;
    Answer answer;
  };
  class FindWindow;

  ScriptedDialogs& expect(Kind kind, Answer answer);
  // The next expected dialog's answer when it is of that kind; Cancel (and a failure) otherwise.
  template <class A>
  std::optional<A> next(Kind kind);
  void opened(Kind kind);
  static const char* nameOf(Kind kind);

  std::deque<Expected> expected_;
  std::vector<FileDialogRequest> fileRequests_;
  std::vector<FontDialogRequest> fontRequests_;
  std::vector<PrintDialogRequest> printRequests_;
  std::vector<PageSetupRequest> pageSetupRequests_;
  std::vector<InputBoxRequest> inputRequests_;
  std::vector<FindReplaceDialog*> openFinds_;

  FileDialogPresenter previousOpen_;
  FileDialogPresenter previousSave_;
  FontDialogPresenter previousFont_;
  PrintDialogPresenter previousPrint_;
  PrinterSetupPresenter previousPrinterSetup_;
  PageSetupPresenter previousPageSetup_;
  InputBoxPresenter previousInput_;
  FindReplacePresenter previousFind_;
};

}  // namespace qn::ui::testing
