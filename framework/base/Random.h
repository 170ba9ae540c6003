#pragma once
// The framework's random numbers: Random(Range) answers 0 <= n < Range, Randomize seeds the
// generator from the time. Tests put a scripted generator in place so that what the program
// makes from chance (names of scratch files) is known.
#include <vector>

namespace qn {

class RandomGenerator {
 public:
  virtual ~RandomGenerator() = default;
  // 0 <= answer < range; range is at least 1.
  virtual int next(int range) = 0;
  // Seeds the generator from the time; a scripted generator ignores it.
  virtual void seedFromTime() = 0;
};

// Puts `generator` in place (it must outlive its use); nullptr restores the framework's own.
// Answers the generator it replaces (nullptr for the framework's own).
RandomGenerator* setRandomGenerator(RandomGenerator* generator);

// Answers the values it was given, in turn (each taken modulo the range), then starts over;
// seeding changes nothing. Puts itself in place for its life.
class ScriptedRandom : public RandomGenerator {
 public:
  explicit ScriptedRandom(std::vector<int> values);
  ~ScriptedRandom() override;
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;

  int next(int range) override;
  void seedFromTime() override {}
  // How many values have been asked for.
  int calls() const { return calls_; }

 private:
  std::vector<int> values_;
  int calls_ = 0;
  RandomGenerator* previous_;
};

}  // namespace qn

// 0 when Range is 0 or below, as the framework's routine does.
int Random(int Range);
void Randomize();
