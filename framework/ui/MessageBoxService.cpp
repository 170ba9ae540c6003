#include "framework/ui/MessageBoxService.h"

#include <utility>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/QtMessageBox.h"

namespace qn::ui {
namespace {

MessageBoxPresenter& presenter() {
  static MessageBoxPresenter current;
  return current;
}

}  // namespace

TModalResult showMessageBox(const MessageBoxRequest& request) {
  ModalServiceScope modal;
  // A copy: the presenter may be replaced while its box is open.
  MessageBoxPresenter show = presenter();
  return show ? show(request) : showQtMessageBox(request);
}

MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter next) {
  return std::exchange(presenter(), std::move(next));
}

}  // namespace qn::ui
