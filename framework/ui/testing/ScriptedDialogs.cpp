#include "framework/ui/testing/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qn::ui::testing {

// A find or replace window of the script: open while it lives.
class ScriptedDialogs::FindWindow : public FindReplaceWindow {
 public:
  FindWindow(ScriptedDialogs& script, FindReplaceDialog& dialog) : script_(script), dialog_(dialog) {
    script_.openFinds_.push_back(&dialog_);
  }
  ~FindWindow() override { std::erase(script_.openFinds_, &dialog_); }
  void refresh() override {}

 private:
  ScriptedDialogs& script_;
  FindReplaceDialog& dialog_;
};

ScriptedDialogs::ScriptedDialogs()
    : previousOpen_(setOpenFilePresenter([this](const FileDialogRequest& r) {
        fileRequests_.push_back(r);
        return next<FileDialogAnswer>(Kind::openFile);
      })),
      previousSave_(setSaveFilePresenter([this](const FileDialogRequest& r) {
        fileRequests_.push_back(r);
        return next<FileDialogAnswer>(Kind::saveFile);
      })),
      previousFont_(setFontDialogPresenter([this](const FontDialogRequest& r) {
        fontRequests_.push_back(r);
        return next<FontChoice>(Kind::font);
      })),
      previousPrint_(setPrintDialogPresenter([this](const PrintDialogRequest& r) {
        printRequests_.push_back(r);
        return next<PrintChoice>(Kind::print);
      })),
      previousPrinterSetup_(setPrinterSetupPresenter([this] { return next<PrinterSetupChoice>(Kind::printerSetup); })),
      previousPageSetup_(setPageSetupPresenter([this](const PageSetupRequest& r) {
        pageSetupRequests_.push_back(r);
        return next<PageSetupChoice>(Kind::pageSetup);
      })),
      previousInput_(setInputBoxPresenter([this](const InputBoxRequest& r) {
        inputRequests_.push_back(r);
        return next<AnsiString>(Kind::inputBox);
      })),
      previousFind_(setFindReplacePresenter([this](FindReplaceDialog& dialog) -> std::unique_ptr<FindReplaceWindow> {
        opened(dialog.Kind() == FindReplaceKind::find ? Kind::find : Kind::replace);
        return std::make_unique<FindWindow>(*this, dialog);
      })) {}

ScriptedDialogs::~ScriptedDialogs() {
  // A window left open must not outlive the script it tells of its closing.
  for (FindReplaceDialog* dialog : std::vector(openFinds_)) dialog->CloseDialog();
  setOpenFilePresenter(std::move(previousOpen_));
  setSaveFilePresenter(std::move(previousSave_));
  setFontDialogPresenter(std::move(previousFont_));
  setPrintDialogPresenter(std::move(previousPrint_));
  setPrinterSetupPresenter(std::move(previousPrinterSetup_));
  setPageSetupPresenter(std::move(previousPageSetup_));
  setInputBoxPresenter(std::move(previousInput_));
  setFindReplacePresenter(std::move(previousFind_));
  for (const Expected& e : expected_) ADD_FAILURE() << "an expected " << nameOf(e.kind) << " never appeared";
}

const char* ScriptedDialogs::nameOf(Kind kind) {
  switch (kind) {
    case Kind::openFile: return "open-file dialog";
    case Kind::saveFile: return "save-file dialog";
    case Kind::font: return "font dialog";
    case Kind::print: return "print dialog";
    case Kind::printerSetup: return "printer set-up dialog";
    case Kind::pageSetup: return "page set-up dialog";
    case Kind::inputBox: return "input box";
    case Kind::find: return "find dialog";
    case Kind::replace: break;
  }
  return "replace dialog";
}

ScriptedDialogs& ScriptedDialogs::expect(Kind kind, Answer answer) {
  expected_.push_back({kind, std::move(answer)});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectOpenFile(std::optional<FileDialogAnswer> a) { return expect(Kind::openFile, a); }
ScriptedDialogs& ScriptedDialogs::expectSaveFile(std::optional<FileDialogAnswer> a) { return expect(Kind::saveFile, a); }
ScriptedDialogs& ScriptedDialogs::expectFont(std::optional<FontChoice> a) { return expect(Kind::font, a); }
ScriptedDialogs& ScriptedDialogs::expectPrint(std::optional<PrintChoice> a) { return expect(Kind::print, a); }
ScriptedDialogs& ScriptedDialogs::expectPrinterSetup(std::optional<PrinterSetupChoice> a) {
  return expect(Kind::printerSetup, a);
}
ScriptedDialogs& ScriptedDialogs::expectPageSetup(std::optional<PageSetupChoice> a) { return expect(Kind::pageSetup, a); }
ScriptedDialogs& ScriptedDialogs::expectInputBox(std::optional<AnsiString> a) { return expect(Kind::inputBox, a); }
ScriptedDialogs& ScriptedDialogs::expectFindReplace(FindReplaceKind kind) {
  return expect(kind == FindReplaceKind::find ? Kind::find : Kind::replace, std::monostate{});
}

void ScriptedDialogs::opened(Kind kind) { next<std::monostate>(kind); }

template <class A>
std::optional<A> ScriptedDialogs::next(Kind kind) {
  if (expected_.empty()) {
    ADD_FAILURE() << "an unexpected " << nameOf(kind) << " appeared";
    return std::nullopt;
  }
  Expected e = std::move(expected_.front());
  expected_.pop_front();
  if (e.kind != kind) {
    ADD_FAILURE() << "the " << nameOf(kind) << " appeared where the script expected the " << nameOf(e.kind);
    return std::nullopt;
  }
  if constexpr (std::is_same_v<A, std::monostate>)
    return std::monostate{};
  else
    return std::get<std::optional<A>>(e.answer);
}

}  // namespace qn::ui::testing
