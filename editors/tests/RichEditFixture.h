#pragma once
// What the rich edit's tests share: a shown form over a memory dataset of documents (a title and
// a blob of notes, as the program's note files hold them), rich text made with the framework's
// writer, and a way to paint a control now. Test code only.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
#include <memory>

#include "editors/DBRichEdit.h"
#include "framework/base/MemoryStream.h"
#include "framework/base/StringList.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/Application.h"
#include "framework/ui/Edit.h"
#include "framework/ui/RtfWriter.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace richedittest {

// The grid reads its cell controls from the dataset's ControlType lines, as the library's tables
// publish them.
class DocumentDataSet : public MemoryDataSet {
  QN_PUBLISHED_CLASS(DocumentDataSet, MemoryDataSet)
 public:
  using MemoryDataSet::MemoryDataSet;
  StringList controlType;
};
inline void DocumentDataSet::PublishProperties(PropertyPublisher<DocumentDataSet>& publish) {
  publish.StringList("ControlType", [](DocumentDataSet& d) -> TStrings* { return &d.controlType; },
                     [](DocumentDataSet& d, TStrings* v) { d.controlType.Assign(v); });
}

// Rich text of paragraphs in the default attributes: bold when the text starts with '*', a bullet
// when it starts with '-'.
inline std::string richText(const std::vector<std::string>& paragraphs) {
  qn::ui::RichTextContent content;
  content.paragraphs.clear();
  for (const std::string& text : paragraphs) {
    qn::ui::RichParagraph p;
    qn::ui::CharacterAttributes a;
    a.bold = text[0] == '*';
    p.attributes.bullet = text[0] == '-';
    qn::ui::appendText(p, a, text);
    content.paragraphs.push_back(p);
  }
  return qn::ui::RtfWriter().write(content);
}

class RichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    docs.FieldDefs().Add("Title", ftString, 20);
    docs.FieldDefs().Add("Notes", ftBlob);
    docs.Open();
    docs.AppendRecord({"First", richText({"*Dear client,", "the hearing is set."})});
    source.SetDataSet(&docs);
    form = std::make_unique<qn::ui::testing::TTestForm>();
    next = new TEdit(form.get());
    next->SetParent(form.get());
    next->SetBounds(10, 260, 100, 22);
  }
  void TearDown() override { form.reset(); }

  template <class Edit = TdcDBRichEdit>
  Edit* place(int top = 10, int width = 300, int height = 120) {
    auto* edit = new Edit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, top, width, height);
    return edit;
  }
  TdcDBRichEdit* bound(const char* field) {
    auto* edit = place();
    edit->SetDataSource(&source);
    edit->SetDataField(field);
    return edit;
  }
  bool show() { return qn::ui::testing::showActive(*form); }
  // Paints the control's window now.
  static void paint(TWinControl* control) {
    QWidget* window = control->Window();
    if (auto* area = qobject_cast<QAbstractScrollArea*>(window)) window = area->viewport();
    window->repaint();
    QApplication::processEvents();
  }
  static void type(TWinControl* control, const char* text) { QTest::keyClicks(control->Window(), text); }
  static void key(TWinControl* control, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(control->Window(), k, m);
  }
  void setNotes(const std::string& bytes) {
    docs.Edit();
    docs.FieldByName("Notes")->SetAsString(bytes);
    docs.Post();
  }
  std::string notes() { return docs.FieldByName("Notes")->AsString(); }

  DocumentDataSet docs;
  TDataSource source{nullptr};
  std::unique_ptr<qn::ui::testing::TTestForm> form;
  TEdit* next = nullptr;
};

}  // namespace richedittest
