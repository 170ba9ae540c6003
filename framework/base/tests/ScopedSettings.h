#pragma once
// Test helpers that change process-wide settings and put them back when the test ends.
#include "framework/base/Clock.h"
#include "framework/base/DateTime.h"
#include "framework/base/Locale.h"

// Saves the locale settings; the test changes Locale() freely.
class ScopedLocale {
 public:
  ScopedLocale() : saved_(Locale()) {}
  ~ScopedLocale() { Locale() = saved_; }

 private:
  LocaleSettings saved_;
};

// A manual clock in place for the test's lifetime.
class ScopedClock {
 public:
  explicit ScopedClock(uint64_t milliseconds = 0, TDateTime now = EncodeDate(2026, 12, 9))
      : clock_(milliseconds, now) {
    qn::setClock(&clock_);
  }
  ~ScopedClock() { qn::setClock(nullptr); }
  qn::ManualClock& operator*() { return clock_; }
  qn::ManualClock* operator->() { return &clock_; }

 private:
  qn::ManualClock clock_;
};
