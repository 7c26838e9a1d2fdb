#include "app/ui/vistrel_application.h"

#include "core/disk_name.h"
#include "core/prompter.h"
#include "core/vistrel_error.h"

namespace vistrel {

VistrelApplication::VistrelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // QApplication has removed the options it handled from argv by now.
  for (int i = 0; i < argc; ++i) diskArguments_ << NameFromDisk(argv[i]);
}

QString VistrelApplication::ReportError(const std::exception& error) {
  const auto* own = dynamic_cast<const VistrelError*>(&error);
  QString text = own ? own->message() : QString::fromLocal8Bit(error.what());
  if (prompter_) prompter_->Error(text);
  return text;
}

bool VistrelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportError(error);
  } catch (...) {
    if (prompter_) prompter_->Error(QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace vistrel
