#include "spell/Dictionary.h"

#include <exception>

#include "platform/os/AtomicFile.h"
#include "platform/os/Paths.h"
#include "platform/spellengine/HunspellDictionary.h"
#include "spell/DictionaryFormat.h"
#include "spell/LexiconPointer.h"

namespace {

constexpr std::size_t kLongestWord = 255;

std::optional<std::string> fileBytes(const AnsiString& path) {
  try {
    return qn::os::readWholeFile(qn::os::resolvePath(path));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

TDictionary::TDictionary(const AnsiString& Path) : path_(Path) {}

TDictionary::~TDictionary() = default;

bool TDictionary::Open() {
  if (open_) return true;
  const LexiconTarget target = ResolveLexicon(path_);
  if (target.kind == LexiconKind::Invalid) return false;
  if (target.kind == LexiconKind::Trie && !openTries(target.path)) return false;
  if (target.kind == LexiconKind::Hunspell && !openHunspell(target.path)) return false;
  open_ = true;
  return true;
}

bool TDictionary::openTries(const AnsiString& path) {
  const std::optional<std::string> bytes = fileBytes(path);
  if (!bytes || bytes->size() < kDctLettersOffset) return false;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes->data());
  const unsigned char* end = data + bytes->size();
  const unsigned trieCount = data[kDctTrieCountOffset];
  const unsigned letterCount = data[kDctLetterCountOffset];
  if (bytes->size() < kDctLettersOffset + letterCount) return false;
  std::vector<TSubDictionary> tries;
  const unsigned char* p = data + kDctLettersOffset + letterCount;
  for (unsigned i = 0; i < trieCount; ++i) {
    std::optional<TSubDictionary> trie = TSubDictionary::Read(p, end);
    if (!trie) return false;
    tries.push_back(std::move(*trie));
  }
  tries_ = std::move(tries);
  title_ = DctTitleText(std::string_view(*bytes).substr(kDctTitleOffset, kDctTitleSize));
  letters_.assign(reinterpret_cast<const char*>(data + kDctLettersOffset), letterCount);
  return true;
}

bool TDictionary::openHunspell(const AnsiString& path) {
  std::shared_ptr<qn::spellengine::HunspellDictionary> dictionary;
  try {
    dictionary = qn::spellengine::HunspellDictionary::load(qn::os::resolvePath(path));
  } catch (const std::exception&) {
  }
  if (!dictionary) return false;
  hunspell_ = std::move(dictionary);
  title_ = hunspell_->title();
  letters_ = hunspell_->letters();
  return true;
}

void TDictionary::Close() {
  tries_.clear();
  hunspell_.reset();
  open_ = false;
}

bool TDictionary::IsKnownWord(const AnsiString& Word) const {
  if (!open_ || Word.empty() || Word.size() > kLongestWord) return false;
  if (hunspell_) return hunspell_->knows(Word);
  for (const TSubDictionary& trie : tries_)
    if (trie.Contains(Word)) return true;
  return false;
}

bool TDictionary::offer(const AnsiString& Word, const AnsiString& Candidate, bool known, StringList& List) const {
  if (known && Candidate != Word) {
    bool listed = false;
    for (int i = 0; i < List.Count() && !listed; ++i) listed = List[i] == Candidate;
    if (!listed) List.Add(Candidate);
  }
  return List.Count() > maxSuggestions_;
}

// Hunspell suggests pairs of words too; such a pair counts when each of its words is known.
bool TDictionary::knownPhrase(const AnsiString& Candidate) const {
  std::size_t start = 0;
  for (std::size_t space; (space = Candidate.find(' ', start)) != AnsiString::npos; start = space + 1)
    if (!IsKnownWord(Candidate.substr(start, space - start))) return false;
  return IsKnownWord(Candidate.substr(start));
}

void TDictionary::GetSuggestions(const AnsiString& Word, StringList& List) const {
  if (!open_ || Word.empty() || Word.size() > kLongestWord || List.Count() > maxSuggestions_) return;
  if (hunspell_) {
    for (const AnsiString& candidate : hunspell_->suggest(Word))
      if (offer(Word, candidate, knownPhrase(candidate), List)) return;
    return;
  }
  const std::size_t n = Word.size();
  auto tryWord = [&](const AnsiString& candidate) { return offer(Word, candidate, IsKnownWord(candidate), List); };

  if (methods_ & 0x01)
    for (std::size_t i = 0; i < n; ++i) {
      AnsiString c = Word;
      if (c[i] >= 'a' && c[i] <= 'z')
        c[i] = static_cast<char>(c[i] - 'a' + 'A');
      else if (c[i] >= 'A' && c[i] <= 'Z')
        c[i] = static_cast<char>(c[i] - 'A' + 'a');
      else
        continue;
      if (tryWord(c)) return;
    }
  if (methods_ & 0x02)
    for (std::size_t i = 0; i + 1 < n; ++i) {
      AnsiString c = Word;
      std::swap(c[i], c[i + 1]);
      if (tryWord(c)) return;
    }
  if (methods_ & 0x04)
    for (std::size_t i = 0; i < n; ++i)
      if (tryWord(AnsiString(Word).erase(i, 1))) return;
  if (methods_ & 0x08)
    for (std::size_t at = 1; at <= n; ++at)
      for (char letter : letters_)
        if (tryWord(AnsiString(Word).insert(at, 1, letter))) return;
  if (methods_ & 0x10)
    for (std::size_t i = 0; i < n; ++i)
      for (char letter : letters_) {
        AnsiString c = Word;
        c[i] = letter;
        if (tryWord(c)) return;
      }
  if ((methods_ & 0x20) && n > 2)
    for (std::size_t i = 0; i + 2 < n; ++i) {
      AnsiString c = Word;
      std::swap(c[i], c[i + 2]);
      if (tryWord(c)) return;
    }
  if ((methods_ & 0x40) && n > 4)
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = i + 1; j < n; ++j)
        if (tryWord(AnsiString(Word).erase(j, 1).erase(i, 1))) return;
  if ((methods_ & 0x80) && n > 3)
    for (std::size_t k = 2; k + 2 <= n; ++k) {
      const AnsiString left = Word.substr(0, k), right = Word.substr(k);
      if (offer(Word, left + " " + right, IsKnownWord(left) && IsKnownWord(right), List)) return;
    }
}
