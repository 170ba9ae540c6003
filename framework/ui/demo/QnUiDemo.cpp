// qnui_demo: the framework's standard controls on one form, to look at them. Run on its own it
// shows the form until closed; with --screenshot FILE it saves the shown form as a PNG picture
// and ends (0 when saved, 1 when the picture could not be written).
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>

#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"
#include "framework/ui/BevelLine.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/demo/DemoScreenshot.h"
#include "framework/ui/DriveBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Memo.h"
#include "framework/ui/PageControl.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/RadioButtonGroup.h"
#include "framework/ui/ScrollArea.h"
#include "framework/ui/Panel.h"
#include "framework/ui/SectionHeader.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/WidgetApplication.h"

namespace {

class TDemoForm : public TForm {
  QN_CLASS(TDemoForm, TForm)
 public:
  explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Standard controls");
    SetBounds(100, 100, 880, 460);
    SetColor(clBtnFace);
    addLeftColumn();
    addMiddleColumn();
    addRightColumn();
    addButtonColumn();
    addBottom();
  }

 private:
  template <class Control>
  Control* place(Control* control, int left, int top, int width, int height, TWinControl* parent = nullptr) {
    control->SetParent(parent ? parent : this);
    control->SetBounds(left, top, width, height);
    return control;
  }

  void addLeftColumn() {
    place(new TextLabel(this), 8, 8, 200, 16)->SetCaption("Client &code:");
    auto* edit = place(new TEdit(this), 8, 26, 200, 22);
    edit->SetText("SMITH01");
    auto* check = place(new CheckBox(this), 8, 54, 200, 20);
    check->SetCaption("Keep this form on top");
    check->SetChecked(true);
    auto* combo = place(new ComboBox(this), 8, 80, 200, 24);
    combo->SetStyle(csDropDownList);
    for (const char* item : {"Task", "Activity", "Expense"}) combo->Items()->Add(item);
    combo->SetItemIndex(1);
    auto* list = place(new ListBox(this), 8, 110, 200, 110);
    list->SetMultiSelect(true);
    for (const char* item : {"ABBOTT  Abbott, Anne", "BROWN   Brown, Bill", "CLARK   Clark, Cora", "DAVIS   Davis, Dan"})
      list->Items()->Add(item);
    list->SetSelected(1, true);
    list->SetSelected(3, true);
    auto* memo = place(new TMemo(this), 8, 226, 200, 80);
    memo->SetText("Notes of the matter,\r\non two lines.");
  }

  void addMiddleColumn() {
    auto* pages = place(new PageControl(this), 220, 8, 220, 200);
    TWinControl* general = pages->AddPage("General");
    pages->AddPage("Spelling");
    place(new TextLabel(this), 8, 8, 180, 16, general)->SetCaption("Options of the first page");
    place(new CheckBox(this), 8, 30, 180, 20, general)->SetCaption("Check spelling as you type");
    auto* strip = place(new TabStrip(this), 220, 216, 220, 26);
    for (const char* tab : {"Narr. code", "Task", "Expense"}) strip->Tabs()->Add(tab);
    strip->SetTabIndex(1);
    auto* header = place(new SectionHeader(this), 220, 250, 220, 18);
    header->Sections()->Add()->SetWidth(90);
    header->Sections()->Items(0)->SetText("CASE");
    header->Sections()->Add()->SetWidth(130);
    header->Sections()->Items(1)->SetText("Record 3 of 12");
    auto* panel = place(new TPanel(this), 220, 276, 220, 30);
    panel->SetCaption("A raised panel");
    place(new TButton(this), 220, 314, 100, 25)->SetCaption("&OK");
    place(new TButton(this), 340, 314, 100, 25)->SetCaption("Cancel");
  }

  void addRightColumn() {
    auto* drives = place(new DriveBox(this), 452, 8, 196, 24);
    auto* folders = place(new FolderList(this), 452, 38, 196, 130);
    auto* files = place(new FileList(this), 452, 174, 196, 132);
    const std::string programFolder = std::filesystem::path(Application->ExeName()).parent_path().string();
    files->SetMask("qn*");
    folders->SetFileList(files);
    folders->SetDirectory(programFolder);
    drives->SetFolderList(folders);
  }

  void addButtonColumn() {
    auto* group = place(new RadioButtonGroup(this), 660, 8, 212, 76);
    group->SetCaption("Show");
    group->SetColumns(2);
    for (const char* item : {"Open", "Closed", "All", "Archived"}) group->Items()->Add(item);
    group->SetItemIndex(2);
    place(new RadioButton(this), 660, 90, 100, 20)->SetCaption("By client");
    auto* byCase = place(new RadioButton(this), 766, 90, 100, 20);
    byCase->SetCaption("By case");
    byCase->SetChecked(true);
    for (int i = 0; i < 3; ++i) {
      auto* speed = place(new TSpeedButton(this), 660 + i * 26, 116, 24, 22);
      speed->SetCaption(AnsiString(1, "BIU"[i]));
      speed->SetGroupIndex(1);
      speed->SetDown(i == 0);
    }
    auto* line = place(new BevelLine(this), 660, 144, 212, 4);
    line->SetShape(bevelTopLine);
    auto* box = place(new ShapeControl(this), 660, 154, 60, 36);
    box->SetBrushColor(clWhite);
    auto* round = place(new ShapeControl(this), 730, 154, 60, 36);
    round->SetShape(shapeEllipse);
    round->SetBrushColor(clYellow);
    auto* area = place(new ScrollArea(this), 660, 196, 212, 80);
    for (int i = 0; i < 5; ++i) place(new TextLabel(this), 4, 4 + i * 20, 160, 16, area)->SetCaption(AnsiString("Docket entry ") + AnsiString(std::to_string(i + 1).c_str()));
    area->VertScrollBar()->SetRange(104);
    place(new GlyphButton(this), 660, 282, 68, 27)->SetKind(gbkOK);
    place(new GlyphButton(this), 732, 282, 68, 27)->SetKind(gbkCancel);
    place(new GlyphButton(this), 804, 282, 68, 27)->SetKind(gbkHelp);
  }

  void addBottom() {
    auto* bar = new StatusBar(this);
    bar->SetParent(this);
    for (int width : {300, 120, 120}) bar->Panels()->Add()->SetWidth(width);
    bar->Panels()->Items(0)->SetText("Enter the client's code");
    bar->Panels()->Items(1)->SetText("Workstation 01");
    bar->Panels()->Items(2)->SetText("12/10/2026");
    bar->Panels()->Items(2)->SetAlignment(taCenter);
    bar->SetAutoHint(true);
  }
};

int saveScreenshot(TDemoForm& form, const char* file) {
  form.Show();
  qn::ui::demo::settle();
  return qn::ui::demo::writeScreenshot(form.Window()->grab().toImage(), file, "qnui_demo");
}

}  // namespace

int main(int argc, char** argv) {
  qn::ui::prepareDesktopPlatform();
  qn::ui::WidgetApplication app(argc, argv);
  std::optional<RunningUnits> units;
  units.emplace();
  Application->Initialize();
  TDemoForm* form = nullptr;
  Application->CreateForm(form);
  if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) return saveScreenshot(*form, argv[2]);
  if (argc != 1) {
    std::cerr << "usage: qnui_demo [--screenshot FILE]\n";
    return 2;
  }
  Application->Run();
  return 0;
}
