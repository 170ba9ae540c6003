#include "framework/db/FilterParser.h"

#include <cctype>
#include <memory>

#include "framework/base/FormatText.h"
#include "framework/base/TextCase.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/FilterExpression.h"

namespace filterexpr {

namespace {

constexpr const char* kTooLong = "Filter expression: too long";
constexpr int kMinNodeSize = 10;  // a unary node

enum TokenKind { tkEnd, tkOpen, tkClose, tkField, tkQuoted, tkDoubleQuoted, tkNumber, tkWord,
                 tkCompare };

struct Token {
  TokenKind kind = tkEnd;
  AnsiString text;  // the name, the text without quotes, the number, the word, the operator
  int position = 0;
};

class Lexer {
 public:
  explicit Lexer(const AnsiString& text) : text_(text) {}

  Token Next() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
    Token t;
    t.position = static_cast<int>(at_) + 1;
    if (at_ >= text_.size()) return t;
    char c = text_[at_];
    if (c == '(' || c == ')') {
      ++at_;
      t.kind = c == '(' ? tkOpen : tkClose;
      return t;
    }
    if (c == '[') {
      size_t end = text_.find(']', at_);
      if (end == AnsiString::npos) Fail("']' missing", t.position);
      t.kind = tkField;
      t.text = text_.substr(at_ + 1, end - at_ - 1);
      at_ = end + 1;
      return t;
    }
    if (c == '\'') {
      t.kind = tkQuoted;
      ++at_;
      for (;;) {
        if (at_ >= text_.size()) Fail("closing quote missing", t.position);
        if (text_[at_] == '\'') {
          if (at_ + 1 < text_.size() && text_[at_ + 1] == '\'') {
            t.text += '\'';
            at_ += 2;
            continue;
          }
          ++at_;
          return t;
        }
        t.text += text_[at_++];
      }
    }
    if (c == '"') {
      size_t end = text_.find('"', at_ + 1);
      if (end == AnsiString::npos) Fail("closing quote missing", t.position);
      t.kind = tkDoubleQuoted;
      t.text = text_.substr(at_, end - at_ + 1);  // the quotes stay
      at_ = end + 1;
      return t;
    }
    if (c == '<' || c == '>' || c == '=') {
      t.kind = tkCompare;
      t.text = c;
      ++at_;
      if (at_ < text_.size() && c != '=' &&
          (text_[at_] == '=' || (c == '<' && text_[at_] == '>')))
        t.text += text_[at_++];
      return t;
    }
    bool sign = (c == '-' || c == '+') && at_ + 1 < text_.size() && IsDigit(text_[at_ + 1]);
    if (IsDigit(c) || sign) {
      t.kind = tkNumber;
      size_t start = at_++;
      while (at_ < text_.size() && (IsDigit(text_[at_]) || text_[at_] == '.')) ++at_;
      t.text = text_.substr(start, at_ - start);
      return t;
    }
    if (IsNameChar(c)) {
      t.kind = tkWord;
      size_t start = at_;
      while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
      t.text = text_.substr(start, at_ - start);
      return t;
    }
    Fail(Format("unexpected '%s'", {AnsiString(1, c)}), t.position);
  }

  [[noreturn]] static void Fail(const AnsiString& what, int position) {
    DatabaseError(Format("Filter expression: %s at position %d", {what, position}));
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsNameChar(char c) {
    auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == '.' || u >= 0x80;
  }

  const AnsiString& text_;
  size_t at_ = 0;
};

struct Ast {
  NodeClass cls;
  uint32_t op = 0;
  AnsiString name;        // field
  uint16_t type = 0;      // constant
  std::string bytes;      // constant
  bool caseInsensitive = false;
  int partial = 0;
  std::unique_ptr<Ast> left, right;
};
using AstPtr = std::unique_ptr<Ast>;

class Parser {
 public:
  Parser(const AnsiString& text, TFilterOptions options, const FieldResolver& fields)
      : lexer_(text), options_(options), fields_(fields) {
    Advance();
  }

  AstPtr Parse() {
    AstPtr root = OrTerm();
    if (token_.kind != tkEnd) Lexer::Fail("end of expression expected", token_.position);
    return root;
  }

 private:
  void Advance() { token_ = lexer_.Next(); }
  bool IsWord(const char* word) const {
    return token_.kind == tkWord && UpperCase(token_.text) == word;
  }

  // One level of parentheses or "not", counted from the token that opens it.
  class Nesting {
   public:
    explicit Nesting(Parser& parser) : parser_(parser) {
      if (++parser_.depth_ > kMaxNesting)
        Lexer::Fail("nesting too deep", parser_.token_.position);
    }
    ~Nesting() { --parser_.depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    Parser& parser_;
  };

  // Every node takes at least kMinNodeSize bytes of a block whose size is a 16-bit number, so
  // a text with more nodes than fit is refused before its tree grows deep enough to matter.
  AstPtr NewNode(NodeClass cls) {
    if (++nodeCount_ > 0xFFFF / kMinNodeSize) DatabaseError(kTooLong);
    auto node = std::make_unique<Ast>();
    node->cls = cls;
    return node;
  }

  AstPtr Logical(uint32_t op, AstPtr left, AstPtr right) {
    AstPtr node = NewNode(nodeBinary);
    node->op = op;
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  AstPtr OrTerm() {
    AstPtr left = AndTerm();
    while (IsWord("OR")) {
      Advance();
      left = Logical(opOr, std::move(left), AndTerm());
    }
    return left;
  }

  AstPtr AndTerm() {
    AstPtr left = NotTerm();
    while (IsWord("AND")) {
      Advance();
      left = Logical(opAnd, std::move(left), NotTerm());
    }
    return left;
  }

  AstPtr NotTerm() {
    if (!IsWord("NOT")) return Relation();
    Nesting level(*this);
    Advance();
    AstPtr node = NewNode(nodeUnary);
    node->op = opNot;
    node->left = NotTerm();
    return node;
  }

  AstPtr Relation() {
    if (token_.kind == tkOpen) {
      Nesting level(*this);
      Advance();
      AstPtr inner = OrTerm();
      if (token_.kind != tkClose) Lexer::Fail("')' expected", token_.position);
      Advance();
      return inner;
    }
    AstPtr left = Operand();
    if (IsWord("IS")) {
      Advance();
      bool negated = IsWord("NOT");
      if (negated) Advance();
      if (!IsWord("NULL")) Lexer::Fail("NULL expected", token_.position);
      Advance();
      AstPtr node = NewNode(nodeUnary);
      node->op = negated ? opNotBlank : opIsBlank;
      node->left = std::move(left);
      return node;
    }
    if (token_.kind != tkCompare) Lexer::Fail("comparison expected", token_.position);
    static const std::pair<const char*, Operator> kOps[] = {
        {"=", opEqual}, {"<>", opNotEqual}, {">", opGreater}, {"<", opLess},
        {">=", opGreaterEqual}, {"<=", opLessEqual}};
    uint32_t op = 0;
    for (auto [text, code] : kOps)
      if (token_.text == text) op = code;
    if (!op) Lexer::Fail("unknown comparison '" + token_.text + "'", token_.position);
    Advance();
    AstPtr right = Operand();
    AstPtr node = NewNode(nodeCompare);
    node->op = op;
    node->caseInsensitive = (options_ & foCaseInsensitive) != 0;
    TypeConstant(*left, *right, *node);
    TypeConstant(*right, *left, *node);
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  AstPtr Operand() {
    bool constant = token_.kind == tkQuoted || token_.kind == tkNumber;
    AstPtr node = NewNode(constant ? nodeConstant : nodeField);
    switch (token_.kind) {
      case tkField:
      case tkWord:
        if (!fields_(token_.text))
          DatabaseError(Format("Filter expression: field '%s' not found", {token_.text}));
        node->name = token_.text;
        break;
      case tkDoubleQuoted: node->name = token_.text; break;
      case tkQuoted:
      case tkNumber:
        node->type = ltText;
        node->bytes = token_.text;  // typed once its comparison is known
        break;
      default: Lexer::Fail("field or value expected", token_.position);
    }
    Advance();
    return node;
  }

  // A constant compared with a field takes the field's type when it reads as one.
  void TypeConstant(const Ast& field, Ast& constant, Ast& compare) {
    if (field.cls != nodeField || constant.cls != nodeConstant) return;
    std::optional<FieldInfo> info = fields_(field.name);
    if (!info) return;
    AnsiString text = constant.bytes;
    if (info->type == ltText && !(options_ & foNoPartialCompare) && !text.empty() &&
        text.back() == '*') {
      text.pop_back();
      compare.partial = static_cast<int>(text.size());
    }
    std::optional<std::string> native = info->type == ltText ? std::nullopt : info->convert(text);
    if (native) {
      constant.type = info->type;
      constant.bytes = *native;
    } else {
      constant.type = ltText;
      constant.bytes = text + '\0';
    }
  }

  Lexer lexer_;
  Token token_;
  TFilterOptions options_;
  const FieldResolver& fields_;
  int depth_ = 0;      // open parentheses and "not"s around the token
  int nodeCount_ = 0;
};

class Writer {
 public:
  std::vector<uint8_t> Write(const Ast& root) {
    Emit(root);
    int literalStart = kHeaderSize + static_cast<int>(nodes_.size());
    std::vector<uint8_t> block(kHeaderSize);
    auto put = [&block](int at, int value) {
      block[at] = static_cast<uint8_t>(value & 0xFF);
      block[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
    };
    int total = literalStart + static_cast<int>(literals_.size());
    if (total > 0xFFFF) DatabaseError(kTooLong);
    put(kVersionAt, kVersion);
    put(kTotalSizeAt, total);
    put(kNodeCountAt, count_);
    put(kNodeStartAt, kHeaderSize);
    put(kLiteralStartAt, literalStart);
    block.insert(block.end(), nodes_.begin(), nodes_.end());
    block.insert(block.end(), literals_.begin(), literals_.end());
    return block;
  }

 private:
  // Writes the node and, after it, its operands; answers its offset (the root's is 0).
  int Emit(const Ast& node) {
    int at = static_cast<int>(nodes_.size());
    ++count_;
    nodes_.resize(at + NodeSize(node.cls));
    Long(at, node.cls);
    switch (node.cls) {
      case nodeUnary:
        Long(at + 4, node.op);
        Word(at + 8, Emit(*node.left));
        break;
      case nodeBinary:
        Long(at + 4, node.op);
        Word(at + 8, Emit(*node.left));
        Word(at + 10, Emit(*node.right));
        break;
      case nodeCompare:
        Long(at + 4, node.op);
        Word(at + 8, node.caseInsensitive ? 1 : 0);
        Word(at + 10, node.partial);
        Word(at + 12, Emit(*node.left));
        Word(at + 14, Emit(*node.right));
        break;
      case nodeField:
        Long(at + 4, opField);
        Word(at + 8, ++fieldCount_);
        Word(at + 10, Literal(node.name + '\0'));
        break;
      case nodeConstant:
        Long(at + 4, opConstant);
        Word(at + 8, node.type);
        Word(at + 10, static_cast<int>(node.bytes.size()));
        Word(at + 12, Literal(node.bytes));
        break;
      case nodeContinue: break;
    }
    return at;
  }

  int Literal(const std::string& bytes) {
    int at = static_cast<int>(literals_.size());
    literals_.insert(literals_.end(), bytes.begin(), bytes.end());
    return at;
  }
  void Word(int at, int value) {
    nodes_[at] = static_cast<uint8_t>(value & 0xFF);
    nodes_[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
  }
  void Long(int at, uint32_t value) {
    Word(at, static_cast<int>(value & 0xFFFF));
    Word(at + 2, static_cast<int>(value >> 16));
  }

  std::vector<uint8_t> nodes_;
  std::vector<uint8_t> literals_;
  int count_ = 0;
  int fieldCount_ = 0;
};

}  // namespace

std::vector<uint8_t> ParseFilter(const AnsiString& text, TFilterOptions options,
                                 const FieldResolver& fields) {
  AstPtr root = Parser(text, options, fields).Parse();
  return Writer().Write(*root);
}

}  // namespace filterexpr
