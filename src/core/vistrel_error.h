#pragma once

#include <QString>
#include <stdexcept>

namespace vistrel {

// An error that the program's general handler shows in a message box before carrying on.
class VistrelError : public std::runtime_error {
 public:
  explicit VistrelError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};

}  // namespace vistrel
