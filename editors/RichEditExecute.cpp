// The rich edit's full-window editor: Execute makes the form, its ruler and its control, shows it
// modally and takes the content back on OK; and the rich-text copy from control to control.
#include <memory>

#include "editors/DcCustomRichEdit.h"
#include "editors/EditorDropEffect.h"
#include "editors/RichEditForm.h"
#include "editors/RichMemoryStream.h"
#include "editors/RulerPanel.h"
#include "editors/TrackIcon.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"

namespace {

// A control of the caller's own class where it is registered, else the library's.
TdcCustomRichEdit* makeEditorControl(const TdcCustomRichEdit& caller, TComponent* owner) {
  if (FindRegisteredClass(caller.ClassName()))
    if (auto* made = dynamic_cast<TdcCustomRichEdit*>(CreateComponentByClassName(caller.ClassName(), owner)))
      return made;
  return new TdcCustomRichEdit(owner);
}

}  // namespace

void TdcCustomRichEdit::CopyRichTextTo(TdcCustomRichEdit* Target) {
  HourglassCursor hourglass;
  TField* field = GetField();
  if (field && field->IsBlob() && !IsLoaded()) {
    std::unique_ptr<TStream> blob(field->DataSet()->CreateBlobStream(field, bmRead));
    Target->LoadFromStream(*blob, false, false);
    return;
  }
  TdcRichMemoryStream content;
  Lines()->SaveToStream(content);
  content.SetPosition(0);
  Target->Lines()->LoadFromStream(content);
}

bool TdcCustomRichEdit::Execute() {
  std::unique_ptr<TdcRichEditForm> form;
  TdcCustomRichEdit* inner = nullptr;
  TdcRulerPanel* ruler = nullptr;
  {
    HourglassCursor hourglass;
    form = std::make_unique<TdcRichEditForm>(nullptr);
    inner = makeEditorControl(*this, form.get());
    ruler = new TdcRulerPanel(form.get(), inner);
    ruler->SetName("dcRulerPanel");
    ruler->SetParent(form.get());
    ruler->SetBounds(0, form->FormatBar->Top() + form->FormatBar->Height() + 10, 0, ruler->Height());
    if (editWidth_ == rewPrinterSize) {
      const PrinterPage page = CurrentPrinterPage();
      const double marginsInches = (printMargins_->Left + printMargins_->Right) /
                                   (MeasurementUnits == muCentimeters ? kCentimetresPerInch : 1.0);
      const double printable = static_cast<double>(page.physicalWidth) / page.dpiX - marginsInches;
      ruler->SetWidth(static_cast<int>(printable * screenDpi_) + 12);
    } else {
      ruler->SetWidth(form->ClientWidth());
    }

    inner->SetName("RichEdit1");
    inner->SetOleOptions(OleOptions());
    inner->SetScrollBars(ssVertical);
    inner->SetWordWrap(WordWrap());
    inner->SetParent(form.get());
    inner->SetBounds(0, ruler->Height() + 62, 595, 330);
    inner->SetHideSelection(false);
    inner->SetAcceptDrops(true);
    inner->OnDropEffect = applyEditorDropEffect;
    inner->SetTabOrder(3);
    inner->SetWantTabs(true);
    inner->PopupOptions = {rpoPopupCut, rpoPopupCopy, rpoPopupPaste, rpoPopupFont, rpoPopupBullet, rpoPopupParagraph};
    inner->EditorCaption = "Edit Rich Text";
    inner->MeasurementUnits = muInches;
    form->SetActiveControl(inner);
    form->SetCaption(EditorCaption);

    form->setEditor(this, inner, ruler);
    for (const AnsiString& line : EditorListLines) form->EditorList->Items()->Add(line);
    form->EditorList->SetVisible(!EditorListLines.empty());
    inner->SetFont(Font());
    inner->MeasurementUnits = MeasurementUnits;
    inner->OnInitDialog = OnInitDialog;
    inner->SetPrintMargins(PrintMargins());
    inner->SetEditWidth(EditWidth());
    inner->SetPaperSize(PaperSize());
    inner->EditorOptions = EditorOptions;
    inner->SetReadOnly(GetReadOnly());
    inner->SetMaxLength(MaxLength());
    inner->SetSelStart(SelStart());
    inner->SetAutoURLDetect(AutoURLDetect());
    inner->OnURLOpen = OnURLOpen;

    if (EditorPosition.Width > 0) form->SetWidth(EditorPosition.Width);
    if (EditorPosition.Height > 0) form->SetHeight(EditorPosition.Height);
    if (EditorPosition.Left >= 1 && EditorPosition.Top >= 1) {
      form->SetPosition(poDesigned);
      form->SetBounds(EditorPosition.Left, EditorPosition.Top, form->Width(), form->Height());
    } else {
      const TRect area = Screen->workArea();
      form->SetPosition(poDesigned);
      form->SetBounds(area.Left + (area.Width() - form->Width()) / 2, area.Top + (area.Height() - form->Height()) / 2,
                      form->Width(), form->Height());
    }
  }
  bool confirmed = false;
  const auto finish = [&] {
    inner->Lines()->Clear();
    form.reset();
  };
  try {
    DoCreateDialog(form.get());
    confirmed = form->runModal() == mrOk;
    if (confirmed && inner->Modified()) {
      Edit();
      TField* field = GetField();
      if (field && field->IsBlob()) {
        TdcRichMemoryStream rich;
        inner->Lines()->SaveToStream(rich);
        std::unique_ptr<TStream> blob(field->DataSet()->CreateBlobStream(field, bmWrite));
        blob->WriteBuffer(rich.Memory(), rich.Size());
      } else {
        inner->CopyRichTextTo(this);
      }
      DoCloseDialog(form.get());
      SetModified(true);
    } else if (!confirmed) {
      DoCloseDialog(form.get());
    }
    if (confirmed) {
      SetPrintMargins(inner->PrintMargins());
      SetPaperSize(inner->PaperSize());
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return confirmed;
}
