#include "framework/ui/HintService.h"

#include <QToolTip>

#include "framework/ui/Application.h"
#include "framework/ui/Control.h"
#include "framework/ui/IntervalTimer.h"

namespace qn::ui {

namespace {

TooltipPresenter& presenter() {
  static TooltipPresenter current;
  return current;
}

void showTooltip(const AnsiString& text, TPoint at) {
  TooltipPresenter show = presenter();
  if (show) {
    show(text, at);
    return;
  }
  QToolTip::showText(QPoint(at.X, at.Y), QString::fromStdString(ansiToUtf8(text)));
}

struct HintTracking {
  ControlRef over;
  TPoint at;
  IntervalTimer* pause = nullptr;  // made on first use, lives as long as the process
};

HintTracking& tracking() {
  static HintTracking t;
  return t;
}

void pauseEnded(TObject*) {
  HintTracking& t = tracking();
  t.pause->SetEnabled(false);
  TControl* control = t.over.get();
  if (!control || !control->ShowHint()) return;
  const AnsiString text = GetShortHint(control->Hint());
  if (!text.empty()) showTooltip(text, {t.at.X, t.at.Y + 20});
}

}  // namespace

AnsiString GetShortHint(const AnsiString& Hint) {
  const auto bar = Hint.find('|');
  return bar == AnsiString::npos ? Hint : Hint.substr(0, bar);
}

AnsiString GetLongHint(const AnsiString& Hint) {
  const auto bar = Hint.find('|');
  return bar == AnsiString::npos ? Hint : Hint.substr(bar + 1);
}

TooltipPresenter setTooltipPresenter(TooltipPresenter next) { return std::exchange(presenter(), std::move(next)); }

void mouseIsOver(TControl* control, TPoint screenPoint) {
  HintTracking& t = tracking();
  t.at = screenPoint;
  if (control == t.over.get()) return;
  t.over = ControlRef(control);
  if (!t.pause) {
    t.pause = new IntervalTimer(nullptr);
    t.pause->SetEnabled(false);
    t.pause->SetInterval(kHintPauseMs);
    t.pause->OnTimer = pauseEnded;
  }
  t.pause->SetEnabled(false);
  if (control && control->ShowHint() && !control->Hint().empty()) t.pause->SetEnabled(true);
  if (Application) Application->SetHint(control ? GetLongHint(control->Hint()) : AnsiString());
}

}  // namespace qn::ui
