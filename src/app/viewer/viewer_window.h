#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

namespace vistrel {

class BrowserProfile;
class BrowserView;
class ColourButtons;
class Prompter;
class SearchReplaceDialog;
class SourceEditor;
class ViewerHost;
struct Style;
struct MainWindowState;
struct ProgramSettings;

// The viewer window: the program's only browser pane and only source editor, on two pages.
// It lives for the whole run and is shown modally; the main window borrows its panes.
class ViewerWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHistoryDepth = 10;
  static constexpr const char* kUnsaved = " --- UNSAVED ---";

  ViewerWindow(ProgramSettings& settings, MainWindowState& state, Prompter& prompter,
               BrowserProfile& profile, ViewerHost& host, QWidget* parent = nullptr);
  ~ViewerWindow() override;

  BrowserView* browser() const { return browser_; }
  SourceEditor* editor() const { return editor_; }
  void SetTagSyntaxList(const QStringList& lines) { tagSyntax_ = lines; }
  // The formatter style, loaded once when the main window is first shown.
  void SetStyle(const Style& style);
  // Right clicks on both panes open the main window's file pop-up menu.
  void SetContextMenu(QMenu* menu);

  // Puts both panes back onto their pages.
  void TakeBackPanes();

  // The file into both panes (pictures only into the browser); throws when the browser
  // cannot find it, leaving the editor and the state as they were.
  void LoadPreview(const QString& file);
  void ClearPreview();

  void SetREToModified();
  void SetREToNotModified();
  void SetButtonState();

  void BSaveClick();
  bool SaveEditorFile(const QString& fileName);
  void SaveEditorFileAs(const QString& fileName);
  void BFormatClick();
  void BReloadClick();
  void ShowTagHint();
  void CopyFromEditToRichEdit();
  void StartSearchReplace();

  QTabWidget* pages() const { return pages_; }
  QLineEdit* hintBox() const { return hintBox_; }
  QLabel* urlLabel() const { return urlLabel_; }
  QPushButton* saveButton() const { return saveButton_; }
  QPushButton* formatButton() const { return formatButton_; }
  QPushButton* backButton() const { return backButton_; }
  QPushButton* forwardButton() const { return forwardButton_; }
  QPushButton* snapButton() const { return snapButton_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QWidget* BuildBrowserPage();
  QWidget* BuildEditorPage();
  void OnLinkClicked(const QString& target, const QString& url, bool* cancel);
  void OnLinkHovered(const QString& target, const QString& url);
  void OnHistoryChanged();
  bool FileOpen() const;
  void SetCaption();

  ProgramSettings& settings_;
  MainWindowState& state_;
  Prompter& prompter_;
  ViewerHost& host_;
  QStringList tagSyntax_;
  std::unique_ptr<Style> style_;
  bool formatting_ = false;
  bool startsHistory_ = false;
  QTabWidget* pages_ = nullptr;
  QWidget* browserPage_ = nullptr;
  QWidget* editorPage_ = nullptr;
  BrowserView* browser_ = nullptr;
  SourceEditor* editor_ = nullptr;
  ColourButtons* colourButtons_ = nullptr;
  SearchReplaceDialog* search_ = nullptr;
  QLabel* urlLabel_ = nullptr;
  QLineEdit* hintBox_ = nullptr;
  QPushButton* backButton_ = nullptr;
  QPushButton* forwardButton_ = nullptr;
  QPushButton* reloadButton_ = nullptr;
  QPushButton* snapButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* formatButton_ = nullptr;
};

}  // namespace vistrel
