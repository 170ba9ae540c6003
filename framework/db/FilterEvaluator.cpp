#include "framework/db/FilterEvaluator.h"

#include <algorithm>
#include <cstring>

#include "framework/base/DateFormat.h"
#include "framework/base/DateTime.h"
#include "framework/base/FormatText.h"
#include "framework/base/TextCompare.h"
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
T As(const std::string& bytes) {
  T v{};
  std::memcpy(&v, bytes.data(), std::min(sizeof v, bytes.size()));
  return v;
}

template <typename T>
int Sign(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
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
  Evaluator(const std::vector<uint8_t>& block, FilterRecord& record)
      : block_(block),
        record_(record),
        nodeStart_(ReadWord(block, kNodeStartAt)),
        literalStart_(ReadWord(block, kLiteralStartAt)) {}

  NodeValue Eval(int offset) {
    int at = nodeStart_ + offset;
    auto cls = static_cast<NodeClass>(ReadLong(block_, at));
    uint32_t op = ReadLong(block_, at + 4);
    auto operand = [&](int i) { return ReadWord(block_, at + 8 + 2 * i); };
    switch (cls) {
      case nodeUnary: return Unary(op, Eval(operand(0)));
      case nodeBinary:
        if (op == opAnd || op == opOr) {
          bool left = IsTrue(Eval(operand(0)));
          if (op == opAnd && !left) return NodeValue::Truth(false);
          if (op == opOr && left) return NodeValue::Truth(true);
          return NodeValue::Truth(IsTrue(Eval(operand(1))));
        }
        return Compare(op, Eval(operand(0)), Eval(operand(1)), false, 0);
      case nodeCompare:
        return Compare(op, Eval(operand(2)), Eval(operand(3)), operand(0) != 0, operand(1));
      case nodeField: return Field(Literal(operand(1)));
      case nodeConstant: {
        NodeValue v;
        v.kind = NodeValue::kValue;
        v.value.type = operand(0);
        int from = literalStart_ + operand(2);
        v.value.bytes.assign(reinterpret_cast<const char*>(block_.data()) + from, operand(1));
        return v;
      }
      case nodeContinue: return NodeValue::Truth(operand(0) != 0);
    }
    return {};
  }

 private:
  static bool IsTrue(const NodeValue& v) { return v.kind == NodeValue::kTruth && v.truth; }

  AnsiString Literal(int offset) const {
    const char* text = reinterpret_cast<const char*>(block_.data()) + literalStart_ + offset;
    return AnsiString(text, strnlen(text, block_.size() - literalStart_ - offset));
  }

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

  const std::vector<uint8_t>& block_;
  FilterRecord& record_;
  int nodeStart_;
  int literalStart_;
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
    case ltLongInt: return Sign(As<int32_t>(a), As<int32_t>(b));
    case ltBoolean: return Sign(As<int16_t>(a) != 0, As<int16_t>(b) != 0);
    case ltInteger:
      return a.size() == 1 ? Sign(As<int8_t>(a), As<int8_t>(b)) : Sign(As<int16_t>(a), As<int16_t>(b));
    case ltWord:
      return a.size() == 1 ? Sign(As<uint8_t>(a), As<uint8_t>(b))
                           : Sign(As<uint16_t>(a), As<uint16_t>(b));
    case ltLongWord: return Sign(As<uint32_t>(a), As<uint32_t>(b));
    case ltFloat:
    case ltTimeStamp: return Sign(As<double>(a), As<double>(b));
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
    case ltDate: return DateToStr(As<int32_t>(value.bytes) - DateDelta);
    case ltBoolean: return As<int16_t>(value.bytes) ? "1" : "0";
    case ltInteger: return Format("%5.5d", {static_cast<int>(As<int16_t>(value.bytes))});
    case ltLongInt: return Format("%10.10d", {As<int32_t>(value.bytes)});
    case ltFloat: return Format("%f", {As<double>(value.bytes)});
    case ltBytes: return value.bytes;
    case ltTime: return TimeToStr(As<int32_t>(value.bytes) / MSecsPerDay);
    case ltLiteral: return value.bytes;
    default: return "";
  }
}

bool EvaluateFilter(const std::vector<uint8_t>& block, FilterRecord& record) {
  try {
    if (block.size() < static_cast<size_t>(kHeaderSize) || ReadWord(block, kNodeCountAt) == 0)
      return false;
    NodeValue root = Evaluator(block, record).Eval(0);
    return root.kind == NodeValue::kTruth && root.truth;
  } catch (...) {
    // A record the expression cannot be evaluated on is not accepted.
    return false;
  }
}

}  // namespace filterexpr
