#include "framework/base/Strings.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/FileStream.h"
#include "framework/base/ListIndex.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCompare.h"

namespace {

// Ends a bracket also when the work inside it raises.
class UpdateBracket {
 public:
  explicit UpdateBracket(TStrings& list) : list_(list) { list_.BeginUpdate(); }
  ~UpdateBracket() { list_.EndUpdate(); }

 private:
  TStrings& list_;
};

}  // namespace

int TStrings::AddObject(const AnsiString& s, TObject* object) {
  int index = Count();
  InsertObject(index, s, object);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  // Taken before adding: a list added to itself grows, and a sorted one reorders, while it is
  // copied.
  std::vector<std::pair<AnsiString, TObject*>> lines;
  lines.reserve(other.Count());
  for (int i = 0; i < other.Count(); ++i) lines.emplace_back(other.Get(i), other.GetObject(i));
  UpdateBracket bracket(*this);
  for (const auto& [line, object] : lines) AddObject(line, object);
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* strings = dynamic_cast<TStrings*>(Source)) Assign(*strings);
  else TPersistent::Assign(Source);
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  UpdateBracket bracket(*this);
  Clear();
  nameValueSeparator_ = source.nameValueSeparator_;
  delimiter_ = source.delimiter_;
  quoteChar_ = source.quoteChar_;
  AddStrings(source);
}

void TStrings::Exchange(int index1, int index2) {
  UpdateBracket bracket(*this);
  AnsiString s = Get(index1);
  TObject* object = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, s);
  PutObject(index2, object);
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  // Both places are checked before the line leaves, so a move that cannot be made loses nothing.
  for (int index : {curIndex, newIndex})
    CheckListIndex(index, Count());
  UpdateBracket bracket(*this);
  AnsiString s = Get(curIndex);
  TObject* object = GetObject(curIndex);
  Delete(curIndex);
  InsertObject(newIndex, s, object);
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

int TStrings::IndexOf(const AnsiString& s) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

int TStrings::IndexOfName(const AnsiString& name) const {
  for (int i = 0; i < Count(); ++i) {
    AnsiString line = Get(i);
    size_t at = line.find(nameValueSeparator_);
    if (at != AnsiString::npos && CompareStrings(line.substr(0, at), name) == 0) return i;
  }
  return -1;
}

AnsiString TStrings::Names(int index) const {
  AnsiString line = Get(index);
  size_t at = line.find(nameValueSeparator_);
  return at == AnsiString::npos ? AnsiString() : line.substr(0, at);
}

AnsiString TStrings::ValueFromIndex(int index) const {
  AnsiString line = Get(index);
  size_t at = line.find(nameValueSeparator_);
  return at == AnsiString::npos ? AnsiString() : line.substr(at + 1);
}

AnsiString TStrings::Values(const AnsiString& name) const {
  int index = IndexOfName(name);
  return index < 0 ? AnsiString() : ValueFromIndex(index);
}

void TStrings::SetValues(const AnsiString& name, const AnsiString& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index < 0) {
    Add(name + nameValueSeparator_ + value);
  } else {
    Put(index, name + nameValueSeparator_ + value);
  }
}

AnsiString TStrings::DelimitedText() const { return joined(delimiter_, quoteChar_); }
void TStrings::SetDelimitedText(const AnsiString& text) { split(text, delimiter_, quoteChar_); }
AnsiString TStrings::CommaText() const { return joined(',', '"'); }
void TStrings::SetCommaText(const AnsiString& text) { split(text, ',', '"'); }

AnsiString TStrings::joined(char delimiter, char quoteChar) const {
  if (Count() == 1 && Get(0).empty()) return AnsiString(2, quoteChar);
  AnsiString out;
  for (int i = 0; i < Count(); ++i) {
    AnsiString line = Get(i);
    bool quote = false;
    for (char c : line)
      if (static_cast<unsigned char>(c) <= ' ' || c == quoteChar || c == delimiter) quote = true;
    if (i > 0) out += delimiter;
    out += quote ? AnsiQuotedStr(line, quoteChar) : line;
  }
  return out;
}

void TStrings::split(const AnsiString& text, char delimiter, char quoteChar) {
  UpdateBracket bracket(*this);
  Clear();
  size_t i = 0;
  auto isBlank = [&](size_t at) { return at < text.size() && static_cast<unsigned char>(text[at]) <= ' '; };
  auto skipBlanks = [&] {
    while (isBlank(i)) ++i;
  };
  skipBlanks();
  while (i < text.size()) {
    AnsiString item;
    if (text[i] == quoteChar) {
      // A quoted item ends at a quote that is not doubled.
      for (++i; i < text.size(); ++i) {
        if (text[i] == quoteChar) {
          if (i + 1 < text.size() && text[i + 1] == quoteChar) {
            item += quoteChar;
            ++i;
            continue;
          }
          ++i;
          break;
        }
        item += text[i];
      }
    } else {
      while (i < text.size() && text[i] != delimiter && !isBlank(i)) item += text[i++];
    }
    Add(item);
    skipBlanks();
    if (i < text.size() && text[i] == delimiter) {
      ++i;
      // A delimiter at the very end leaves one more, empty line.
      if (i >= text.size()) Add("");
      skipBlanks();
    }
  }
}

AnsiString TStrings::Text() const {
  AnsiString out;
  for (int i = 0; i < Count(); ++i) out += Get(i) + "\r\n";
  return out;
}

void TStrings::SetText(const AnsiString& text) {
  UpdateBracket bracket(*this);
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == AnsiString::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

void TStrings::LoadFromStream(TStream& stream) {
  // A position beyond the end leaves nothing to read.
  AnsiString bytes(std::max<int64_t>(stream.Size() - stream.Position(), 0), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  SetText(bytes);
}

void TStrings::SaveToStream(TStream& stream) const {
  AnsiString text = Text();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& path) {
  FileStream file(path, fmOpenRead);
  LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& path) const {
  FileStream file(path, fmCreate);
  SaveToStream(file);
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

int TStrings::CompareStrings(const AnsiString& a, const AnsiString& b) const { return AnsiCompareText(a, b); }
