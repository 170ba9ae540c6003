#include "framework/ui/Memo.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/ListIndex.h"

namespace {

// The memo's text seen as lines: each change puts the whole text back.
class MemoLines : public TStrings {
 public:
  explicit MemoLines(TMemo* memo) : memo_(memo) {}

  int Count() const override { return static_cast<int>(split().size()); }
  AnsiString Get(int index) const override { return split().at(checked(index)); }
  TObject* GetObject(int index) const override {
    checked(index);
    return nullptr;
  }
  void Put(int index, const AnsiString& s) override {
    std::vector<AnsiString> lines = split();
    lines.at(checked(index)) = s;
    join(lines);
  }
  void PutObject(int index, TObject*) override { checked(index); }
  void InsertObject(int index, const AnsiString& s, TObject*) override {
    std::vector<AnsiString> lines = split();
    if (index < 0 || index > static_cast<int>(lines.size())) RaiseListIndexError(index);
    lines.insert(lines.begin() + index, s);
    join(lines);
  }
  void Delete(int index) override {
    std::vector<AnsiString> lines = split();
    lines.erase(lines.begin() + checked(index));
    join(lines);
  }
  void Clear() override { memo_->SetText(""); }

 private:
  std::vector<AnsiString> split() const {
    std::vector<AnsiString> lines;
    const AnsiString text = memo_->Text();
    size_t from = 0;
    while (from < text.size()) {
      const size_t end = text.find("\r\n", from);
      if (end == AnsiString::npos) {
        lines.push_back(text.substr(from));
        break;
      }
      lines.push_back(text.substr(from, end - from));
      from = end + 2;
    }
    return lines;
  }
  void join(const std::vector<AnsiString>& lines) {
    AnsiString text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    memo_->SetText(text);
  }
  int checked(int index) const {
    CheckListIndex(index, Count());
    return index;
  }

  TMemo* memo_;
};

}  // namespace

void TMemo::PublishProperties(PropertyPublisher<TMemo>& publish) {
  publish.StringList("Lines", &TMemo::Lines, &TMemo::SetLines);
  publish.Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
  publish.Boolean("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
  publish.Boolean("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
  publish.Enumeration("ScrollBars", kScrollStyleType, &TMemo::ScrollBars, &TMemo::SetScrollBars);
}

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(std::make_unique<MemoLines>(this)) {
  SetMultiLine(true);
  SetWordWrap(true);
  SetWantReturns(true);
  SetAutoSelect(false);
  SetBounds(Left(), Top(), 185, 89);
}

TMemo::~TMemo() = default;

void TMemo::SetLines(TStrings* Value) {
  if (Value) lines_->Assign(*Value);
}

TPoint TMemo::CaretPos() {
  const int caret = SelStart() + SelLength();
  const int line = LineOfChar(caret);
  return {caret - LineStart(line), line};
}

void TMemo::SetCaretPos(TPoint Value) {
  const int line = std::clamp(Value.Y, 0, LineCount() - 1);
  const int start = LineStart(line);
  const int next = LineStart(line + 1);
  const AnsiString text = Text();
  int end = next < 0 ? static_cast<int>(text.size()) : next;
  if (end - 2 >= start && text.compare(end - 2, 2, "\r\n") == 0) end -= 2;
  SetSelStart(std::clamp(start + Value.X, start, end));
}
