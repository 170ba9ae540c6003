// A key search that follows a walk reads the neighbours of the record it finds along, and the
// walk that follows, and get-direct, are answered from them. Another workstation (a second
// process) changes or locks a neighbour right after the search: every answer afterwards must be
// the same as with reading ahead switched off, and must show the change.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/recmgr/tests/ReadAnswer.h"
#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getEqual = 5, getNext = 6, getPrevious = 7, getDirect = 23, singleLock = 200;
constexpr int8_t nameKeyNumber = 1;
const std::vector<std::string> names = {"b", "d", "f", "h", "j", "l", "n", "p", "r", "t", "v", "x"};
const std::string sought = "l";

enum class Side { before, after };
enum class Change { nothing, updateNeighbour, deleteNeighbour, insertBetween, lockNeighbour };

struct SearchCase {
  Side side;
  Change change;
};

// The payload of a record changed, so a stale read shows.
std::string updated(std::string record) {
  record[20] = static_cast<char>(record[20] ^ 0x5A);
  return record;
}

class SearchNeighbours : public RecmgrFixture, public ::testing::WithParamInterface<SearchCase> {
 protected:
  uint16_t towards() const { return GetParam().side == Side::after ? getNext : getPrevious; }
  uint16_t away() const { return GetParam().side == Side::after ? getPrevious : getNext; }

  // The second process changes the neighbour of the sought record on the case's side; answers
  // the neighbour's position.
  uint32_t change(ServeChild& other, const std::string& file) {
    EXPECT_EQ(other.status("open 0 " + file), 0);
    EXPECT_EQ(other.status("read 0 " + std::to_string(getEqual) + " 1 " + toHex(nameKey(sought))), 0);
    const std::string answer = other.ask("read 0 " + std::to_string(towards()) + " 1");
    EXPECT_EQ(answer.substr(0, 2), "0 ");
    const std::string neighbour = fromHex(answer.substr(2, answer.find(' ', 2) - 2)).value_or("");
    const std::string position = other.ask("position 0");
    const uint32_t at = static_cast<uint32_t>(std::stoul(position.substr(position.find(' ') + 1)));
    switch (GetParam().change) {
      case Change::nothing: break;
      case Change::updateNeighbour:
        EXPECT_EQ(other.status("update 0 " + toHex(updated(neighbour)) + " 1"), 0);
        break;
      case Change::deleteNeighbour: EXPECT_EQ(other.status("delete 0 1"), 0); break;
      case Change::insertBetween: {
        // Between the two in key order whichever side: "l" < "l0" < "n", "j" < "j0" < "l".
        const std::string lower = GetParam().side == Side::after ? sought : nameOf(neighbour);
        EXPECT_EQ(other.status("insert 0 " + toHex(smallRecord(lower + "0"))), 0);
        break;
      }
      case Change::lockNeighbour: {
        std::string value(4, '\0');
        putU32(value, 0, at);
        EXPECT_EQ(other.status("read 0 " + std::to_string(getDirect + singleLock) + " 1 " + toHex(value)), 0);
        break;
      }
    }
    return at;
  }

  // Search, walk, search again (the search that reads around, when reading ahead), then the
  // other process's change, then walks both ways from the found record and reads by position:
  // every answer.
  std::vector<Answer> run(bool readAhead, const std::string& fileName) {
    const std::string file = makeSmallFile(fileName, names);
    if (!readAhead) ::setenv("QNRECMGR_NO_READ_AHEAD", "1", 1);
    OpenFile reader;
    const int16_t opened = reader.open(file);
    ::unsetenv("QNRECMGR_NO_READ_AHEAD");
    EXPECT_EQ(opened, 0);
    std::vector<Answer> answers;
    const auto take = [&](const OpenFile::Read& r) { answers.push_back({r.status, r.record, r.key}); };
    take(reader.read(getEqual, nameKeyNumber, nameKey(sought)));
    take(reader.read(getNext, nameKeyNumber));
    take(reader.read(getEqual, nameKeyNumber, nameKey(sought)));
    const uint32_t found = reader.position();

    ServeChild other;
    const uint32_t neighbour = change(other, file);
    take(reader.direct(neighbour, nameKeyNumber));
    take(reader.direct(found, nameKeyNumber));
    for (int i = 0; i < 3; ++i) take(reader.read(towards(), nameKeyNumber));
    take(reader.direct(found, nameKeyNumber));
    for (int i = 0; i < 3; ++i) take(reader.read(away(), nameKeyNumber));
    // A locked read is never answered from what was read ahead.
    take(reader.direct(found, nameKeyNumber));
    take(reader.read(static_cast<uint16_t>(towards() + singleLock), nameKeyNumber));
    reader.unlock(-1);
    // A search that finds nothing leaves the walk where it was.
    take(reader.read(getEqual, nameKeyNumber, nameKey("m")));
    take(reader.read(away(), nameKeyNumber));
    return answers;
  }
};

TEST_P(SearchNeighbours, SeeAnotherProcessChangeAsWithoutReadingAhead) {
  const std::vector<Answer> plain = run(false, "plain.qf");
  const std::vector<Answer> ahead = run(true, "ahead.qf");
  EXPECT_EQ(ahead, plain);

  // And what the plain run answered is the change itself.
  ASSERT_EQ(ahead.size(), 16u);
  EXPECT_EQ(ahead[14].status, 4);
  const Answer& direct = ahead[3];    // the neighbour by its position
  const Answer& step = ahead[5];      // the first step towards the neighbour
  const Answer& locked = ahead[13];   // the locked step towards it
  const std::string expectedNext = GetParam().side == Side::after ? "n" : "j";
  switch (GetParam().change) {
    case Change::nothing:
    case Change::lockNeighbour:
      EXPECT_EQ(direct.status, 0);
      EXPECT_EQ(nameOf(step.record), expectedNext);
      EXPECT_EQ(locked.status, GetParam().change == Change::lockNeighbour ? 84 : 0);
      break;
    case Change::updateNeighbour:
      EXPECT_EQ(direct.record, updated(smallRecord(expectedNext, getU32(direct.record, 0))));
      EXPECT_EQ(step.record, direct.record);
      break;
    case Change::deleteNeighbour:
      EXPECT_EQ(direct.status, 43);
      EXPECT_EQ(nameOf(step.record), GetParam().side == Side::after ? "p" : "h");
      break;
    case Change::insertBetween:
      EXPECT_EQ(nameOf(step.record), GetParam().side == Side::after ? "l0" : "j0");
      break;
  }
}

std::vector<SearchCase> searchCases() {
  std::vector<SearchCase> cases;
  for (Change change : {Change::nothing, Change::updateNeighbour, Change::deleteNeighbour, Change::insertBetween,
                        Change::lockNeighbour})
    for (Side side : {Side::before, Side::after}) cases.push_back({side, change});
  return cases;
}

std::string caseName(const ::testing::TestParamInfo<SearchCase>& info) {
  static const char* const sides[] = {"Before", "After"};
  static const char* const changes[] = {"Nothing", "UpdateNeighbour", "DeleteNeighbour", "InsertBetween",
                                        "LockNeighbour"};
  return std::string(changes[static_cast<int>(info.param.change)]) + sides[static_cast<int>(info.param.side)];
}

INSTANTIATE_TEST_SUITE_P(Table, SearchNeighbours, ::testing::ValuesIn(searchCases()), caseName);

}  // namespace
}  // namespace qn::recmgr::testing
