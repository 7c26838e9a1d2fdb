#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

#include "core/batch_progress.h"
#include "core/render_guard.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vistrel {

// "Vistrel Progress": shows how far a batch has come; its button, Enter or Esc stop it.
// Lives for the whole run; the stop request is the shared flag it is given. It is a window
// of its own, never a child of the window it disables, so it stays usable during the batch;
// while it is shown, RenderGuard knows a batch runs.
class ProgressWindow : public QDialog, public BatchProgress {
  Q_OBJECT
 public:
  explicit ProgressWindow(bool& abortRequested);
  ~ProgressWindow() override;

  // The window a batch runs from, disabled while it runs; the progress window stays above it.
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
  void StayAbove();
  bool& abortRequested_;
  std::unique_ptr<RenderGuard::Hold> hold_;
  QPointer<QWidget> owner_;
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* button_;
};

}  // namespace vistrel
