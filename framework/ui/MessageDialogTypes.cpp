#include "framework/ui/MessageDialogTypes.h"

TModalResult ModalResultOf(TMsgDlgBtn button) {
  switch (button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
  }
  return mrNone;
}
