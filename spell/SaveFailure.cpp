#include "spell/SaveFailure.h"

#include <exception>

#include "framework/ui/Dialogs.h"

bool SaveOrReport(const AnsiString& Path, bool& Reported, const std::function<void()>& save) {
  try {
    save();
    return true;
  } catch (const std::exception&) {
    if (!Reported) {
      Reported = true;
      MessageDlg("Unable to save the spelling settings to " + Path + ".", mtInformation, {mbOK}, 0);
    }
    return false;
  }
}
