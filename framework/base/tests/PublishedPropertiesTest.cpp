#include <gtest/gtest.h>

#include <functional>

#include "framework/base/Component.h"
#include "framework/base/ComponentError.h"

namespace {

enum TStyle { stFlat, stRaised, stSunken };
const EnumerationType kStyles{"TStyle", {"stFlat", "stRaised", "stSunken"}};
enum TOption { opTitles, opLines, opTabs };
const EnumerationType kOptions{"TOption", {"opTitles", "opLines", "opTabs"}};
using TOptions = EnumSet<TOption>;
using TCheckEvent = std::function<void(TObject* Sender, bool& Accept)>;

class TSource : public TComponent {
  QN_CLASS(TSource, TComponent)
 public:
  using TComponent::TComponent;
};

// Three levels below TComponent, each publishing its own properties.
class TWidget : public TComponent {
  QN_PUBLISHED_CLASS(TWidget, TComponent)
 public:
  using TComponent::TComponent;
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& value) { caption_ = value; }
  int width = 25;
  bool visible = true;

 private:
  AnsiString caption_;
};
void TWidget::PublishProperties(PropertyPublisher<TWidget>& publish) {
  publish.String("Caption", &TWidget::Caption, &TWidget::SetCaption)
      .Integer("Width", &TWidget::width, &TWidget::width)
      .Boolean("Visible", &TWidget::visible, &TWidget::visible);
}

class TDataWidget : public TWidget {
  QN_PUBLISHED_CLASS(TDataWidget, TWidget)
 public:
  using TWidget::TWidget;
  TStyle style = stFlat;
  TOptions options{opTitles};
  double ratio = 0.5;
  TSource* dataSource = nullptr;
};
void TDataWidget::PublishProperties(PropertyPublisher<TDataWidget>& publish) {
  publish.Enumeration("Style", kStyles, &TDataWidget::style, &TDataWidget::style)
      .Set("Options", kOptions, &TDataWidget::options, &TDataWidget::options)
      .Float("Ratio", &TDataWidget::ratio, &TDataWidget::ratio)
      .Object("DataSource", &TDataWidget::dataSource, &TDataWidget::dataSource);
}

class TLookupWidget : public TDataWidget {
  QN_PUBLISHED_CLASS(TLookupWidget, TDataWidget)
 public:
  using TDataWidget::TDataWidget;
  TStrings* lines = nullptr;
  TCheckEvent onCheck;
};
void TLookupWidget::PublishProperties(PropertyPublisher<TLookupWidget>& publish) {
  publish.StringList("Lines", &TLookupWidget::lines, &TLookupWidget::lines)
      .Event("OnCheck", &TLookupWidget::onCheck, &TLookupWidget::onCheck)
      // Redeclared read-only here: the nearest class wins.
      .Integer("Width", [](TLookupWidget& w) { return w.width * 2; });
}

TEST(PublishedProperties, ReadsByNameAcrossThreeLevelsWithoutRegardToCase) {
  TLookupWidget widget(nullptr);
  widget.SetName("Lookup1");
  widget.SetCaption("Client");
  widget.SetTag(7);
  widget.style = stSunken;
  widget.options = {opLines, opTabs};
  widget.ratio = 1.25;
  TSource source(nullptr);
  widget.dataSource = &source;
  TStrings* lines = reinterpret_cast<TStrings*>(&source);  // only carried, never used as a list
  widget.lines = lines;
  bool called = false;
  widget.onCheck = [&](TObject*, bool&) { called = true; };

  EXPECT_EQ(ReadStringProperty(&widget, "name"), "Lookup1");
  EXPECT_EQ(ReadIntegerProperty(&widget, "TAG"), 7);
  EXPECT_EQ(ReadStringProperty(&widget, "Caption"), "Client");
  EXPECT_EQ(ReadBooleanProperty(&widget, "Visible"), true);
  EXPECT_EQ(ReadEnumerationProperty(&widget, "Style"), int{stSunken});
  EXPECT_EQ(ReadSetProperty(&widget, "Options"), (1u << opLines) | (1u << opTabs));
  EXPECT_EQ(ReadFloatProperty(&widget, "Ratio"), 1.25);
  EXPECT_EQ(ReadObjectProperty(&widget, "DataSource"), &source);
  source.SetName("DataSource1");
  EXPECT_EQ(ReadStringProperty(&source, "Name"), "DataSource1") << "inherited through a class publishing nothing";
  EXPECT_EQ(ReadStringListProperty(&widget, "Lines"), lines);
  EXPECT_EQ(ReadIntegerProperty(&widget, "Width"), 50) << "the descendant's declaration wins";

  std::optional<TCheckEvent> onCheck = ReadEventProperty<TCheckEvent>(&widget, "OnCheck");
  ASSERT_TRUE(onCheck && *onCheck);
  bool accept = true;
  (*onCheck)(&widget, accept);
  EXPECT_TRUE(called);

  const PropertyInfo* style = FindPublishedProperty(&widget, "style");
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->kind, PropertyKind::Enumeration);
  EXPECT_EQ(style->enumeration->NameOf(*ReadEnumerationProperty(&widget, "Style")), "stSunken");
  EXPECT_EQ(style->enumeration->OrdinalOf("STRAISED"), 1);
  EXPECT_EQ(FindPublishedProperty(&widget, "DataSource")->objectClass, TSource::StaticClassInfo());
}

TEST(PublishedProperties, WritesByNameWithTheRightKind) {
  TLookupWidget widget(nullptr);
  TSource source(nullptr);
  EXPECT_TRUE(WriteStringProperty(&widget, "Name", "Grid1"));
  EXPECT_TRUE(WriteStringProperty(&widget, "caption", "Matter"));
  EXPECT_TRUE(WriteBooleanProperty(&widget, "Visible", false));
  EXPECT_TRUE(WriteEnumerationProperty(&widget, "Style", stRaised));
  EXPECT_TRUE(WriteSetProperty(&widget, "Options", TOptions{opTabs}.Mask()));
  EXPECT_TRUE(WriteFloatProperty(&widget, "Ratio", 2.5));
  EXPECT_TRUE(WriteObjectProperty(&widget, "DataSource", &source));
  TStrings* lines = reinterpret_cast<TStrings*>(&source);
  EXPECT_TRUE(WriteStringListProperty(&widget, "Lines", lines));
  bool called = false;
  EXPECT_TRUE(WriteEventProperty<TCheckEvent>(&widget, "OnCheck", [&](TObject*, bool&) { called = true; }));

  EXPECT_EQ(widget.Name(), "Grid1");
  EXPECT_EQ(widget.Caption(), "Matter");
  EXPECT_FALSE(widget.visible);
  EXPECT_EQ(widget.style, stRaised);
  EXPECT_EQ(widget.options, TOptions{opTabs});
  EXPECT_EQ(widget.ratio, 2.5);
  EXPECT_EQ(widget.dataSource, &source);
  EXPECT_EQ(widget.lines, lines);
  bool accept = true;
  widget.onCheck(&widget, accept);
  EXPECT_TRUE(called);

  EXPECT_TRUE(WriteObjectProperty(&widget, "DataSource", nullptr));
  EXPECT_EQ(widget.dataSource, nullptr);
}

TEST(PublishedProperties, WrongKindIsRefusedAndChangesNothing) {
  TLookupWidget widget(nullptr);
  widget.SetCaption("Client");
  TComponent notASource(nullptr);

  EXPECT_FALSE(WriteIntegerProperty(&widget, "Caption", 3));
  EXPECT_FALSE(WriteStringProperty(&widget, "Visible", "True"));
  EXPECT_FALSE(WriteIntegerProperty(&widget, "Style", 1)) << "an enumeration is not an integer";
  EXPECT_FALSE(WriteEnumerationProperty(&widget, "Style", 3)) << "no fourth member";
  EXPECT_FALSE(WriteEnumerationProperty(&widget, "Style", -1));
  EXPECT_FALSE(WriteSetProperty(&widget, "Options", 1u << 3)) << "no fourth member";
  EXPECT_FALSE(WriteObjectProperty(&widget, "DataSource", &notASource)) << "not a TSource";
  EXPECT_FALSE(WriteObjectProperty(&widget, "Lines", &notASource)) << "a string list is its own kind";
  EXPECT_FALSE(WriteIntegerProperty(&widget, "Width", 10)) << "read-only in this class";
  EXPECT_FALSE(WriteEventProperty<std::function<void(TObject*)>>(&widget, "OnCheck", {})) << "another event type";

  EXPECT_EQ(ReadIntegerProperty(&widget, "Caption"), std::nullopt);
  EXPECT_EQ(ReadEventProperty<std::function<void()>>(&widget, "OnCheck"), std::nullopt);
  EXPECT_EQ(widget.Caption(), "Client");
  EXPECT_EQ(widget.style, stFlat);
  EXPECT_EQ(widget.options, TOptions{opTitles});
  EXPECT_EQ(widget.dataSource, nullptr);
  EXPECT_EQ(widget.width, 25);
}

TEST(PublishedProperties, AbsentNamesAnswerAbsentWithoutException) {
  TLookupWidget lookup(nullptr);
  TWidget plain(nullptr);
  EXPECT_EQ(FindPublishedProperty(&lookup, "PictureMasks"), nullptr);
  EXPECT_EQ(ReadStringListProperty(&lookup, "PictureMasks"), std::nullopt);
  EXPECT_FALSE(WriteStringProperty(&lookup, "DataField", "Client Code"));
  EXPECT_EQ(ReadObjectProperty(&plain, "DataSource"), std::nullopt) << "a descendant's property is absent";
  EXPECT_EQ(ReadEventProperty<TCheckEvent>(&plain, "OnCheck"), std::nullopt);
  EXPECT_EQ(ReadStringProperty(nullptr, "Name"), std::nullopt);
  EXPECT_FALSE(WriteStringProperty(nullptr, "Name", "X"));
}

TEST(PublishedProperties, UnassignedObjectAndEventReadAsPresentAndEmpty) {
  TLookupWidget widget(nullptr);
  std::optional<TObject*> source = ReadObjectProperty(&widget, "DataSource");
  ASSERT_TRUE(source.has_value());
  EXPECT_EQ(*source, nullptr);
  std::optional<TCheckEvent> onCheck = ReadEventProperty<TCheckEvent>(&widget, "OnCheck");
  ASSERT_TRUE(onCheck.has_value());
  EXPECT_FALSE(*onCheck);
}

TEST(PublishedProperties, SetterErrorsComeThrough) {
  TComponent form(nullptr);
  auto* first = new TWidget(&form);
  auto* second = new TWidget(&form);
  first->SetName("Edit1");
  EXPECT_THROW(WriteStringProperty(second, "Name", "Edit1"), EComponentError);
}

TEST(PublishedProperties, ListsEveryPropertyAncestorsFirstEachNameOnce) {
  std::vector<AnsiString> names;
  for (const PropertyInfo* info : PublishedPropertiesOf(TLookupWidget::StaticClassInfo())) names.push_back(info->name);
  EXPECT_EQ(names, (std::vector<AnsiString>{"Name", "Tag", "Caption", "Width", "Visible", "Style", "Options", "Ratio",
                                            "DataSource", "Lines", "OnCheck"}));
  TLookupWidget widget(nullptr);
  EXPECT_FALSE(FindPublishedProperty(&widget, "Width")->write) << "the redeclaration is read-only";
}

}  // namespace
