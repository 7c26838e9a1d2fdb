#pragma once

namespace vistrel {

// Hands out the items of a batch to start and lets their results go out in the order of the
// batch, however the work finishes. At most window items are started beyond the last one
// given out, so results waiting for a slow item never pile up without bound.
class ResultOrder {
 public:
  ResultOrder(int total, int window);

  // The next item to start, or -1 when none may start now.
  int NextToStart() const;
  void Started() { ++started_; }
  // No item from index on is started or given out.
  void EndAt(int index);
  int End() const { return end_; }

  void Ready(int index);
  // The next item whose result may go out now, or -1; Given() after handing it out.
  int NextToGive() const;
  void Given();
  int GivenCount() const { return given_; }
  bool AllGiven() const { return given_ >= end_; }

 private:
  int end_;
  int window_;
  int started_ = 0;
  int given_ = 0;
  unsigned long long readyBits_ = 0;  // bit i: item given_ + i is ready
};

}  // namespace vistrel
