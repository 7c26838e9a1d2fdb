#pragma once

#include <QDialog>
#include <QPointer>

#include "core/batch_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vistrel {

// "Vistrel Progress": shows how far a batch has come; its button, Enter or Esc stop it.
// Lives for the whole run; the stop request is the shared flag it is given.
class ProgressWindow : public QDialog, public BatchProgress {
  Q_OBJECT
 public:
  ProgressWindow(bool& abortRequested, QWidget* parent = nullptr);

  // The window a batch runs from, disabled while it runs.
  void SetBatchOwner(QWidget* owner) { owner_ = owner; }
  void InitProgBar(int maximum);

  void Begin(int maximum) override;
  void SetText(const QString& text) override;
  void Step() override;
  bool AbortRequested() override;
  void End() override;

  QLabel* textLine() const { return label_; }
  QProgressBar* bar() const { return bar_; }
  QPushButton* stopButton() const { return button_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  void Stop();
  bool& abortRequested_;
  QPointer<QWidget> owner_;
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* button_;
};

}  // namespace vistrel
