// What a blob field holds for the rich edit: the writer's rich text of the whole content, read
// back to the same text and formats and written again to the same bytes; what is no readable
// rich text comes back as plain text.
#include <chrono>
#include <cstdio>
#include <functional>

#include "editors/RichMemoryStream.h"
#include "editors/tests/RichEditFixture.h"
#include "framework/ui/RichTextContent.h"

namespace richedittest {
namespace {

using qn::ui::CharacterAttributes;
using qn::ui::RichTextContent;

struct Document {
  std::string name;
  std::function<void(TdcCustomRichEdit&)> make;
};

// Formats characters [from, to) of the text.
void format(TdcCustomRichEdit& e, int from, int to, const std::function<void(CharacterAttributes&)>& change) {
  e.SetSelStart(from);
  e.SetSelLength(to - from);
  e.changeSelectionAttributes(change);
}

void loadRich(TdcCustomRichEdit& e, const RichTextContent& content) {
  MemoryStream s;
  const std::string bytes = qn::ui::RtfWriter().write(content);
  s.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(0);
  ASSERT_TRUE(e.loadFromStream(s));
}

void paragraph(TdcCustomRichEdit& e, int mask, const char* align, int rule = 0, int before = 0, int after = 0,
               int spacing = 0, std::vector<int> tabs = {}, int start = 0, int right = 0, int offset = 0,
               bool bullet = false) {
  e.SelectAll();
  e.SetParagraph(mask, align, rule, before, after, spacing, tabs.data(), static_cast<int>(tabs.size()), start, right,
                 offset, bullet);
}

std::vector<Document> documents() {
  const char* text = "Plain then formatted text";
  auto with = [text](std::function<void(CharacterAttributes&)> change) {
    return [text, change](TdcCustomRichEdit& e) {
      e.SetText(text);
      format(e, 11, 20, change);
    };
  };
  std::vector<Document> list = {
      {"bold", with([](CharacterAttributes& a) { a.bold = true; })},
      {"italic", with([](CharacterAttributes& a) { a.italic = true; })},
      {"underline", with([](CharacterAttributes& a) { a.underline = true; })},
      {"strike-out", with([](CharacterAttributes& a) { a.strikeOut = true; })},
      {"protected", with([](CharacterAttributes& a) { a.protectedText = true; })},
      {"colour", with([](CharacterAttributes& a) {
         a.automaticColor = false;
         a.color = clRed;
       })},
      {"face and size", with([](CharacterAttributes& a) {
         a.name = "Courier New";
         a.halfPoints = 28;
       })},
      {"all together", with([](CharacterAttributes& a) {
         a.bold = a.italic = a.underline = a.strikeOut = a.protectedText = true;
         a.automaticColor = false;
         a.color = clBlue;
         a.name = "Times New Roman";
         a.halfPoints = 24;
       })},
      {"right", [](TdcCustomRichEdit& e) { e.SetText("a\r\nb"); paragraph(e, 0x01, "Right"); }},
      {"centre", [](TdcCustomRichEdit& e) { e.SetText("a\r\nb"); paragraph(e, 0x01, "Center"); }},
      {"indents", [](TdcCustomRichEdit& e) {
         e.SetText("indented");
         paragraph(e, 0x04 | 0x08 | 0x10, "", 0, 0, 0, 0, {}, 720, 360, 360);
       }},
      {"spacing", [](TdcCustomRichEdit& e) {
         e.SetText("spaced");
         paragraph(e, 0x40 | 0x80, "", 0, 240, 120);
       }},
      {"bullets", [](TdcCustomRichEdit& e) {
         e.SetText("one\r\ntwo");
         paragraph(e, 0x02, "", 0, 0, 0, 0, {}, 0, 0, 0, true);
       }},
      {"32 tabs", [](TdcCustomRichEdit& e) {
         std::vector<int> tabs;
         for (int i = 1; i <= 32; ++i) tabs.push_back(i * 360);
         e.SetText("a\tb\tc");
         paragraph(e, 0x20, "", 0, 0, 0, 0, tabs);
       }},
      {"euro", [](TdcCustomRichEdit& e) { e.SetText("Fee \x80 120"); }},
      {"arrow", [](TdcCustomRichEdit& e) {
         RichTextContent c;
         qn::ui::appendText(c.paragraphs[0], CharacterAttributes{}, "Step \xE2\x86\x92 next");
         loadRich(e, c);
       }},
      {"10,000 characters", [](TdcCustomRichEdit& e) { e.SetText(AnsiString(10000, 'x')); }},
      {"empty", [](TdcCustomRichEdit& e) { e.SetText(""); }},
  };
  // Rule 5 at 2.5 lines: 1.5 or 2 lines would read back as rules 1 and 2, which say the same.
  for (int rule = 0; rule <= 5; ++rule) {
    list.push_back({"line spacing rule " + std::to_string(rule), [rule](TdcCustomRichEdit& e) {
                      e.SetText("lines");
                      paragraph(e, 0x100, "", rule, 0, 0, rule >= 3 ? (rule == 5 ? 50 : 300) : 0);
                    }});
  }
  return list;
}

class RichEditStorageTest : public RichEditTest {};

TEST_F(RichEditStorageTest, EveryDocumentPostedReadsBackTheSameAndPostsTheSameBytes) {
  auto* maker = place<TdcCustomRichEdit>(10, 300, 60);
  auto* edit = bound("Notes");
  edit->SetTop(80);
  ASSERT_TRUE(show());
  std::chrono::steady_clock::duration longestLoad{};
  std::string slowest;
  for (const Document& doc : documents()) {
    SCOPED_TRACE(doc.name);
    doc.make(*maker);
    const RichTextContent made = maker->content(0, maker->TextLength());
    docs.Edit();
    MemoryStream s;
    maker->saveToStream(s);
    s.SetPosition(0);
    ASSERT_TRUE(edit->loadFromStream(s));
    edit->SetModified(true);
    edit->GetDataLink()->Modified();
    docs.Post();
    const std::string stored = notes();
    EXPECT_EQ(stored, qn::ui::RtfWriter().write(made)) << "the blob holds the writer's text of the whole content";

    // Read back by a control of its own, then posted again unchanged.
    auto* reader = bound("Notes");
    reader->SetTop(150);
    const auto started = std::chrono::steady_clock::now();
    paint(reader);
    if (std::chrono::steady_clock::now() - started > longestLoad) {
      longestLoad = std::chrono::steady_clock::now() - started;
      slowest = doc.name;
    }
    EXPECT_TRUE(reader->IsLoaded());
    const RichTextContent read = reader->content(0, reader->TextLength());
    EXPECT_EQ(read, made);
    docs.Edit();
    reader->SetModified(true);
    reader->GetDataLink()->Modified();
    docs.Post();
    EXPECT_EQ(notes(), stored);
    delete reader;
  }
  std::printf("slowest load: %s, %lld us\n", slowest.c_str(),
              static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(longestLoad).count()));
}

TEST_F(RichEditStorageTest, WhatTheReaderRefusesLoadsAsPlainText) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  for (const char* bytes : {"{\\rtf1\\ansi unbalanced", "{\\rtf1 \\'zz}", "{\\rtf1 \\u99999 x}",
                            "{\\rtf1 {{{{ deep }", "Plain notes\r\nsecond line", "lone\rreturn\nand feed"}) {
    SCOPED_TRACE(bytes);
    setNotes(bytes);
    paint(edit);
    EXPECT_EQ(edit->Text(), RichTextContent::fromPlainText(bytes, {}).plainText());
    EXPECT_FALSE(edit->PlainText()) << "plain-text mode is on only for the retry";
  }
}

TEST_F(RichEditStorageTest, AStreamThatFailsBothWaysRaisesFailedToLoadStream) {
  auto* edit = place<TdcCustomRichEdit>();
  ASSERT_TRUE(show());
  edit->SetText("kept");
  edit->SelectAll();
  edit->changeSelectionAttributes([](CharacterAttributes& a) { a.protectedText = true; });
  edit->OnProtectChange = [](TObject*, int, int, bool& allow) { allow = false; };
  MemoryStream s;
  s.Write("{\\rtf1 broken", 13);
  s.SetPosition(0);
  try {
    edit->LoadFromStream(s, false, false);
    FAIL() << "no exception";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "Failed to Load Stream");
  }
  EXPECT_EQ(edit->Text(), "kept");
}

TEST(RichMemoryStreamTest, GrowsInStepsOf128KAndASizeOfNothingFreesTheBlock) {
  TdcRichMemoryStream s;
  const std::string piece(1000, 'r');
  s.Write(piece.data(), 1000);
  EXPECT_EQ(s.Capacity(), 131072);
  for (int i = 0; i < 131; ++i) s.Write(piece.data(), 1000);
  EXPECT_EQ(s.Size(), 132000);
  EXPECT_EQ(s.Capacity(), 262144);
  s.SetSize(0);
  EXPECT_EQ(s.Capacity(), 0);
}

}  // namespace
}  // namespace richedittest
