#include "framework/db/FilterEvaluator.h"

#include <algorithm>
#include <cstring>

#include "framework/base/DateFormat.h"
#include "framework/base/DateTime.h"
#include "framework/base/FormatText.h"
#include "framework/base/TextCompare.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/FilterExpression.h"

namespace filterexpr {

int NodeSize(NodeClass cls) {
  switch (cls) {
    case nodeUnary: return 10;
    case nodeBinary: return 12;
    case nodeCompare: return 16;
    case nodeField: return 12;
    case nodeConstant: return 14;
    case nodeContinue: return 10;
  }
  return 8;
}

namespace {

template <typename T>
int Sign(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

[[noreturn]] void Damaged(const AnsiString& what) {
  DatabaseError("Filter expression: damaged block" + what);
}

// The parts of a block, each read only where its area says it may be: a node within the node
// area, a literal within the literal area. Anything else raises EDatabaseError.
class BlockReader {
 public:
  struct Node {
    int offset;
    NodeClass cls;
    uint32_t op;
  };

  explicit BlockReader(const std::vector<uint8_t>& block) : block_(block) {
    const int size = static_cast<int>(block.size());
    if (size < kHeaderSize || Word(kVersionAt) != kVersion || Word(kTotalSizeAt) != size ||
        Word(kNodeCountAt) == 0)
      Damaged(" header");
    nodeStart_ = Word(kNodeStartAt);
    literalStart_ = Word(kLiteralStartAt);
    if (nodeStart_ < kHeaderSize || literalStart_ <= nodeStart_ || literalStart_ > size)
      Damaged(" header");
  }

  Node NodeAt(int offset) const {
    const int at = nodeStart_ + offset;
    if (at + 8 > literalStart_) Outside(offset);
    Node node{offset, static_cast<NodeClass>(Long(at)), Long(at + 4)};
    if (!Known(node.cls))
      Damaged(Format(": unknown node class %u at offset %d", {Long(at), offset}));
    if (at + NodeSize(node.cls) > literalStart_) Outside(offset);
    return node;
  }

  uint16_t Operand(const Node& node, int i) const {
    return Word(nodeStart_ + node.offset + 8 + 2 * i);
  }

  // An operand that is a node. Operands follow their node, so no walk down a block can return
  // to where it has been.
  Node Child(const Node& node, int i) const {
    int offset = Operand(node, i);
    if (offset <= node.offset)
      Damaged(Format(": operand of the node at offset %d does not follow it", {node.offset}));
    return NodeAt(offset);
  }

  // The NUL-terminated name at offset in the literal area.
  AnsiString Name(int offset) const {
    CheckLiteral(offset, 1);  // at least the NUL
    const auto* from = block_.data() + literalStart_ + offset;
    const void* end = std::memchr(from, 0, block_.size() - literalStart_ - offset);
    if (!end) Damaged(Format(": name at literal offset %d has no end", {offset}));
    return AnsiString(reinterpret_cast<const char*>(from), static_cast<const uint8_t*>(end) - from);
  }

  std::string Bytes(int offset, int size) const {
    CheckLiteral(offset, size);
    return std::string(reinterpret_cast<const char*>(block_.data()) + literalStart_ + offset,
                       size);
  }

 private:
  static bool Known(NodeClass cls) {
    switch (cls) {
      case nodeUnary:
      case nodeBinary:
      case nodeCompare:
      case nodeField:
      case nodeConstant:
      case nodeContinue: return true;
    }
    return false;
  }

  [[noreturn]] static void Outside(int offset) {
    Damaged(Format(": node at offset %d lies outside the node area", {offset}));
  }

  void CheckLiteral(int offset, int size) const {
    if (literalStart_ + offset + size > static_cast<int>(block_.size()))
      Damaged(Format(": literal at offset %d lies outside the literal area", {offset}));
  }

  uint16_t Word(int at) const { return ReadWord(block_, at); }
  uint32_t Long(int at) const { return ReadLong(block_, at); }

  const std::vector<uint8_t>& block_;
  int nodeStart_ = 0;
  int literalStart_ = 0;
};

// Walks the tree from the root: every node and literal it names lies in its area, and no node
// is reached twice, so evaluating it takes one visit a node.
void CheckTree(const BlockReader& reader, const BlockReader::Node& node,
               std::vector<bool>& reached) {
  if (reached[node.offset])
    Damaged(Format(": node at offset %d is used twice", {node.offset}));
  reached[node.offset] = true;
  switch (node.cls) {
    case nodeUnary: CheckTree(reader, reader.Child(node, 0), reached); break;
    case nodeBinary:
      CheckTree(reader, reader.Child(node, 0), reached);
      CheckTree(reader, reader.Child(node, 1), reached);
      break;
    case nodeCompare:
      CheckTree(reader, reader.Child(node, 2), reached);
      CheckTree(reader, reader.Child(node, 3), reached);
      break;
    case nodeField: reader.Name(reader.Operand(node, 1)); break;
    case nodeConstant: reader.Bytes(reader.Operand(node, 2), reader.Operand(node, 1)); break;
    case nodeContinue: break;
  }
}

// What a node evaluates to: a truth value, a typed value, or nothing (an operand that could not
// be evaluated, which makes every test on it false).
struct NodeValue {
  enum Kind { kNothing, kTruth, kValue } kind = kNothing;
  bool truth = false;
  TypedValue value;

  static NodeValue Truth(bool t) {
    NodeValue v;
    v.kind = kTruth;
    v.truth = t;
    return v;
  }
};

class Evaluator {
 public:
  Evaluator(const BlockReader& reader, FilterRecord& record) : reader_(reader), record_(record) {}

  NodeValue Eval(const BlockReader::Node& node) {
    auto operand = [&](int i) { return reader_.Operand(node, i); };
    auto child = [&](int i) { return Eval(reader_.Child(node, i)); };
    switch (node.cls) {
      case nodeUnary: return Unary(node.op, child(0));
      case nodeBinary:
        if (node.op == opAnd || node.op == opOr) {
          bool left = IsTrue(child(0));
          if (node.op == opAnd && !left) return NodeValue::Truth(false);
          if (node.op == opOr && left) return NodeValue::Truth(true);
          return NodeValue::Truth(IsTrue(child(1)));
        }
        return Compare(node.op, child(0), child(1), false, 0);
      case nodeCompare:
        return Compare(node.op, child(2), child(3), operand(0) != 0, operand(1));
      case nodeField: return Field(reader_.Name(operand(1)));
      case nodeConstant: {
        NodeValue v;
        v.kind = NodeValue::kValue;
        v.value = {operand(0), reader_.Bytes(operand(2), operand(1))};
        return v;
      }
      case nodeContinue: return NodeValue::Truth(operand(0) != 0);
    }
    return {};
  }

 private:
  static bool IsTrue(const NodeValue& v) { return v.kind == NodeValue::kTruth && v.truth; }

  NodeValue Field(const AnsiString& name) {
    if (name.empty()) return NodeValue::Truth(false);
    NodeValue v;
    v.kind = NodeValue::kValue;
    if (std::optional<TypedValue> field = record_.FieldValue(name)) {
      v.value = *field;
      return v;
    }
    // A name that is no field stands for itself, without its quotes.
    AnsiString text;
    for (char c : name)
      if (c != '"') text += c;
    v.value = {ltLiteral, text.substr(0, 255)};
    return v;
  }

  static NodeValue Unary(uint32_t op, const NodeValue& operand) {
    switch (op) {
      case opIsBlank:
      case opNotBlank: {
        if (operand.kind != NodeValue::kValue) return NodeValue::Truth(false);
        const std::string& b = operand.value.bytes;
        bool blank = std::all_of(b.begin(), b.end(), [](char c) { return c == 0; });
        return NodeValue::Truth(op == opIsBlank ? blank : !blank);
      }
      case opNot:
        return NodeValue::Truth(operand.kind == NodeValue::kTruth && !operand.truth);
      default: return NodeValue::Truth(false);
    }
  }

  NodeValue Compare(uint32_t op, const NodeValue& left, const NodeValue& right,
                    bool caseInsensitive, int partial) {
    if (left.kind != NodeValue::kValue || right.kind != NodeValue::kValue)
      return NodeValue::Truth(false);
    int c;
    if (left.value.type == right.value.type) {
      c = record_.CompareField(left.value.type, left.value.bytes, right.value.bytes,
                               caseInsensitive, partial);
    } else {
      AnsiString a = TextOfValue(left.value).substr(0, 255);
      AnsiString b = TextOfValue(right.value).substr(0, 255);
      if (partial > 0) {
        a = a.substr(0, partial);
        b = b.substr(0, partial);
      }
      c = caseInsensitive ? CompareText(a, b) : CompareStr(a, b);
    }
    switch (op) {
      case opEqual: return NodeValue::Truth(c == 0);
      case opNotEqual: return NodeValue::Truth(c != 0);
      case opGreater: return NodeValue::Truth(c > 0);
      case opLess: return NodeValue::Truth(c < 0);
      case opGreaterEqual: return NodeValue::Truth(c >= 0);
      case opLessEqual: return NodeValue::Truth(c <= 0);
      default: return NodeValue::Truth(false);
    }
  }

  const BlockReader& reader_;
  FilterRecord& record_;
};

}  // namespace

int FilterRecord::CompareField(uint16_t type, const std::string& a, const std::string& b,
                               bool caseInsensitive, int length) {
  switch (type) {
    case ltText:
    case ltLiteral: {
      AnsiString x(a.c_str()), y(b.c_str());  // up to the terminating NUL
      if (length > 0) {
        x = x.substr(0, length);
        y = y.substr(0, length);
      }
      int c = caseInsensitive ? CompareText(x, y) : CompareStr(x, y);
      return Sign(c, 0);
    }
    case ltDate:
    case ltTime:
    case ltLongInt: return Sign(FromBytes<int32_t>(a), FromBytes<int32_t>(b));
    case ltBoolean: return Sign(FromBytes<int16_t>(a) != 0, FromBytes<int16_t>(b) != 0);
    case ltInteger:
      return a.size() == 1 ? Sign(FromBytes<int8_t>(a), FromBytes<int8_t>(b))
                           : Sign(FromBytes<int16_t>(a), FromBytes<int16_t>(b));
    case ltWord:
      return a.size() == 1 ? Sign(FromBytes<uint8_t>(a), FromBytes<uint8_t>(b))
                           : Sign(FromBytes<uint16_t>(a), FromBytes<uint16_t>(b));
    case ltLongWord: return Sign(FromBytes<uint32_t>(a), FromBytes<uint32_t>(b));
    case ltFloat:
    case ltTimeStamp: return Sign(FromBytes<double>(a), FromBytes<double>(b));
    default: {
      size_t n = std::min(a.size(), b.size());
      int c = std::memcmp(a.data(), b.data(), n);
      return c != 0 ? Sign(c, 0) : Sign(a.size(), b.size());
    }
  }
}

AnsiString TextOfValue(const TypedValue& value) {
  switch (value.type) {
    case ltText: return AnsiString(value.bytes.c_str());
    case ltDate: return DateToStr(FromBytes<int32_t>(value.bytes) - DateDelta);
    case ltBoolean: return FromBytes<int16_t>(value.bytes) ? "1" : "0";
    case ltInteger: return Format("%5.5d", {static_cast<int>(FromBytes<int16_t>(value.bytes))});
    case ltLongInt: return Format("%10.10d", {FromBytes<int32_t>(value.bytes)});
    case ltFloat: return Format("%f", {FromBytes<double>(value.bytes)});
    case ltBytes: return value.bytes;
    case ltTime: return TimeToStr(FromBytes<int32_t>(value.bytes) / MSecsPerDay);
    case ltLiteral: return value.bytes;
    default: return "";
  }
}

void CheckFilterBlock(const std::vector<uint8_t>& block) {
  BlockReader reader(block);
  std::vector<bool> reached(block.size());
  CheckTree(reader, reader.NodeAt(0), reached);
}

bool EvaluateFilter(const std::vector<uint8_t>& block, FilterRecord& record) {
  try {
    CheckFilterBlock(block);
    BlockReader reader(block);
    NodeValue root = Evaluator(reader, record).Eval(reader.NodeAt(0));
    return root.kind == NodeValue::kTruth && root.truth;
  } catch (...) {
    // A record the expression cannot be evaluated on, like a damaged block, is not accepted.
    return false;
  }
}

}  // namespace filterexpr
