// Walks read ahead, and still see every commit made between two of their reads: each walk of the
// table runs once with reading ahead switched off and once with it on, while another client of
// this process, or a second process, changes the file between two reads; both runs must answer
// exactly the same. And a writer of another process never waits on a reader between two calls.
#include <cstdlib>
#include <functional>
#include <memory>

#include "platform/recmgr/tests/ReadAnswer.h"
#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getNext = 6, getPrevious = 7, getFirst = 12, getLast = 13, getDirect = 23, stepNext = 24,
                   stepFirst = 33, stepLast = 34, stepPrevious = 35;
constexpr int8_t walkedKey = 1;
const ClientId otherClient = {'O', 't', 'h', 'e', 'r'};

enum class Path { duplicates, descending, caseInsensitive, nullKeys };
enum class Walk { getNext, getPrevious, stepNext, stepPrevious };
enum class Change { nothing, updateNext, deleteNext, insertBetween, createIndex };

struct WalkCase {
  Path path;
  Walk walk;
  Change change;
};

bool physical(Walk w) { return w == Walk::stepNext || w == Walk::stepPrevious; }
uint16_t startOp(Walk w) {
  switch (w) {
    case Walk::getNext: return getFirst;
    case Walk::getPrevious: return getLast;
    case Walk::stepNext: return stepFirst;
    case Walk::stepPrevious: return stepLast;
  }
  return 0;
}
uint16_t stepOp(Walk w) {
  switch (w) {
    case Walk::getNext: return getNext;
    case Walk::getPrevious: return getPrevious;
    case Walk::stepNext: return stepNext;
    case Walk::stepPrevious: return stepPrevious;
  }
  return 0;
}

// Key 1, the walked one, is the 8-byte name at 5..12: always with duplicates, besides the flag of
// its case. The names leave gaps for a record to go between two neighbours; the empty ones are
// null keys where the path leaves them out.
uint16_t nameFlags(Path p) {
  constexpr uint16_t duplicates = 0x01 | 0x02;
  switch (p) {
    case Path::duplicates: return duplicates;
    case Path::descending: return duplicates | 0x40;
    case Path::caseInsensitive: return duplicates | 0x400;
    case Path::nullKeys: return duplicates | 0x08;
  }
  return 0;
}
const std::vector<std::string> names = {"h", "b", "", "d", "D", "n", "f", "", "h", "l", "j", "p", "r", "t", "v"};

// A record's payload (bytes 13..32) changed by an update, so a stale read shows.
std::string updated(std::string record) {
  record[20] = static_cast<char>(record[20] ^ 0x5A);
  return record;
}

// A record between `current` and `next` in the walked path (or, for a physical walk, at its end):
// a name whose first letter lies between theirs.
std::string between(const std::string& current, const std::string& next) {
  const auto first = [](const std::string& record) { return std::tolower(static_cast<unsigned char>(record[4])); };
  std::string name(1, static_cast<char>((first(current) + first(next)) / 2));
  if (name[0] == 0) name = "a";
  return RecmgrFixture::smallRecord(name);
}

// Another workstation that changes the file between two reads of the walk.
class Changer {
 public:
  virtual ~Changer() = default;
  virtual int16_t open(const std::string& path) = 0;
  // A read answering the record (empty unless the status is 0).
  virtual OpenFile::Read read(uint16_t op, int8_t keyNumber, uint32_t position = 0) = 0;
  virtual int16_t update(const std::string& record, int8_t keyNumber) = 0;
  virtual int16_t remove(int8_t keyNumber) = 0;
  virtual int16_t insert(const std::string& record) = 0;
  virtual int16_t createIndex(const std::string& segments) = 0;
};

class ClientChanger : public Changer {
 public:
  int16_t open(const std::string& path) override { return file_.open(path); }
  OpenFile::Read read(uint16_t op, int8_t keyNumber, uint32_t position) override {
    return op == getDirect ? file_.direct(position, keyNumber) : file_.read(op, keyNumber);
  }
  int16_t update(const std::string& record, int8_t keyNumber) override { return file_.update(record, keyNumber); }
  int16_t remove(int8_t keyNumber) override { return file_.remove(keyNumber); }
  int16_t insert(const std::string& record) override {
    std::string r = record;
    return file_.insert(r);
  }
  int16_t createIndex(const std::string& segments) override {
    std::string data = segments;
    uint16_t length = static_cast<uint16_t>(data.size());
    return RecordManagerApi::instance().call(31, file_.block(), data.data(), &length, nullptr, 0, &otherClient);
  }

 private:
  OpenFile file_{&otherClient};
};

class ProcessChanger : public Changer {
 public:
  int16_t open(const std::string& path) override { return static_cast<int16_t>(child_.status("open 0 " + path)); }
  OpenFile::Read read(uint16_t op, int8_t keyNumber, uint32_t position) override {
    std::string value;
    if (op == getDirect) {
      value.assign(4, '\0');
      putU32(value, 0, position);
    }
    const std::string answer = child_.ask("read 0 " + std::to_string(op) + " " + std::to_string(keyNumber) + " " +
                                          toHex(value));
    OpenFile::Read r{static_cast<int16_t>(std::stoi(answer)), {}, {}};
    if (r.status == 0) {
      const size_t from = answer.find(' ') + 1;
      r.record = fromHex(answer.substr(from, answer.find(' ', from) - from)).value_or("");
    }
    return r;
  }
  int16_t update(const std::string& record, int8_t keyNumber) override {
    return static_cast<int16_t>(child_.status("update 0 " + toHex(record) + " " + std::to_string(keyNumber)));
  }
  int16_t remove(int8_t keyNumber) override {
    return static_cast<int16_t>(child_.status("delete 0 " + std::to_string(keyNumber)));
  }
  int16_t insert(const std::string& record) override {
    return static_cast<int16_t>(child_.status("insert 0 " + toHex(record)));
  }
  int16_t createIndex(const std::string& segments) override {
    return static_cast<int16_t>(child_.status("index 0 " + toHex(segments)));
  }

 private:
  ServeChild child_;
};

class WalksSeeCommits : public RecmgrFixture, public ::testing::WithParamInterface<WalkCase> {
 protected:
  // The walk of the case on a fresh file, reading ahead or not, with `changer` changing the file
  // after the walk's second read: every answer of the walk.
  std::vector<Answer> walk(bool readAhead, const std::string& fileName, Changer& changer) {
    const WalkCase c = GetParam();
    const std::string file = path(fileName);
    EXPECT_EQ(createFile(file, createSpec(smallRecordLength, {{{1, 4, 15}}, {{5, 8, 0, nameFlags(c.path)}}})), 0);
    {
      OpenFile fill;
      EXPECT_EQ(fill.open(file), 0);
      for (const std::string& n : names) {
        std::string r = smallRecord(n);
        EXPECT_EQ(fill.insert(r), 0);
      }
    }
    if (!readAhead) ::setenv("QNRECMGR_NO_READ_AHEAD", "1", 1);
    OpenFile reader;
    const int16_t opened = reader.open(file);
    ::unsetenv("QNRECMGR_NO_READ_AHEAD");
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(changer.open(file), 0);

    const int8_t keyNumber = physical(c.walk) ? 0 : walkedKey;
    std::vector<Answer> answers;
    const auto take = [&](const OpenFile::Read& r) { answers.push_back({r.status, r.record, r.key}); };
    take(reader.read(startOp(c.walk), keyNumber));
    take(reader.read(stepOp(c.walk), keyNumber));
    EXPECT_EQ(answers.back().status, 0);
    change(changer, c, reader.position(), answers.back().record);
    for (int reads = 0; reads < 40 && answers.back().status == 0; ++reads) take(reader.read(stepOp(c.walk), keyNumber));
    // And back again over what changed.
    const uint16_t back = stepOp(c.walk == Walk::getNext       ? Walk::getPrevious
                                 : c.walk == Walk::getPrevious ? Walk::getNext
                                 : c.walk == Walk::stepNext    ? Walk::stepPrevious
                                                               : Walk::stepNext);
    for (int reads = 0; reads < 40 && (reads == 0 || answers.back().status == 0); ++reads)
      take(reader.read(back, keyNumber));
    return answers;
  }

  // The change of the case, made to the record the walk reaches next from `position`.
  void change(Changer& changer, const WalkCase& c, uint32_t position, const std::string& current) {
    const int8_t keyNumber = physical(c.walk) ? 0 : walkedKey;
    ASSERT_EQ(changer.read(getDirect, keyNumber, position).status, 0);
    const OpenFile::Read next = changer.read(stepOp(c.walk), keyNumber);
    ASSERT_EQ(next.status, 0);
    switch (c.change) {
      case Change::nothing: break;
      case Change::updateNext: ASSERT_EQ(changer.update(updated(next.record), keyNumber), 0); break;
      case Change::deleteNext: ASSERT_EQ(changer.remove(keyNumber), 0); break;
      case Change::insertBetween: ASSERT_EQ(changer.insert(between(current, next.record)), 0); break;
      case Change::createIndex: {
        const std::vector<uint8_t> spec = createSpec(smallRecordLength, {{{13, 4, 1, 0x01}}});
        ASSERT_EQ(changer.createIndex(std::string(spec.begin() + 16, spec.end())), 0);
        break;
      }
    }
  }

  void expectSameWalks(const std::function<std::unique_ptr<Changer>()>& makeChanger) {
    auto plainChanger = makeChanger(), aheadChanger = makeChanger();
    const std::vector<Answer> plain = walk(false, "plain.qf", *plainChanger);
    const std::vector<Answer> ahead = walk(true, "ahead.qf", *aheadChanger);
    ASSERT_GT(plain.size(), 6u);
    EXPECT_EQ(ahead, plain);
    if (GetParam().change == Change::updateNext) {
      const std::string seen = plain[2].record;
      EXPECT_EQ(seen, updated(smallRecord(nameOf(seen), getU32(seen, 0)))) << "the walk read the record updated";
    }
  }
};

TEST_P(WalksSeeCommits, OfAnotherClientAsWithoutReadingAhead) {
  expectSameWalks([] { return std::make_unique<ClientChanger>(); });
}

TEST_P(WalksSeeCommits, OfAnotherProcessAsWithoutReadingAhead) {
  expectSameWalks([] { return std::make_unique<ProcessChanger>(); });
}

std::vector<WalkCase> walkCases() {
  std::vector<WalkCase> cases;
  for (Change change : {Change::nothing, Change::updateNext, Change::deleteNext, Change::insertBetween,
                        Change::createIndex}) {
    for (Path path : {Path::duplicates, Path::descending, Path::caseInsensitive, Path::nullKeys})
      for (Walk walk : {Walk::getNext, Walk::getPrevious}) cases.push_back({path, walk, change});
    for (Walk walk : {Walk::stepNext, Walk::stepPrevious}) cases.push_back({Path::duplicates, walk, change});
  }
  return cases;
}

std::string caseName(const ::testing::TestParamInfo<WalkCase>& info) {
  static const char* const paths[] = {"Duplicates", "Descending", "CaseInsensitive", "NullKeys"};
  static const char* const walks[] = {"GetNext", "GetPrevious", "StepNext", "StepPrevious"};
  static const char* const changes[] = {"Nothing", "UpdateNext", "DeleteNext", "InsertBetween", "CreateIndex"};
  const WalkCase& c = info.param;
  return std::string(walks[static_cast<int>(c.walk)]) + (physical(c.walk) ? "" : paths[static_cast<int>(c.path)]) +
         changes[static_cast<int>(c.change)];
}

INSTANTIATE_TEST_SUITE_P(Table, WalksSeeCommits, ::testing::ValuesIn(walkCases()), caseName);

class LongRecords : public RecmgrFixture {};

TEST_F(LongRecords, AWalkReadsEveryOneOfThemWhateverTheBatchHolds) {
  constexpr uint16_t length = 8000;
  constexpr uint32_t records = 150;  // more bytes than one batch holds
  const std::string file = path("long.qf");
  ASSERT_EQ(createFile(file, createSpec(length, {{{1, 4, 15}}})), 0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  for (uint32_t i = 0; i < records; ++i) {
    std::string r(length, static_cast<char>('a' + i % 26));
    putU32(r, 0, 0);
    ASSERT_EQ(f.insert(r), 0);
  }
  for (auto [first, step] : {std::pair{getFirst, getNext}, {getLast, getPrevious}, {stepFirst, stepNext},
                             {stepLast, stepPrevious}}) {
    uint32_t seen = 0, last = 0;
    for (OpenFile::Read r = f.read(first, 0, "", length); r.status == 0; r = f.read(step, 0, "", length)) {
      const uint32_t number = getU32(r.record, 0);
      EXPECT_EQ(r.record[length - 1], static_cast<char>('a' + (number - 1) % 26));
      if (seen++ > 0) {
        EXPECT_EQ(number, first == getFirst || first == stepFirst ? last + 1 : last - 1);
      }
      last = number;
    }
    EXPECT_EQ(seen, records) << first;
  }
}

class ReaderBetweenCalls : public RecmgrFixture {};

TEST_F(ReaderBetweenCalls, KeepsNoWriterOfAnotherProcessWaiting) {
  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i) many.push_back("n" + std::to_string(100000 + i).substr(1));
  const std::string file = makeSmallFile("long.qf", many);
  OpenFile reader;
  ASSERT_EQ(reader.open(file), 0);
  ServeChild writer;
  ASSERT_EQ(writer.status("open 0 " + file), 0);
  std::string seen = nameOf(reader.read(getFirst, walkedKey).record);
  for (int round = 0; round < 15; ++round) {
    for (int i = 0; i < 10; ++i) {
      const OpenFile::Read r = reader.read(getNext, walkedKey);
      ASSERT_EQ(r.status, 0);
      EXPECT_LT(seen, nameOf(r.record));
      seen = nameOf(r.record);
    }
    // A reader that kept SQLite's lock between its calls would hold this commit off: 84 after the
    // bounded wait. The new record lands just ahead of the reader, which must find it next.
    std::string ahead = smallRecord(seen + "0");
    ASSERT_EQ(writer.status("insert 0 " + toHex(ahead)), 0) << "round " << round;
    ASSERT_EQ(writer.status("begin"), 0);
    ASSERT_EQ(writer.status("insert 0 " + toHex(smallRecord("z" + std::to_string(round)))), 0);
    ASSERT_EQ(writer.status("end"), 0) << "round " << round;
    const OpenFile::Read next = reader.read(getNext, walkedKey);
    ASSERT_EQ(next.status, 0);
    EXPECT_EQ(nameOf(next.record), seen + "0");
    seen = nameOf(next.record);
  }
}

}  // namespace
}  // namespace qn::recmgr::testing
