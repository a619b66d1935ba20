#pragma once
#include "platform/clock.h"

namespace tamsel::test {

// A clock the test sets and moves by hand.
class FakeClock : public Clock {
 public:
  explicit FakeClock(LocalDateTime start = {2010, 5, 23, 14, 5, 33}) : now_(start) {}
  LocalDateTime now() const override { return now_; }
  void set(LocalDateTime t) { now_ = t; }

 private:
  LocalDateTime now_;
};

}  // namespace tamsel::test
