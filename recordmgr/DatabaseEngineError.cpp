#include "recordmgr/DatabaseEngineError.h"

#include <algorithm>

#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCompare.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/ErrorStack.h"

namespace {

// Under this code the message holds the entries' own texts only, none of the facade's texts
// for the codes.
constexpr uint16_t kEntriesSpeakForThemselves = 11972;

// Message lines: each once (compared without regard to case), none empty.
class MessageLines {
 public:
  void add(const AnsiString& line) {
    if (line.empty()) return;
    if (std::any_of(lines_.begin(), lines_.end(), [&](const AnsiString& kept) { return AnsiSameText(kept, line); }))
      return;
    lines_.push_back(line);
  }
  bool empty() const { return lines_.empty(); }
  AnsiString joined() const {
    AnsiString text;
    for (const AnsiString& line : lines_) text += (text.empty() ? "" : "\r\n") + line;
    return text;
  }

 private:
  std::vector<AnsiString> lines_;
};

AnsiString composeMessage(EngineErrorTexts& engine, uint16_t code, std::vector<TttError>& errors) {
  const bool withCodeTexts = code != kEntriesSpeakForThemselves;
  MessageLines lines;
  errors.emplace_back(code, 0, Trim(engine.GetErrorText(code)));
  if (withCodeTexts) lines.add(errors.front().Message);

  // The facade's stack is never deeper than this, whatever a facade answers.
  for (uint16_t index = 1; index <= TErrorStack::MaxDepth; ++index) {
    int32_t native = 0;
    AnsiString text;
    const uint16_t entryCode = engine.GetErrorEntry(index, native, text);
    if (entryCode == 0 || entryCode == DBIERR_NOTINITIALIZED) break;
    errors.emplace_back(entryCode, native, text);
    if (native == 0 && withCodeTexts) lines.add(Trim(engine.GetErrorText(entryCode)));
    lines.add(Trim(text));
  }
  if (lines.empty()) return Format("Korvo Interface Error: ( %x )", {static_cast<int>(code)});
  return lines.joined();
}

}  // namespace

ETDBEngineError::ETDBEngineError(EngineErrorTexts& engine, uint16_t code) : EDatabaseError(AnsiString()) {
  SetMessage(composeMessage(engine, code, errors_));
}

void CheckEngineStatus(EngineErrorTexts& engine, uint16_t status) {
  if (status != 0) RaiseDatabaseEngineError(engine, status);
}

void RaiseDatabaseEngineError(EngineErrorTexts& engine, uint16_t code) { throw ETDBEngineError(engine, code); }
