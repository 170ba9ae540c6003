#pragma once
// TdcIntl: every text the control library shows by default and its library-wide switches. The
// library keeps one instance, dcIntlDefaults, from the start of its units to their end, and every
// component reads its texts and switches there when it needs them. A program restyles the library
// by placing its own TdcIntl with Connected set: the placed component's texts and switches are
// then copied into dcIntlDefaults, where they stay after the placed component goes.
#include <memory>

#include "datagrid/IntlDialogTexts.h"
#include "datagrid/RichEditIntl.h"
#include "framework/base/Component.h"
#include "framework/ui/Font.h"

enum TdcCheckBoxInGridStyle { cbStyleAuto, cbStyleCheckmark, cbStyleXmark };
extern const EnumerationType kCheckBoxInGridStyleType;

class TdcIntl : public TComponent {
  QN_PUBLISHED_CLASS(TdcIntl, TComponent)
 public:
  explicit TdcIntl(TComponent* AOwner);
  ~TdcIntl() override;

  TdcDBNavigatorIntl* Navigator() const { return navigator_.get(); }
  TdcSearchDialogIntl* SearchDialog() const { return searchDialog_.get(); }
  TdcLocateDialogIntl* LocateDialog() const { return locateDialog_.get(); }
  TdcMonthCalendarIntl* MonthCalendar() const { return monthCalendar_.get(); }
  TdcFilterDialogIntl* FilterDialog() const { return filterDialog_.get(); }
  TdcDBRichEditIntl* RichEdit() const { return richEdit_.get(); }
  TdcUserMessagesIntl* UserMessages() const { return userMessages_.get(); }

  // The dialog buttons are bitmap buttons with glyphs (else plain buttons).
  bool OKCancelBitmapped = true;
  AnsiString BtnOKCaption = "&OK";
  AnsiString BtnCancelCaption = "Cancel";
  // Size in bytes of the filter dialog's memo buffer.
  int FilterMemoSize = 65536;
  // Incremental search positions through the dataset's locate operation.
  bool UseLocateMethodForSearch = true;
  // Font style of the library's dialogs and of their bitmap buttons.
  TFontStyles DialogFontStyle;
  // The two-digit-year epoch every date-time picker starts with.
  int DefaultEpochYear = 1950;
  // Not published: whether the extended table reopens after ending a range on an SQL database.
  bool ReopenTableOnCancelRange = true;

  TdcCheckBoxInGridStyle CheckBoxInGridStyle() const { return checkBoxInGridStyle_; }
  // A connected placed instance passes the style on to dcIntlDefaults at once.
  void SetCheckBoxInGridStyle(TdcCheckBoxInGridStyle Value);

  bool Connected() const { return connected_; }
  // Set true, copies this instance into dcIntlDefaults at once (after loading when being loaded).
  void SetConnected(bool Value);

 protected:
  void Loaded() override;

 private:
  // Every text and switch but Connected into dcIntlDefaults; nothing for the global instance.
  void CopyToDefaults();

  const std::unique_ptr<TdcDBNavigatorIntl> navigator_;
  const std::unique_ptr<TdcSearchDialogIntl> searchDialog_;
  const std::unique_ptr<TdcLocateDialogIntl> locateDialog_;
  const std::unique_ptr<TdcMonthCalendarIntl> monthCalendar_;
  const std::unique_ptr<TdcFilterDialogIntl> filterDialog_;
  const std::unique_ptr<TdcDBRichEditIntl> richEdit_;
  const std::unique_ptr<TdcUserMessagesIntl> userMessages_;
  TdcCheckBoxInGridStyle checkBoxInGridStyle_ = cbStyleAuto;
  bool connected_ = false;
};

// The library's texts and switches: owned by the application object while the library's units
// run, null before they start and after they stop.
extern TdcIntl* dcIntlDefaults;
