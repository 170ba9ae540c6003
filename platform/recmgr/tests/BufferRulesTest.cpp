// Every buffer sits between guard bytes; an operation writes only the buffers it owns, never past
// the length it was given, and leaves the data length alone unless it answers data.
#include <cstring>

#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

constexpr size_t guardSize = 32;
constexpr char guardByte = '\xA5';

// A buffer of `size` bytes filled with `fill`, between guard bytes.
class Guarded {
 public:
  Guarded(size_t size, char fill = '\x5A') : bytes_(guardSize + size + guardSize, guardByte), size_(size) {
    std::memset(data(), fill, size);
  }
  explicit Guarded(const std::string& content) : Guarded(content.size()) {
    std::memcpy(data(), content.data(), content.size());
  }
  char* data() { return bytes_.data() + guardSize; }
  std::string content() const { return bytes_.substr(guardSize, size_); }
  bool guardsIntact() const {
    return bytes_.substr(0, guardSize) == std::string(guardSize, guardByte) &&
           bytes_.substr(guardSize + size_) == std::string(guardSize, guardByte);
  }

 private:
  std::string bytes_;
  size_t size_;
};

class BufferRules : public RecmgrFixture {
 protected:
  int16_t call(uint16_t op, OpenFile& f, Guarded& data, uint16_t& length, Guarded& key, int8_t keyNumber = 1) {
    return RecordManagerApi::instance().call(op, f.block(), data.data(), &length, key.data(), keyNumber);
  }
};

TEST_F(BufferRules, ReadsWriteTheRecordAndExactlyTheKeyLength) {
  const std::string file = makeSmallFile("reads.qf", {"AAA", "BBB", "CCC"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  for (uint16_t op : {12, 13, 5, 8, 9, 10, 11, 6, 7, 23, 33, 34, 24, 35}) {
    SCOPED_TRACE("operation " + std::to_string(op));
    ASSERT_EQ(f.read(5, 1, nameKey("BBB")).status, 0);  // the middle record in both orders
    Guarded data(smallRecordLength);
    if (op == 23) {
      std::string position(4, '\0');
      putU32(position, 0, f.position());
      std::memcpy(data.data(), position.data(), 4);
    }
    Guarded key(8, '\0');
    std::memcpy(key.data(), "BBB", 3);
    uint16_t length = smallRecordLength;
    ASSERT_EQ(call(op, f, data, length, key), 0);
    EXPECT_TRUE(data.guardsIntact());
    EXPECT_TRUE(key.guardsIntact()) << "the key buffer is written up to the key's 8 bytes only";
    EXPECT_EQ(length, smallRecordLength);
    const bool physical = op == 33 || op == 34 || op == 24 || op == 35;
    if (!physical) {
      EXPECT_EQ(key.content(), data.content().substr(4, 8)) << "the key buffer holds the record's key";
    }
  }
}

TEST_F(BufferRules, ARecordLongerThanTheBufferFillsItAndStaysCurrent) {
  const std::string file = makeSmallFile("short.qf", {"AAA", "BBB"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  Guarded data(10);
  Guarded key(8, '\0');
  uint16_t length = 10;
  ASSERT_EQ(call(12, f, data, length, key), 22);
  EXPECT_TRUE(data.guardsIntact());
  EXPECT_EQ(length, 10);
  EXPECT_EQ(data.content(), smallRecord("AAA", 1).substr(0, 10));
  EXPECT_EQ(f.read(6, 1).status, 0) << "the record is current";
  EXPECT_EQ(nameOf(f.read(7, 1).record), "AAA");
}

TEST_F(BufferRules, AnswersLongerThanTheBufferFillWhatFits) {
  const std::string file = makeSmallFile("answers.qf", {"AAA"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  ASSERT_EQ(f.read(12, 1).status, 0);
  Guarded key(8);
  const std::string fullStat(reinterpret_cast<const char*>(f.stat().data()), 16 + 2 * 16);

  Guarded stat(20);
  uint16_t length = 20;
  EXPECT_EQ(call(15, f, stat, length, key), 22);
  EXPECT_TRUE(stat.guardsIntact());
  EXPECT_EQ(stat.content(), fullStat.substr(0, 20));
  EXPECT_EQ(length, 20);

  Guarded position(3);
  length = 3;
  EXPECT_EQ(call(22, f, position, length, key), 22);
  EXPECT_TRUE(position.guardsIntact());

  Guarded exact(4);
  length = 4;
  EXPECT_EQ(call(22, f, exact, length, key), 0);
  EXPECT_TRUE(exact.guardsIntact());
  EXPECT_EQ(length, 4);
  EXPECT_EQ(key.content(), std::string(8, '\x5A')) << "get position writes no key";
}

TEST_F(BufferRules, InsertWritesBackOnlyTheAutoIncrementField) {
  const std::string file = makeSmallFile("insert.qf", {"AAA"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  const std::string record = smallRecord("NEW");
  Guarded data(record);
  Guarded key(256);
  uint16_t length = smallRecordLength;
  ASSERT_EQ(call(2, f, data, length, key, 0), 0);
  EXPECT_TRUE(data.guardsIntact());
  EXPECT_EQ(getU32(data.content(), 0), 2u) << "the assigned number";
  EXPECT_EQ(data.content().substr(4), record.substr(4)) << "the rest of the record is untouched";
  EXPECT_EQ(key.content(), std::string(256, '\x5A'));
  EXPECT_EQ(length, smallRecordLength);
}

TEST_F(BufferRules, OperationsWithoutAnswersWriteNeitherBuffer) {
  const std::string file = makeSmallFile("silent.qf", {"AAA", "BBB"});
  struct Case {
    const char* what;
    uint16_t op;
    int8_t keyNumber;
    std::string data;
  };
  const std::vector<Case> cases = {
      {"update", 3, 1, smallRecord("AAA", 1)},
      {"delete", 4, 1, std::string(32, 'x')},
      {"unlock", 27, 0, std::string(4, '\0')},
      {"close", 1, 0, std::string(4, 'x')},
      {"stop", 25, 0, std::string(5, '\0')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenFile f;
    ASSERT_EQ(f.open(file), 0);
    ASSERT_EQ(f.read(12, 1).status, 0);
    Guarded data(c.data);
    Guarded key(256);
    uint16_t length = static_cast<uint16_t>(c.data.size());
    ASSERT_EQ(call(c.op, f, data, length, key, c.keyNumber), 0);
    EXPECT_TRUE(data.guardsIntact());
    EXPECT_EQ(data.content(), c.data);
    EXPECT_EQ(key.content(), std::string(256, '\x5A'));
    EXPECT_EQ(length, c.data.size());
  }
}

TEST_F(BufferRules, OpenAndCreateLeaveNameOwnerAndSpecificationAsGiven) {
  const std::string file = path("made.qf");
  const std::vector<uint8_t> spec = createSpec(smallRecordLength, {{{1, 4, 15}}});
  Guarded specification(std::string(spec.begin(), spec.end()));
  Guarded name(file + '\0');
  uint16_t length = static_cast<uint16_t>(spec.size());
  std::array<uint8_t, 128> block{};
  const RecordManagerApi& api = RecordManagerApi::instance();
  ASSERT_EQ(api.call(14, block.data(), specification.data(), &length, name.data(), 0), 0);
  EXPECT_TRUE(specification.guardsIntact());
  EXPECT_EQ(specification.content(), std::string(spec.begin(), spec.end()));
  EXPECT_EQ(name.content(), file + '\0');
  EXPECT_EQ(length, spec.size());

  Guarded owner(std::string("", 1));
  length = 0;
  ASSERT_EQ(api.call(0, block.data(), owner.data(), &length, name.data(), 0), 0);
  EXPECT_TRUE(owner.guardsIntact());
  EXPECT_TRUE(name.guardsIntact());
  EXPECT_EQ(name.content(), file + '\0') << "the name is the caller's own text";
  EXPECT_EQ(length, 0);
  EXPECT_EQ(api.call(1, block.data(), nullptr, &length, nullptr, 0), 0) << "nil buffers with length 0";
}

}  // namespace
}  // namespace qn::recmgr::testing
