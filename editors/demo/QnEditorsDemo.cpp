// qneditors_demo: the data-aware editing controls on one form over the clients and matters of a
// seeded demo folder (qnseed demo FOLDER), to look at them. Run as
//   qneditors_demo FOLDER [--screenshot FILE]
// it shows the form until closed; with --screenshot it saves the shown form as a PNG picture and
// ends (0 when saved, 1 when the picture could not be written or the folder not opened).
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>

#include "core/FileDates.h"
#include "datagrid/DcTbTable.h"
#include "editors/DBComboBox.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBEdit.h"
#include "editors/DBLookupCombo.h"
#include "editors/DBRichEdit.h"
#include "editors/DBSpinEdit.h"
#include "framework/base/StringList.h"
#include "editors/MonthCalendar.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/Form.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/WidgetApplication.h"
#include "framework/ui/demo/DemoScreenshot.h"

namespace {

AnsiString dataFolder;

class TEditorsDemoForm : public TForm {
  QN_CLASS(TEditorsDemoForm, TForm)
 public:
  explicit TEditorsDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Editing controls");
    SetBounds(100, 100, 620, 366);
    SetColor(clBtnFace);
    clients_ = openTable("YClient.qf;RES:YCLIENT", "1", clientsSource_);
    matters_ = openTable("YCase.qf;RES:YCASE", "1", mattersSource_);
    // The lookup combos move a table of their own, not the one the client column shows.
    TDataSource* lookupSource = nullptr;
    clientLookup_ = openTable("YClient.qf;RES:YCLIENT", "1", lookupSource);
    addClientColumn();
    addMatterColumn();
    addNotesRow();
  }

 private:
  TdcTbTable* openTable(const char* name, const char* index, TDataSource*& source) {
    auto* table = new TdcTbTable(this);
    table->SetDatabaseName(dataFolder);
    table->SetTableName(name);
    table->SetIndexName(index);
    table->Open();
    source = new TDataSource(this);
    source->SetDataSet(table);
    return table;
  }

  template <class Control>
  Control* place(Control* control, TWinControl* parent, int left, int top, int width, int height) {
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
  }

  void label(TWinControl* parent, const char* caption, int top) {
    place(new TextLabel(this), parent, 8, top + 3, 110, 16)->SetCaption(caption);
  }

  TdcDBEdit* edit(TWinControl* parent, TDataSource* source, const char* field, int top, int height = 22) {
    auto* e = place(new TdcDBEdit(this), parent, 118, top, 170, height);
    e->SetDataSource(source);
    e->SetDataField(field);
    return e;
  }

  void addClientColumn() {
    auto* frame = place(new GroupFrame(this), this, 8, 8, 296, 346);
    frame->SetCaption("Client");
    label(frame, "Client code:", 22);
    edit(frame, clientsSource_, "Client Code", 22)->SetCharCase(ecUpperCase);
    label(frame, "First name:", 50);
    edit(frame, clientsSource_, "Client First Name", 50);
    label(frame, "Last name:", 78);
    edit(frame, clientsSource_, "Client Last Name", 78);
    label(frame, "Address:", 106);
    auto* address = edit(frame, clientsSource_, "Address Line 1", 106, 44);
    address->SetWordWrap(true);
    label(frame, "Phone:", 156);
    auto* phone = edit(frame, clientsSource_, "Phone 1", 156);
    phone->Picture()->SetPictureMask("(###) ###-####");
    label(frame, "Threshold:", 184);
    auto* threshold = place(new TdcDBSpinEdit(this), frame, 118, 184, 170, 22);
    threshold->SetDataSource(clientsSource_);
    threshold->SetDataField("Threshhold");
    threshold->SetIncrement(10);
    label(frame, "Hours:", 212);
    auto* hours = place(new TdcDBSpinEdit(this), frame, 118, 212, 90, 22);
    hours->SetIncrement(0.1);
    hours->SetMinValue(-99999.99);
    hours->SetMaxValue(99999.99);
    hours->Picture()->SetPictureMask("[-]*#[.[#][#]]");
    hours->Picture()->SetAllowInvalidExit(true);
    hours->SetValue(1.5);
    label(frame, "Date:", 240);
    auto* date = place(new TdcDBSpinEdit(this), frame, 118, 240, 110, 22);
    date->SetUnboundDataType(dcEdtDate);
    date->SetValue(Date());
  }

  void addMatterColumn() {
    auto* frame = place(new GroupFrame(this), this, 312, 8, 300, 346);
    frame->SetCaption("Matter");
    label(frame, "Client code:", 22);
    edit(frame, mattersSource_, "Client Code", 22);
    label(frame, "Case suffix:", 50);
    edit(frame, mattersSource_, "Case Suffix", 50);
    label(frame, "Description:", 78);
    auto* description = edit(frame, mattersSource_, "Description Line 1", 78, 60);
    description->SetWordWrap(true);
    label(frame, "Department:", 146);
    edit(frame, mattersSource_, "Department Code", 146);
    label(frame, "Fee budget:", 174);
    auto* budget = place(new TdcDBSpinEdit(this), frame, 118, 174, 170, 22);
    budget->SetDataSource(mattersSource_);
    budget->SetDataField("Fee Budget $");
    budget->SetIncrement(100);
    label(frame, "Password:", 202);
    auto* secret = edit(frame, mattersSource_, "Alternate ID", 202);
    secret->SetPasswordChar('*');
    label(frame, "Department list:", 230);
    departments_ = place(new TdcDBComboBox(this), frame, 118, 230, 170, 22);
    departments_->SetMapList(true);
    for (const char* line : {"Corporate\tCO", "Litigation\tLT", "Probate\tPR", "Real estate\tRE"})
      departments_->Items()->Add(line);
    departments_->SetDataSource(mattersSource_);
    departments_->SetDataField("Department Code");
    // The record file keeps the opening date as a file date text: the picker shows it unbound.
    label(frame, "Opened:", 258);
    opened_ = place(new TdcDBDateTimePicker(this), frame, 118, 258, 110, 22);
    opened_->SetUnboundDataType(dcDTEdtDate);
    opened_->SetDisplayFormat("mm/dd/yyyy");
    opened_->SetMinDate(EncodeDate(1981, 1, 1));
    opened_->SetMaxDate(EncodeDate(2079, 12, 31));
    opened_->SetDate(FileDateToDate(matters_->FieldByName("Date Opened")->AsString(), true));
    label(frame, "Client (code):", 286);
    lookupCombo(frame, 286, "Client Code\t7\tCode", "Client Last Name\t20\tName");
    label(frame, "Client (name):", 312);
    clientName_ = lookupCombo(frame, 312, "Client Last Name\t20\tName", "Client Code\t7\tCode");
  }

  // A combo over the clients writing the matter's client code; the first column is shown.
  TdcDBLookupCombo* lookupCombo(TWinControl* frame, int top, const char* shown, const char* other) {
    auto* combo = place(new TdcDBLookupCombo(this), frame, 118, top, 170, 22);
    combo->SetLookupTable(clientLookup_);
    combo->SetLookupField("Client Code");
    combo->SetUseTFields(false);
    StringList columns;
    columns.Add(shown);
    columns.Add(other);
    combo->SetSelected(&columns);
    combo->SetDataSource(mattersSource_);
    combo->SetDataField("Client Code");
    return combo;
  }

  // A calendar that selects a week at a time, right of the notes.
  void addWeekCalendar(TWinControl* parent) {
    auto* week = new TdcMonthCalendar(this);
    week->SetOptions({mdoMultiSelect, mdoWeekNumbers});
    week->SetMaxSelectCount(7);
    place(week, parent, 420, 16, week->minimumSize().X, week->minimumSize().Y);
    week->setSelection(Date(), Date() + 6);
  }

  // An unbound rich edit under the two groups: the demo's record files hold no notes blob.
  void addNotesRow() {
    const int top = 362;
    SetHeight(Height() + 220);
    auto* frame = place(new GroupFrame(this), this, 8, top, 604, 180);
    frame->SetCaption("Notes");
    auto* notes = place(new TdcDBRichEdit(this), frame, 10, 20, 400, 90);
    notes->SetText("Hearing set for Monday\r\nBring the signed retainer\r\nFile the inventory\r\n"
                   "Call the client after the hearing");
    notes->SetSelStart(0);
    notes->SetSelLength(22);
    notes->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.bold = true; });
    notes->SetSelStart(30);
    notes->SetSelLength(30);
    notes->SetParagraph(0x02, "", 0, 0, 0, 0, nullptr, 0, 0, 0, 0, true);
    notes->SetSelStart(notes->TextLength());
    notes->SetParagraph(0x01, "Center", 0, 0, 0, 0, nullptr, 0, 0, 0, 0, false);
    notes->SetSelStart(0);
    notes->SetModified(false);
    addWeekCalendar(frame);
  }

 public:
  // The client-name combo's grid dropped over the clients, for the picture.
  DropDownWindow* dropClientNames() {
    clientName_->SetFocus();
    clientName_->DropDown();
    return clientName_->DropDownWindowOfGrid();
  }

  // The opening date's calendar dropped, for the picture.
  DropDownWindow* dropOpened() {
    opened_->SetFocus();
    opened_->DropDown();
    return opened_->CalendarWindow();
  }

 private:
  TdcDBComboBox* departments_ = nullptr;
  TdcDBLookupCombo* clientName_ = nullptr;
  TdcTbTable* clientLookup_ = nullptr;
  TdcDBDateTimePicker* opened_ = nullptr;

  TdcTbTable* clients_ = nullptr;
  TdcTbTable* matters_ = nullptr;
  TDataSource* clientsSource_ = nullptr;
  TDataSource* mattersSource_ = nullptr;
};

// The form with one drop-down open. The drop-down is a window of its own: it is drawn in where it
// lies, the picture grown to hold it; it is closed again after.
QImage pictureWithDropDown(TEditorsDemoForm& form, DropDownWindow* list) {
  qn::ui::demo::settle();
  QImage picture = form.Window()->grab().toImage();
  if (list && list->isOpen()) {
    const QPoint at = form.Window()->mapFromGlobal(list->window()->pos());
    const QRect whole = picture.rect().united(QRect(at, list->window()->size()));
    QImage grown(whole.size(), QImage::Format_RGB32);
    grown.fill(Qt::white);
    QPainter painter(&grown);
    painter.drawImage(0, 0, picture);
    painter.drawPixmap(at, list->window()->grab());
    painter.end();
    picture = grown;
    list->close();
  }
  return picture;
}

// FILE shows the client names dropped; a second picture beside it, "-calendar" added to its
// name, shows the opening date's calendar dropped.
int saveScreenshot(TEditorsDemoForm& form, const char* file) {
  form.Show();
  qn::ui::demo::settle();
  const QImage names = pictureWithDropDown(form, form.dropClientNames());
  const QImage calendar = pictureWithDropDown(form, form.dropOpened());
  std::filesystem::path second(file);
  second.replace_filename(second.stem().string() + "-calendar" + second.extension().string());
  const int first = qn::ui::demo::writeScreenshot(names, file, "qneditors_demo");
  const int other = qn::ui::demo::writeScreenshot(calendar, second.string().c_str(), "qneditors_demo");
  return first != 0 ? first : other;
}

}  // namespace

int main(int argc, char** argv) {
  const bool screenshot = argc == 4 && std::strcmp(argv[2], "--screenshot") == 0;
  if (argc != 2 && !screenshot) {
    std::cerr << "usage: qneditors_demo DEMO-FOLDER [--screenshot FILE]\n";
    return 2;
  }
  dataFolder = (std::filesystem::absolute(argv[1]) / "data").string();
  qn::ui::prepareDesktopPlatform();
  qn::ui::WidgetApplication app(argc, argv);
  std::optional<RunningUnits> units;
  units.emplace();
  Application->Initialize();
  TEditorsDemoForm* form = nullptr;
  try {
    Application->CreateForm(form);
  } catch (const std::exception& e) {
    std::cerr << "qneditors_demo: cannot open the demo folder " << argv[1] << ": " << e.what() << '\n';
    return 1;
  }
  if (screenshot) return saveScreenshot(*form, argv[3]);
  Application->Run();
  return 0;
}
