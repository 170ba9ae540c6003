#include "datagrid/FilterCompiler.h"

#include <optional>
#include <utility>

#include "datagrid/FilterTokens.h"
#include "datagrid/ParserStacks.h"
#include "framework/base/DateParse.h"
#include "framework/base/Exception.h"
#include "framework/base/FloatText.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/Bcd.h"
#include "framework/db/DataSet.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/Field.h"
#include "framework/db/FilterExpression.h"
#include "framework/ui/Dialogs.h"

using namespace filterexpr;
using Kind = FilterTokenKind;

namespace {

constexpr const char* kTooLong = "Filter expression: too long";

uint8_t ConstTypeOfField(TFieldType type) {
  switch (type) {
    case ftString: return TNode::ctText;
    case ftSmallint:
    case ftWord: return TNode::ctSmallint;
    case ftInteger: return TNode::ctInteger;
    case ftBoolean: return TNode::ctBoolean;
    case ftFloat:
    case ftCurrency: return TNode::ctFloat;
    case ftBCD: return TNode::ctBCD;
    case ftDate: return TNode::ctDate;
    case ftTime: return TNode::ctTime;
    case ftDateTime: return TNode::ctDateTime;
    default: return TNode::ctFieldName;
  }
}

uint32_t OperatorCode(const AnsiString& text) {
  static const std::pair<const char*, uint32_t> kCodes[] = {
      {"=", opEqual}, {"<>", opNotEqual}, {">", opGreater}, {"<", opLess},
      {">=", opGreaterEqual}, {"<=", opLessEqual}, {"AND", opAnd}, {"OR", opOr},
      {"+", 16}, {"-", 17}, {"*", 18}, {"/", 19}};
  for (auto [name, code] : kCodes)
    if (text == name) return code;
  return 0;
}

bool IsArithmetic(const FilterToken& token, const char* a, const char* b) {
  return token.kind == Kind::Name && (token.text == a || token.text == b);
}

// A text term as stored: without its double quotes when it has them.
AnsiString Unquoted(const AnsiString& text) {
  if (text.empty() || text[0] != '"') return text;
  AnsiString inner = text.substr(1);
  if (!inner.empty() && inner.back() == '"') inner.pop_back();
  return inner;
}

// The native bytes and logical type of a constant term; nullopt when the text does not read as
// a value of its type.
std::optional<std::pair<uint16_t, std::string>> ConstantBytes(const TNode& term) {
  const AnsiString text = Unquoted(term.Text);
  TDateTime when;
  switch (term.ConstType) {
    case TNode::ctText: return std::pair{uint16_t(ltText), text + '\0'};
    case TNode::ctFloat: {
      double v;
      if (!TryStrToFloat(text, v)) return std::nullopt;
      return std::pair{uint16_t(ltFloat), BytesOf(v)};
    }
    case TNode::ctBCD: {
      double v;
      if (!TryStrToFloat(text, v)) return std::nullopt;
      BcdValue bcd = DoubleToBcd(v, 32, term.Scale);
      return std::pair{uint16_t(ltBCD), std::string(reinterpret_cast<const char*>(&bcd), sizeof bcd)};
    }
    case TNode::ctDateTime: {
      bool both = text.find(' ') != AnsiString::npos;
      if (!(both ? TryStrToDateTime(text, when) : TryStrToDate(text, when))) return std::nullopt;
      return std::pair{uint16_t(ltTimeStamp), BytesOf(DateTimeToStamp(when))};
    }
    case TNode::ctDate:
    case TNode::ctTime: {
      bool date = term.ConstType == TNode::ctDate;
      if (!(date ? TryStrToDate(text, when) : TryStrToTime(text, when))) return std::nullopt;
      int32_t day, ms;
      DateTimeToNative(when, day, ms);
      return std::pair{uint16_t(date ? ltDate : ltTime), BytesOf(date ? day : ms)};
    }
    case TNode::ctBoolean: {
      int16_t v = !text.empty() && (text[0] == 'T' || text[0] == 't') ? -1 : 0;
      return std::pair{uint16_t(ltBoolean), BytesOf(v)};
    }
    case TNode::ctInteger:
    case TNode::ctSmallint: {
      int64_t v;
      if (!TryStrToInt64(text, v)) return std::nullopt;
      if (term.ConstType == TNode::ctInteger) {
        if (!std::in_range<int32_t>(v)) return std::nullopt;
        return std::pair{uint16_t(ltLongInt), BytesOf(static_cast<int32_t>(v))};
      }
      if (!std::in_range<int16_t>(v)) return std::nullopt;
      return std::pair{uint16_t(ltInteger), BytesOf(static_cast<int16_t>(v))};
    }
    default: return std::nullopt;
  }
}

// A text the compiler cannot take: refused is told to the user, failed is left to the caller.
struct Refused {
  AnsiString text;
};
struct Failed {};

class Compiler {
 public:
  Compiler(const AnsiString& text, const TDataSet& table) : tokens_(text), table_(table) {}
  ~Compiler() {
    while (TNode* node = nodes_.Pop()) delete node;
  }
  Compiler(const Compiler&) = delete;
  Compiler& operator=(const Compiler&) = delete;

  std::unique_ptr<TNode> Parse() {
    Logical();
    if (nodes_.Count() != 1 || symbols_.Count() != 1) throw Failed{};
    symbols_.Pop();
    return std::unique_ptr<TNode>(nodes_.Pop());
  }

 private:
  void Logical() {
    Relation();
    for (;;) {
      FilterToken token = tokens_.Peek(true);
      if (token.kind != Kind::Logical) return;
      tokens_.Consume(token);
      Relation();
      Reduce(TNode::kLogical, token.text);
    }
  }

  void Relation() {
    Expression();
    FilterToken token = tokens_.Peek(false);
    if (token.kind != Kind::Compare) return;
    if (!OperatorCode(token.text)) throw Failed{};
    tokens_.Consume(token);
    Expression();
    Reduce(TNode::kComparison, token.text);
  }

  void Expression() {
    Term();
    for (FilterToken token = tokens_.Peek(false); IsArithmetic(token, "+", "-");
         token = tokens_.Peek(false)) {
      tokens_.Consume(token);
      Term();
      Reduce(TNode::kArithmetic, token.text);
    }
  }

  void Term() {
    Factor();
    for (FilterToken token = tokens_.Peek(false); IsArithmetic(token, "*", "/");
         token = tokens_.Peek(false)) {
      tokens_.Consume(token);
      Factor();
      Reduce(TNode::kArithmetic, token.text);
    }
  }

  void Factor() {
    FilterToken token = tokens_.Peek(false);
    switch (token.kind) {
      case Kind::Open: {
        if (++depth_ > kMaxFilterNesting)
          throw Refused{Format("Filter expression: nesting too deep at position %d",
                               {token.position})};
        tokens_.Consume(token);
        Logical();
        FilterToken close = tokens_.Peek(true);
        if (close.kind != Kind::Close) throw Failed{};
        tokens_.Consume(close);
        --depth_;
        return;
      }
      case Kind::Name:
        if (OperatorCode(token.text)) throw Failed{};  // a sign where an operand belongs
        [[fallthrough]];
      case Kind::Number:
      case Kind::Quoted: {
        tokens_.Consume(token);
        auto term = NewNode(TNode::kTerm, token.text);
        Push(term.release());
        return;
      }
      default: throw Failed{};
    }
  }

  std::unique_ptr<TNode> NewNode(uint8_t kind, const AnsiString& text) {
    if (++nodeCount_ > kMaxFilterNodes) throw Refused{kTooLong};
    auto node = std::make_unique<TNode>();
    node->Kind = kind;
    node->Text = text;
    return node;
  }

  void Push(TNode* node) {
    nodes_.Push(node);
    symbols_.Push(node->Kind == TNode::kTerm ? "term" : "operation");
  }

  // The operator over the two nodes on top: the left one, when a term, must be a field, and
  // a term on the right becomes a constant of that field's type.
  void Reduce(uint8_t kind, const AnsiString& op) {
    if (symbols_.Count() < 2 || nodes_.Count() < 2) throw Failed{};
    symbols_.Pop();
    symbols_.Pop();
    std::unique_ptr<TNode> right(nodes_.Pop()), left(nodes_.Pop());
    if (left->Kind == TNode::kTerm) {
      TField* field = table_.FindField(left->Text);
      if (!field) throw Refused{left->Text + "\rField not found in Table. "};
      right->ConstType = ConstTypeOfField(field->DataType());
      if (field->DataType() == ftBCD) right->Scale = static_cast<uint16_t>(field->Size());
    }
    auto node = NewNode(kind, op);
    node->Left = std::move(left);
    node->Right = std::move(right);
    Push(node.release());
  }

  FilterTokenizer tokens_;
  const TDataSet& table_;
  TStackStr symbols_;
  TStackPtr<TNode> nodes_;  // owned here until the tree takes them
  int depth_ = 0;
  int nodeCount_ = 0;
};

int CountNodes(const TNode& node) {
  return 1 + (node.Left ? CountNodes(*node.Left) : 0) + (node.Right ? CountNodes(*node.Right) : 0);
}

class Writer {
 public:
  explicit Writer(int nodeCount)
      : nodeCount_(nodeCount), nodes_(static_cast<size_t>(nodeCount) * kFilterNodeSize) {}

  std::vector<uint8_t> Write(TNode& root) {
    Emit(root);
    const int literalStart = kHeaderSize + nodeCount_ * kFilterNodeSize;
    std::vector<uint8_t> block(kHeaderSize);
    PutWord(block, kVersionAt, kVersion);
    PutWord(block, kTotalSizeAt, literalStart + static_cast<int>(literals_.size()));
    PutWord(block, kNodeCountAt, nodeCount_);
    PutWord(block, kNodeStartAt, kHeaderSize);
    PutWord(block, kLiteralStartAt, literalStart);
    block.insert(block.end(), nodes_.begin(), nodes_.end());
    block.insert(block.end(), literals_.begin(), literals_.end());
    return block;
  }

 private:
  static void PutWord(std::vector<uint8_t>& to, int at, int value) {
    to[at] = static_cast<uint8_t>(value & 0xFF);
    to[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
  }
  void PutLong(int at, uint32_t value) {
    PutWord(nodes_, at, static_cast<int>(value & 0xFFFF));
    PutWord(nodes_, at + 2, static_cast<int>(value >> 16));
  }

  // Operands first, each into the next slot from the back; answers the node's offset.
  int Emit(TNode& node) {
    if (node.Left) Emit(*node.Left);
    if (node.Right) Emit(*node.Right);
    const int at = (nodeCount_ - ++written_) * kFilterNodeSize;
    node.NodeOffset = static_cast<uint16_t>(at);
    if (node.Kind != TNode::kTerm) {
      PutLong(at, nodeBinary);
      PutLong(at + 4, OperatorCode(node.Text));
      PutWord(nodes_, at + 8, node.Left->NodeOffset);
      PutWord(nodes_, at + 10, node.Right->NodeOffset);
    } else if (node.ConstType == TNode::ctFieldName) {
      PutLong(at, nodeField);
      PutLong(at + 4, opField);
      PutWord(nodes_, at + 8, ++fieldCount_);
      PutWord(nodes_, at + 10, Literal(Unquoted(node.Text) + '\0'));
    } else {
      auto constant = ConstantBytes(node);
      if (!constant) throw Failed{};
      PutLong(at, nodeConstant);
      PutLong(at + 4, opConstant);
      PutWord(nodes_, at + 8, constant->first);
      PutWord(nodes_, at + 10, static_cast<int>(constant->second.size()));
      PutWord(nodes_, at + 12, Literal(constant->second));
    }
    return at;
  }

  int Literal(const std::string& bytes) {
    const int at = static_cast<int>(literals_.size());
    if (at + static_cast<int>(bytes.size()) > kFilterLiteralPool) throw Refused{kTooLong};
    literals_.insert(literals_.end(), bytes.begin(), bytes.end());
    return at;
  }

  const int nodeCount_;
  std::vector<uint8_t> nodes_;
  std::vector<uint8_t> literals_;
  int written_ = 0;
  int fieldCount_ = 0;
};

}  // namespace

std::vector<uint8_t> CompileFilterExpression(const AnsiString& text, const TDataSet& table) {
  try {
    std::unique_ptr<TNode> root = Compiler(text, table).Parse();
    return Writer(CountNodes(*root)).Write(*root);
  } catch (const Refused& refused) {
    MessageDlg(refused.text, mtWarning, {mbOK}, 0);
  } catch (const Failed&) {
  } catch (const EDatabaseError&) {  // a BCD constant too large for its field
  }
  return {};
}
