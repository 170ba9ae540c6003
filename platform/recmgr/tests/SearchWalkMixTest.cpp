// Key searches and walks from them, in changing patterns (long and short, forward, back, both,
// reads by position), while another client changes the file now and then: one handle reads ahead
// (and so sizes the stretches its searches read by how far the walks went), the other does not,
// each on its own copy of the file with the same changes. Every answer must be the same.
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getEqual = 5, getNext = 6, getPrevious = 7, getFirst = 12, getLast = 13;
constexpr int8_t nameKeyNumber = 1;
const ClientId changerClient = {'C', 'h', 'a', 'n', 'g', 'e', 'r'};

// How the walks after each search go in one phase of the run.
struct Phase {
  int searches;
  int mostAfter;   // steps forward from the found record, up to
  int mostBefore;  // steps back, up to
  int changeOneIn;  // another client changes the file before one search in this many (0: never)
};

std::string numbered(int n) { return "n" + std::to_string(1000 + n); }

class SearchWalkMix : public RecmgrFixture {
 protected:
  struct Side {
    std::string file;
    OpenFile reader;
    OpenFile changer{&changerClient};
  };

  void openSide(Side& side, const std::string& fileName, bool readAhead) {
    std::vector<std::string> names;
    for (int n = 0; n < 300; n += 2) names.push_back(numbered(n));  // odd numbers stay free for inserts
    side.file = makeSmallFile(fileName, names);
    if (!readAhead) ::setenv("QNRECMGR_NO_READ_AHEAD", "1", 1);
    const int16_t opened = side.reader.open(side.file);
    ::unsetenv("QNRECMGR_NO_READ_AHEAD");
    ASSERT_EQ(opened, 0);
    ASSERT_EQ(side.changer.open(side.file), 0);
  }
};

std::string describe(const OpenFile::Read& r) { return std::to_string(r.status) + " " + toHex(r.record); }

TEST_F(SearchWalkMix, AnswersAsWithoutReadingAhead) {
  Side plain, ahead;
  openSide(plain, "plain.qf", false);
  openSide(ahead, "ahead.qf", true);
  std::mt19937 random(20261210);
  const auto below = [&](int n) { return n <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n + 1)); };

  // Both sides run the same operation (so nothing random is drawn inside it); their answers must
  // agree.
  int operations = 0;
  const auto both = [&](auto op) {
    const OpenFile::Read a = op(plain), b = op(ahead);
    ++operations;
    EXPECT_EQ(describe(b), describe(a)) << "operation " << operations;
    return a;
  };
  // Inserts a record, deletes or updates one, or the found record, when there is one.
  const auto change = [&](uint32_t found) {
    const int n = 2 * below(150) + 1;
    const int kind = below(4);  // 3, 4: the found record
    if (kind >= 3 && found != 0) {
      both([&](Side& s) {
        OpenFile::Read r = s.changer.direct(found, nameKeyNumber);
        if (r.status != 0) return r;
        r.record[20] = static_cast<char>(r.record[20] ^ 0x5A);
        r.status = kind == 3 ? s.changer.update(r.record, nameKeyNumber) : s.changer.remove(nameKeyNumber);
        return r;
      });
      return;
    }
    switch (kind % 3) {
      case 0:
        both([&](Side& s) {
          std::string r = smallRecord(numbered(n));
          return OpenFile::Read{s.changer.insert(r), {}, {}};
        });
        break;
      case 1:
        both([&](Side& s) {
          OpenFile::Read r = s.changer.read(getEqual, nameKeyNumber, nameKey(numbered(n - 1)));
          if (r.status == 0) r.status = s.changer.remove(nameKeyNumber);
          return r;
        });
        break;
      default:
        both([&](Side& s) {
          OpenFile::Read r = s.changer.read(getEqual, nameKeyNumber, nameKey(numbered(n + 1)));
          if (r.status != 0) return r;
          r.record[20] = static_cast<char>(r.record[20] ^ 0x5A);
          r.status = s.changer.update(r.record, nameKeyNumber);
          return r;
        });
    }
  };

  const std::vector<Phase> phases = {{40, 10, 9, 0},  {40, 10, 9, 4},  {30, 3, 0, 0}, {30, 0, 20, 5},
                                     {30, 40, 0, 3}, {40, 12, 12, 2}, {20, 0, 0, 0}, {30, 6, 30, 4}};
  for (const Phase& phase : phases) {
    for (int search = 0; search < phase.searches; ++search) {
      // Before the search, after the steps back, or amid the steps forward.
      const int changeAt = phase.changeOneIn > 0 && below(phase.changeOneIn - 1) == 0 ? below(2) : -1;
      if (changeAt == 0) change(0);
      // Mostly names that are there, now and then one between two or past either end.
      const int n = below(9) == 0 ? 2 * below(150) + 1 : below(9) == 0 ? 400 : 2 * below(149);
      both([&](Side& s) { return s.reader.read(getEqual, nameKeyNumber, nameKey(numbered(n))); });
      const uint32_t found = ahead.reader.position();
      EXPECT_EQ(plain.reader.position(), found);
      // Back first, as a window fills around the found record, then forward from it.
      const int back = below(phase.mostBefore), forward = below(phase.mostAfter);
      for (int i = 0; i < back; ++i) both([&](Side& s) { return s.reader.read(getPrevious, nameKeyNumber); });
      if (changeAt == 1) change(found);
      if (found != 0) both([&](Side& s) { return s.reader.direct(found, nameKeyNumber); });
      for (int i = 0; i < forward; ++i) {
        if (changeAt == 2 && i == forward / 2) change(found);
        both([&](Side& s) { return s.reader.read(getNext, nameKeyNumber); });
      }
      if (below(15) == 0) {
        const uint16_t end = below(1) == 0 ? getFirst : getLast;
        both([&](Side& s) { return s.reader.read(end, nameKeyNumber); });
      }
    }
  }
}

}  // namespace
}  // namespace qn::recmgr::testing
