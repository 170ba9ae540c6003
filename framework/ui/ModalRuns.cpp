#include "framework/ui/ModalRuns.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <utility>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/Form.h"

namespace qn::ui {
namespace {

// How often the runs are looked for again while they unwind, and for how many rounds: a form
// that keeps refusing to close does not keep then() from running.
constexpr int kRecheckMs = 20;
constexpr int kRechecks = 100;

struct Ending {
  bool running = false;
  int rechecks = 0;
  std::function<void()> then;
};

Ending& ending() {
  static Ending state;
  return state;
}

void answerAsCancel(QMessageBox& box) {
  for (const QMessageBox::StandardButton choice : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Abort}) {
    if (QAbstractButton* button = box.button(choice)) {
      button->click();
      return;
    }
  }
  const QList<QAbstractButton*> buttons = box.buttons();
  if (buttons.size() == 1) buttons.front()->click();
  else box.reject();
}

// Ends what runs modally now; answers whether anything did.
bool endWhatRuns() {
  bool found = false;
  // Each close takes one popup off; a popup that will not close must not hold the loop here.
  for (int popups = 0; popups < 16; ++popups) {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) break;
    popup->close();
    found = true;
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || !window->isModal()) continue;
    found = true;
    if (auto* form = dynamic_cast<TForm*>(controlOfWidget(window)); form && form->Modal()) {
      form->SetModalResult(mrCancel);
    } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
      answerAsCancel(*box);
    } else if (auto* dialog = qobject_cast<QDialog*>(window)) {
      dialog->reject();
    }
  }
  return found;
}

void recheckLater() {
  QTimer::singleShot(kRecheckMs, QCoreApplication::instance(), [] {
    Ending& state = ending();
    if (endWhatRuns() && ++state.rechecks < kRechecks) {
      recheckLater();
      return;
    }
    state.running = false;
    if (auto then = std::exchange(state.then, nullptr)) then();
  });
}

}  // namespace

void endModalRuns(std::function<void()> then) {
  if (!QCoreApplication::instance()) return;
  Ending& state = ending();
  state.then = std::move(then);
  endWhatRuns();
  if (state.running) return;
  state.running = true;
  state.rechecks = 0;
  recheckLater();
}

}  // namespace qn::ui
