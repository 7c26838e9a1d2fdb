#pragma once

namespace vistrel {

// The hourglass for the lifetime of the object, restored however the scope is left. Does
// nothing without a GUI application (vistrel-cli, logic tests).
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  bool set_ = false;
};

}  // namespace vistrel
