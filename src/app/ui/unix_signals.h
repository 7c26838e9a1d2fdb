#pragma once

#include <QObject>

class QSocketNotifier;

namespace vistrel {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the UI thread, so a logout or Ctrl+C
// closes the main window the orderly way (settings written).
class UnixSignals : public QObject {
  Q_OBJECT
 public:
  explicit UnixSignals(QObject* parent = nullptr);
  ~UnixSignals() override;

 Q_SIGNALS:
  void TerminationRequested(int signalNumber);

 private:
  void ReadSignal();
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vistrel
