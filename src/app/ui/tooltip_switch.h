#pragma once

#include <QObject>

namespace vistrel {

// Hides every tooltip of the program while hints are switched off, and keeps each shown one
// for five seconds.
class TooltipSwitch : public QObject {
 public:
  explicit TooltipSwitch(QObject* parent = nullptr);
  void SetEnabled(bool on) { enabled_ = on; }
  bool IsEnabled() const { return enabled_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool enabled_ = true;
};

}  // namespace vistrel
