#include "platform/sqlif/StatementText.h"

#include <cctype>

#include "platform/os/NameCompare.h"

namespace qn::sqlif {

namespace {

struct Token {
  enum class Kind { word, quotedName, literal, punctuation } kind;
  std::string text;
};

bool wordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '$' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// Up to the closing quote, a doubled quote standing for itself.
size_t skipQuoted(std::string_view text, size_t at, char close, std::string& content) {
  size_t i = at + 1;
  while (i < text.size()) {
    if (text[i] == close) {
      if (i + 1 < text.size() && text[i + 1] == close && close != ']') {
        content += close;
        i += 2;
        continue;
      }
      return i + 1;
    }
    content += text[i++];
  }
  return i;
}

std::vector<Token> tokenize(std::string_view text) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '-' && i + 1 < text.size() && text[i + 1] == '-') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
      const size_t end = text.find("*/", i + 2);
      i = end == std::string_view::npos ? text.size() : end + 2;
    } else if (c == '\'') {
      Token t{Token::Kind::literal, {}};
      i = skipQuoted(text, i, '\'', t.text);
      tokens.push_back(std::move(t));
    } else if (c == '"' || c == '`' || c == '[') {
      Token t{Token::Kind::quotedName, {}};
      i = skipQuoted(text, i, c == '[' ? ']' : c, t.text);
      tokens.push_back(std::move(t));
    } else if (wordChar(c)) {
      const size_t start = i;
      while (i < text.size() && wordChar(text[i])) ++i;
      tokens.push_back({Token::Kind::word, std::string(text.substr(start, i - start))});
    } else {
      tokens.push_back({Token::Kind::punctuation, std::string(1, c)});
      ++i;
    }
  }
  return tokens;
}

bool isWord(const Token& t, std::string_view word) {
  return t.kind == Token::Kind::word && os::sameNameWithoutCase(t.text, word);
}

// The tokens form exactly the given words.
bool wordsAre(const std::vector<Token>& tokens, std::initializer_list<std::string_view> words) {
  if (tokens.size() != words.size()) return false;
  size_t i = 0;
  for (std::string_view w : words)
    if (!isWord(tokens[i++], w)) return false;
  return true;
}

}  // namespace

StatementShape examineStatement(std::string_view text) {
  std::vector<Token> tokens = tokenize(text);
  StatementShape shape;
  // A ";" may end the text; anything after it is a second statement.
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind == Token::Kind::punctuation && tokens[i].text == ";") {
      for (size_t j = i + 1; j < tokens.size(); ++j)
        if (!(tokens[j].kind == Token::Kind::punctuation && tokens[j].text == ";")) shape.secondStatement = true;
      tokens.resize(i);
      break;
    }
  }
  if (tokens.empty()) return shape;
  const Token& first = tokens.front();
  if (isWord(first, "SELECT")) {
    shape.kind = StatementKind::query;
  } else if (isWord(first, "INSERT") || isWord(first, "UPDATE") || isWord(first, "DELETE")) {
    shape.kind = StatementKind::change;
  } else if (wordsAre(tokens, {"START", "TRANSACTION"})) {
    shape.kind = StatementKind::startTransaction;
  } else if (wordsAre(tokens, {"COMMIT", "WORK"}) || wordsAre(tokens, {"COMMIT"})) {
    shape.kind = StatementKind::commit;
  } else if (wordsAre(tokens, {"ROLLBACK", "WORK"}) || wordsAre(tokens, {"ROLLBACK"})) {
    shape.kind = StatementKind::rollback;
  } else if (isWord(first, "EXEC") && tokens.size() == 2 &&
             (tokens[1].kind == Token::Kind::word || tokens[1].kind == Token::Kind::quotedName)) {
    shape.kind = StatementKind::procedureCall;
    shape.procedureName = tokens[1].text;
  } else if (isWord(first, "SET")) {
    shape.kind = StatementKind::setOption;
  }
  for (const Token& t : tokens)
    for (std::string_view w : {"DISTINCT", "GROUP", "HAVING", "UNION", "INTERSECT", "EXCEPT"})
      if (isWord(t, w)) shape.combinesRows = true;
  return shape;
}

std::vector<std::string> identifiersOf(std::string_view text) {
  std::vector<std::string> names;
  for (Token& t : tokenize(text))
    if (t.kind == Token::Kind::word || t.kind == Token::Kind::quotedName) names.push_back(std::move(t.text));
  return names;
}

}  // namespace qn::sqlif
