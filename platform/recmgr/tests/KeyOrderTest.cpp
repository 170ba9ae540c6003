// Random key values sorted by the engine against the same values sorted by a plain comparison of
// their types: key paths forward and backward, and every comparison read against a probe.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>

#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t recordLength = 64;
constexpr size_t idOffset = 60;  // where a record keeps its insertion number

using Bytes = std::string;
using Generator = std::function<Bytes(std::mt19937&)>;
using Compare = std::function<int(const Bytes&, const Bytes&)>;

template <typename T>
int threeWay(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int64_t signedValue(const Bytes& b, size_t off, size_t n) {
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v |= static_cast<uint64_t>(static_cast<uint8_t>(b[off + i])) << (8 * i);
  if (n < 8 && (v >> (8 * n - 1)) & 1) v |= ~uint64_t{0} << (8 * n);
  return static_cast<int64_t>(v);
}

uint64_t unsignedValue(const Bytes& b, size_t off, size_t n) {
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v |= static_cast<uint64_t>(static_cast<uint8_t>(b[off + i])) << (8 * i);
  return v;
}

int compareBytes(const Bytes& a, const Bytes& b) { return threeWay(a, b) ; }

Bytes randomBytes(std::mt19937& rng, size_t n, const std::string& alphabet) {
  Bytes out;
  for (size_t i = 0; i < n; ++i) out += alphabet[rng() % alphabet.size()];
  return out;
}

Bytes littleEndian(uint64_t v, size_t n) {
  Bytes out;
  for (size_t i = 0; i < n; ++i) out += static_cast<char>(v >> (8 * i));
  return out;
}

// Upper case of Windows-1252 letters, spelled out.
unsigned char upper1252(unsigned char c) {
  static const std::string lower = "abcdefghijklmnopqrstuvwxyz\x9a\x9c\x9e\xff\xe0\xe9\xf1\xfe";
  static const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\x8a\x8c\x8e\x9f\xc0\xc9\xd1\xde";
  size_t i = lower.find(static_cast<char>(c));
  return i == std::string::npos ? c : static_cast<unsigned char>(upper[i]);
}

// A collating sequence that reverses the alphabet's order.
std::vector<uint8_t> reversingSequence() {
  std::vector<uint8_t> s(265, 0);
  s[0] = 0xAC;
  std::memcpy(&s[1], "REVERSE ", 8);
  for (int c = 0; c < 256; ++c) s[9 + c] = static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? 'Z' - (c - 'A') : c);
  return s;
}

// One segment type: its spec, how to make a random value, how to compare two values.
struct SegmentType {
  const char* name;
  uint8_t type;
  uint16_t length;
  uint16_t flags;
  Generator generate;
  Compare compare;  // on the segment's own bytes
};

std::vector<SegmentType> segmentTypes() {
  const std::string letters = "abcAB";
  const std::string mixed = "aAbB\xe9\xc9\x9a\x8a\xff\x9f";
  std::vector<SegmentType> types;
  types.push_back({"string", 0, 4, 0, [=](std::mt19937& r) { return randomBytes(r, 4, letters); }, compareBytes});
  for (uint16_t n : {1, 2, 4, 8}) {
    types.push_back({"integer", 1, n, 0,
                     [n](std::mt19937& r) {
                       static const int64_t extremes[] = {0, 1, -1, INT64_MIN, INT64_MAX};
                       int64_t v = r() % 4 == 0 ? extremes[r() % 5] : static_cast<int64_t>(r() % 41) - 20;
                       return littleEndian(static_cast<uint64_t>(v), n);
                     },
                     [n](const Bytes& a, const Bytes& b) { return threeWay(signedValue(a, 0, n), signedValue(b, 0, n)); }});
    types.push_back({"unsigned", 14, n, 0,
                     [n](std::mt19937& r) {
                       uint64_t v = r() % 4 == 0 ? ~uint64_t{0} - r() % 3 : r() % 300;
                       return littleEndian(v, n);
                     },
                     [n](const Bytes& a, const Bytes& b) {
                       return threeWay(unsignedValue(a, 0, n), unsignedValue(b, 0, n));
                     }});
  }
  types.push_back({"autoinc", 15, 4, 0,
                   [](std::mt19937& r) {
                     int64_t v = static_cast<int64_t>(r() % 2001) - 1000;
                     return littleEndian(static_cast<uint64_t>(v == 0 ? 5000 : v), 4);
                   },
                   [](const Bytes& a, const Bytes& b) { return threeWay(signedValue(a, 0, 4), signedValue(b, 0, 4)); }});
  for (uint16_t n : {4, 8}) {
    types.push_back({"float", 2, n,
                     0,
                     [n](std::mt19937& r) {
                       static const double special[] = {0.0, -0.0, 1e300, -1e300, 1e-300, -1e-300};
                       double d = r() % 5 == 0 ? special[r() % 6] : (static_cast<double>(r() % 2001) - 1000) / 8;
                       Bytes out(n, '\0');
                       if (n == 4) {
                         float f = static_cast<float>(d);
                         std::memcpy(out.data(), &f, 4);
                       } else {
                         std::memcpy(out.data(), &d, 8);
                       }
                       return out;
                     },
                     [n](const Bytes& a, const Bytes& b) {
                       if (n == 4) {
                         float x, y;
                         std::memcpy(&x, a.data(), 4);
                         std::memcpy(&y, b.data(), 4);
                         return threeWay(x, y);
                       }
                       double x, y;
                       std::memcpy(&x, a.data(), 8);
                       std::memcpy(&y, b.data(), 8);
                       return threeWay(x, y);
                     }});
  }
  types.push_back({"date", 3, 4, 0,
                   [](std::mt19937& r) {
                     Bytes d(4, '\0');
                     d[0] = static_cast<char>(1 + r() % 28);
                     d[1] = static_cast<char>(1 + r() % 12);
                     const uint16_t year = static_cast<uint16_t>(1990 + r() % 3 + (r() % 5 == 0 ? 300 : 0));
                     d[2] = static_cast<char>(year);
                     d[3] = static_cast<char>(year >> 8);
                     return d;
                   },
                   [](const Bytes& a, const Bytes& b) {
                     auto parts = [](const Bytes& d) {
                       return std::make_tuple(unsignedValue(d, 2, 2), unsignedValue(d, 1, 1), unsignedValue(d, 0, 1));
                     };
                     return threeWay(parts(a), parts(b));
                   }});
  types.push_back({"time", 4, 4, 0,
                   [](std::mt19937& r) {
                     Bytes t(4, '\0');
                     t[0] = static_cast<char>(r() % 100);
                     t[1] = static_cast<char>(r() % 60);
                     t[2] = static_cast<char>(r() % 3);
                     t[3] = static_cast<char>(r() % 24);
                     return t;
                   },
                   [](const Bytes& a, const Bytes& b) {
                     auto parts = [](const Bytes& t) {
                       return std::make_tuple(unsignedValue(t, 3, 1), unsignedValue(t, 2, 1), unsignedValue(t, 1, 1),
                                              unsignedValue(t, 0, 1));
                     };
                     return threeWay(parts(a), parts(b));
                   }});
  types.push_back({"decimal", 5, 3, 0,
                   [](std::mt19937& r) {
                     // 5 digits and a sign nibble: C, F, A, 0 (positive) or D, B (negative); -0
                     // included
                     const int value = r() % 6 == 0 ? 0 : static_cast<int>(r() % 200);
                     static const uint8_t signs[] = {0xC, 0xF, 0xA, 0x0, 0xD, 0xD, 0xB, 0xB};
                     const uint8_t sign = signs[r() % 8];
                     int digits[5];
                     for (int i = 4, v = value; i >= 0; --i, v /= 10) digits[i] = v % 10;
                     Bytes d(3, '\0');
                     d[0] = static_cast<char>(digits[0] << 4 | digits[1]);
                     d[1] = static_cast<char>(digits[2] << 4 | digits[3]);
                     d[2] = static_cast<char>(digits[4] << 4 | sign);
                     return d;
                   },
                   [](const Bytes& a, const Bytes& b) {
                     auto number = [](const Bytes& d) {
                       long v = 0;
                       for (int i = 0; i < 5; ++i) {
                         const auto byte = static_cast<uint8_t>(d[i / 2]);
                         v = v * 10 + (i % 2 == 0 ? byte >> 4 : byte & 15);
                       }
                       const uint8_t sign = static_cast<uint8_t>(d[2]) & 15;
                       return sign == 0xD || sign == 0xB ? -v : v;
                     };
                     return threeWay(number(a), number(b));
                   }});
  types.push_back({"logical", 7, 1, 0, [](std::mt19937& r) { return Bytes(1, static_cast<char>(r() % 3 * 127)); },
                   compareBytes});
  types.push_back({"lstring", 10, 5, 0,
                   [=](std::mt19937& r) {
                     // a length byte (one value claims more than fits), then text and garbage
                     Bytes s = randomBytes(r, 5, letters);
                     s[0] = static_cast<char>(r() % 6 == 0 ? 200 : r() % 5);
                     return s;
                   },
                   [](const Bytes& a, const Bytes& b) {
                     auto text = [](const Bytes& s) {
                       Bytes t = s.substr(1, std::min<size_t>(static_cast<uint8_t>(s[0]), 4));
                       return t + Bytes(4 - t.size(), '\0');
                     };
                     return compareBytes(text(a), text(b));
                   }});
  types.push_back({"zstring", 11, 4, 0,
                   [=](std::mt19937& r) {
                     Bytes s = randomBytes(r, 4, letters);
                     s[r() % 4] = '\0';
                     return s;
                   },
                   [](const Bytes& a, const Bytes& b) {
                     auto text = [](const Bytes& s) {
                       Bytes t = s.substr(0, s.find('\0'));
                       return t + Bytes(4 - t.size(), '\0');
                     };
                     return compareBytes(text(a), text(b));
                   }});
  types.push_back({"caseInsensitive", 0, 3, 0x400, [=](std::mt19937& r) { return randomBytes(r, 3, mixed); },
                   [](const Bytes& a, const Bytes& b) {
                     Bytes x = a, y = b;
                     for (char& c : x) c = static_cast<char>(upper1252(static_cast<unsigned char>(c)));
                     for (char& c : y) c = static_cast<char>(upper1252(static_cast<unsigned char>(c)));
                     return compareBytes(x, y);
                   }});
  types.push_back({"collatingSequence", 0, 3, 0x20 | 0x400, [](std::mt19937& r) { return randomBytes(r, 3, "ABCYZab"); },
                   [](const Bytes& a, const Bytes& b) {
                     // the sequence, not case-insensitivity (which it overrides), decides
                     auto map = [](Bytes s) {
                       for (char& c : s)
                         if (c >= 'A' && c <= 'Z') c = static_cast<char>('Z' - (c - 'A'));
                       return s;
                     };
                     return compareBytes(map(a), map(b));
                   }});
  return types;
}

struct OrderCase {
  std::string name;
  std::vector<SegmentType> segments;
  std::vector<bool> descending;
  bool duplicates;
  bool nullKey;  // values of all spaces stay out of the key path
};

std::vector<OrderCase> orderCases() {
  std::vector<OrderCase> cases;
  for (const SegmentType& t : segmentTypes()) {
    for (bool descending : {false, true}) {
      for (bool duplicates : {false, true}) {
        if (t.type == 15 && duplicates) continue;  // auto-increment keys are unique
        std::string name = t.name + std::to_string(t.length) + (descending ? "Descending" : "") +
                           (duplicates ? "Duplicates" : "Unique");
        cases.push_back({name, {t}, {descending}, duplicates, false});
      }
    }
  }
  const std::vector<SegmentType> all = segmentTypes();
  auto find = [&](const std::string& n, uint16_t length) {
    return *std::find_if(all.begin(), all.end(), [&](const SegmentType& t) { return t.name == n && t.length == length; });
  };
  cases.push_back({"segmentedStringIntegerUnsigned", {find("string", 4), find("integer", 2), find("unsigned", 1)},
                   {false, true, false}, true, false});
  cases.push_back({"segmentedDateDescendingTime", {find("date", 4), find("time", 4)}, {true, false}, true, false});
  SegmentType spaces = find("string", 4);
  spaces.generate = [](std::mt19937& r) { return r() % 3 == 0 ? Bytes(4, ' ') : randomBytes(r, 4, " ab"); };
  cases.push_back({"nullKeyString", {spaces}, {false}, true, true});
  cases.push_back({"nullKeyStringDescending", {spaces}, {true}, true, true});
  return cases;
}

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class KeyOrder : public RecmgrFixture, public ::testing::WithParamInterface<OrderCase> {
 protected:
  Bytes keyValue(const Bytes& record) const { return record.substr(0, keyLength_); }

  int compareKeys(const Bytes& a, const Bytes& b) const {
    size_t off = 0;
    const OrderCase& c = GetParam();
    for (size_t i = 0; i < c.segments.size(); ++i) {
      const size_t n = c.segments[i].length;
      int r = c.segments[i].compare(a.substr(off, n), b.substr(off, n));
      if (c.descending[i]) r = -r;
      if (r != 0) return r;
      off += n;
    }
    return 0;
  }

  bool isNull(const Bytes& record) const { return GetParam().nullKey && keyValue(record) == Bytes(keyLength_, ' '); }

  size_t keyLength_ = 0;
};

TEST_P(KeyOrder, EngineOrderMatchesPlainComparison) {
  const OrderCase& c = GetParam();
  KeyDef key;
  uint16_t position = 1;
  for (size_t i = 0; i < c.segments.size(); ++i) {
    const SegmentType& t = c.segments[i];
    uint16_t flags = t.flags | (c.descending[i] ? 0x40 : 0) | (c.duplicates ? 0x01 : 0) | (c.nullKey ? 0x08 : 0);
    key.push_back({position, t.length, t.type, flags, static_cast<uint8_t>(c.nullKey ? ' ' : 0), 0});
    position = static_cast<uint16_t>(position + t.length);
  }
  keyLength_ = position - 1u;
  const bool sequence = std::any_of(key.begin(), key.end(), [](const Seg& s) { return s.flags & 0x20; });
  const std::string file = path("order.qf");
  ASSERT_EQ(createFile(file, createSpec(recordLength, {key}, 0, 4096,
                                        sequence ? std::vector<std::vector<uint8_t>>{reversingSequence()}
                                                 : std::vector<std::vector<uint8_t>>{})),
            0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);

  std::mt19937 rng(std::hash<std::string>{}(c.name));
  std::vector<Bytes> pool;  // a small pool makes duplicates likely
  for (int i = 0; i < 40; ++i) {
    Bytes value;
    for (const SegmentType& t : c.segments) value += t.generate(rng);
    pool.push_back(value);
  }
  std::vector<Bytes> stored;  // in insertion order
  for (uint32_t i = 0; i < 120; ++i) {
    Bytes record = pool[rng() % pool.size()] + Bytes(recordLength - keyLength_, '\0');
    putU32(record, idOffset, i + 1);
    const bool repeated = std::any_of(stored.begin(), stored.end(), [&](const Bytes& s) {
      return !isNull(s) && compareKeys(keyValue(s), keyValue(record)) == 0;
    });
    const int16_t s = f.insert(record);
    if (repeated && !c.duplicates) {
      EXPECT_EQ(s, 5) << "a repeated value of a unique key";
    } else {
      ASSERT_EQ(s, 0);
      stored.push_back(record);
    }
  }

  std::vector<Bytes> expected;
  for (const Bytes& r : stored)
    if (!isNull(r)) expected.push_back(r);
  std::stable_sort(expected.begin(), expected.end(),
                   [&](const Bytes& a, const Bytes& b) { return compareKeys(keyValue(a), keyValue(b)) < 0; });
  auto ids = [](const std::vector<Bytes>& records) {
    std::vector<uint32_t> out;
    for (const Bytes& r : records) out.push_back(getU32(r, idOffset));
    return out;
  };

  std::vector<Bytes> forward, backward;
  for (auto r = f.read(12, 0); r.status == 0; r = f.read(6, 0)) forward.push_back(r.record);
  for (auto r = f.read(13, 0); r.status == 0; r = f.read(7, 0)) backward.push_back(r.record);
  std::reverse(backward.begin(), backward.end());
  EXPECT_EQ(ids(forward), ids(expected)) << "first, then next";
  EXPECT_EQ(ids(backward), ids(expected)) << "last, then previous";

  // Each comparison read against probes: the first duplicate upward, the last one downward.
  for (int probe = 0; probe < 40; ++probe) {
    Bytes value;
    for (const SegmentType& t : c.segments) value += t.generate(rng);
    SCOPED_TRACE("probe " + std::to_string(probe));
    auto firstWhere = [&](auto pred) -> int64_t {
      for (const Bytes& r : expected)
        if (pred(compareKeys(keyValue(r), value))) return getU32(r, idOffset);
      return -1;
    };
    auto lastWhere = [&](auto pred) -> int64_t {
      for (auto it = expected.rbegin(); it != expected.rend(); ++it)
        if (pred(compareKeys(keyValue(*it), value))) return getU32(*it, idOffset);
      return -1;
    };
    struct Probe {
      uint16_t op;
      int64_t id;
    };
    const Probe probes[] = {
        {5, firstWhere([](int r) { return r == 0; })},
        {8, firstWhere([](int r) { return r > 0; })},
        {9, firstWhere([](int r) { return r >= 0; })},
        {10, lastWhere([](int r) { return r < 0; })},
        {11, lastWhere([](int r) { return r <= 0; })},
    };
    for (const Probe& p : probes) {
      auto r = f.read(p.op, 0, value);
      if (p.id < 0) {
        EXPECT_EQ(r.status, p.op == 5 ? 4 : 9) << "op " << p.op;
      } else {
        ASSERT_EQ(r.status, 0) << "op " << p.op;
        EXPECT_EQ(getU32(r.record, idOffset), p.id) << "op " << p.op;
        EXPECT_EQ(r.key.substr(0, keyLength_), keyValue(r.record)) << "the key buffer holds the record's key";
        EXPECT_EQ(r.key.substr(keyLength_), Bytes(256 - keyLength_, '\0')) << "nothing past the key";
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Types, KeyOrder, ::testing::ValuesIn(orderCases()),
                         [](const ::testing::TestParamInfo<OrderCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qn::recmgr::testing
