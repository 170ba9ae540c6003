#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/base/MemoryStream.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/RichTextToPlainText.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

std::vector<char> bufferOf(const char* text, size_t size) {
  std::vector<char> buffer(size, 'x');
  std::memcpy(buffer.data(), text, std::strlen(text) + 1);
  return buffer;
}

class RichTextToPlainTextTest : public ::testing::Test {
 protected:
  void SetUp() override { qn::ui::testing::qtApplication(); }
};

TEST_F(RichTextToPlainTextTest, RichTextInTheBufferBecomesItsPlainText) {
  std::vector<char> buffer = bufferOf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\b Caf\\'e9\\b0\\par next}", 100);
  RichTextToPlainText(nullptr, buffer.data(), static_cast<int>(buffer.size()), nullptr, nullptr);
  EXPECT_STREQ(buffer.data(), "Caf\xE9\r\nnext");
}

TEST_F(RichTextToPlainTextTest, PlainTextStaysWithItsLineEndsMadePairs) {
  std::vector<char> buffer = bufferOf("one\ntwo", 100);
  RichTextToPlainText(nullptr, buffer.data(), static_cast<int>(buffer.size()), nullptr, nullptr);
  EXPECT_STREQ(buffer.data(), "one\r\ntwo");
}

TEST_F(RichTextToPlainTextTest, AGivenEditAndStreamAreReusedAndTheBufferIsNeverOverrun) {
  TRichEdit edit(nullptr);
  edit.SetText("earlier content");
  MemoryStream stream;
  stream.WriteBuffer("left over bytes that are longer", 31);
  // Plain text grows when its line feeds become pairs: the result is cut to the buffer.
  std::vector<char> buffer = bufferOf("one\ntwo\nsix", 12);
  buffer.push_back('!');  // a guard byte after the buffer's Length
  RichTextToPlainText(nullptr, buffer.data(), 12, &stream, &edit);
  EXPECT_STREQ(buffer.data(), "one\r\ntwo\r\ns");
  EXPECT_EQ(edit.Text(), "one\r\ntwo\r\nsix");
  EXPECT_EQ(buffer.back(), '!');
  EXPECT_EQ(stream.Size(), 11);
}

TEST_F(RichTextToPlainTextTest, WithoutAControlTheSameTextComesOut) {
  EXPECT_EQ(qn::ui::RichTextToPlainText("{\\rtf1 a\\line b\\par c\\tab d}"), "a\r\nb\r\nc\td");
}

}  // namespace
