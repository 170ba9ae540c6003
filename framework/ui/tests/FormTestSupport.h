#pragma once
// What the form tests share: a form class with a log of its handlers, showing a form and waiting
// for it to become active, and a fresh application object for a test that terminates it.
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/testing/LocalApplication.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace qn::ui::testing {

using Log = std::vector<std::string>;

// A form whose handlers write what ran, with its name, into the log.
class TLoggedForm : public TForm {
  QN_CLASS(TLoggedForm, TForm)
 public:
  explicit TLoggedForm(Log& log, const char* name, TComponent* owner = nullptr) : TForm(owner) {
    SetName(name);
    SetBounds(100, 100, 300, 200);
    const std::string n = name;
    OnShow = [&log, n](TObject*) { log.push_back("show " + n); };
    OnActivate = [&log, n](TObject*) { log.push_back("activate " + n); };
    OnDeactivate = [&log, n](TObject*) { log.push_back("deactivate " + n); };
    OnDestroy = [&log, n](TObject*) { log.push_back("destroy " + n); };
  }
};

// Shows the form and waits until its window is the active one.
inline bool showActive(FormBase& form) {
  form.Show();
  form.Window()->activateWindow();
  return QTest::qWaitForWindowActive(form.Window());
}

// What a shown, active form logs of its activation while `openDialog` runs a dialog over it.
inline Log activationLogAround(const std::function<void()>& openDialog) {
  Log log;
  TLoggedForm form(log, "F");
  if (!showActive(form)) return {"the form never became active"};
  QTest::qWait(10);
  log.clear();
  openDialog();
  return log;
}

}  // namespace qn::ui::testing
