#include "framework/base/Random.h"

#include <chrono>
#include <mutex>
#include <random>

namespace qn {
namespace {

class StandardGenerator : public RandomGenerator {
 public:
  int next(int range) override {
    std::lock_guard lock(mutex_);
    return std::uniform_int_distribution<int>(0, range - 1)(engine_);
  }
  void seedFromTime() override {
    std::lock_guard lock(mutex_);
    engine_.seed(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  }

 private:
  std::mutex mutex_;
  std::mt19937 engine_;  // unseeded until Randomize, so a run without it repeats, as the framework's did
};

StandardGenerator& standard() {
  static StandardGenerator generator;
  return generator;
}

RandomGenerator*& current() {
  static RandomGenerator* generator = nullptr;
  return generator;
}

RandomGenerator& inUse() { return current() ? *current() : standard(); }

}  // namespace

RandomGenerator* setRandomGenerator(RandomGenerator* generator) {
  RandomGenerator* previous = current();
  current() = generator;
  return previous;
}

ScriptedRandom::ScriptedRandom(std::vector<int> values)
    : values_(std::move(values)), previous_(setRandomGenerator(this)) {}

ScriptedRandom::~ScriptedRandom() { setRandomGenerator(previous_); }

int ScriptedRandom::next(int range) {
  const int value = values_.empty() ? 0 : values_[calls_ % values_.size()];
  ++calls_;
  return value % range;
}

}  // namespace qn

int Random(int Range) { return Range <= 0 ? 0 : qn::inUse().next(Range); }

void Randomize() { qn::inUse().seedFromTime(); }
