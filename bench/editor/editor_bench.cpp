// Opening coloured files, a typed ">" in small and large files, and the RTF builder's speed.
// usage: editor_bench SMALL.htm MEDIUM.htm LARGE.htm RTF_INPUT.htm [HOSTILE_FILE...]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/text_file.h"
#include "editor/colour_scanner.h"
#include "editor/coloured_rtf.h"
#include "editor/source_editor.h"

using namespace vistrel;

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Load until the first coloured paint is done and the editor takes keys.
double OpenMs(SourceEditor& editor, const QString& file) {
  std::vector<double> times;
  for (int run = 0; run < 3; ++run) {
    QElapsedTimer timer;
    timer.start();
    if (run > 0 && times.back() > 5000) break;
    editor.LoadIntoEditor(file);
    editor.repaint();
    QApplication::processEvents();
    times.push_back(timer.nsecsElapsed() / 1e6);
  }
  return *std::min_element(times.begin(), times.end());
}

// The bare control with the same text and no colours, the floor for opening.
double PlainOpenMs(const QString& file) {
  QPlainTextEdit plain;
  plain.setLineWrapMode(QPlainTextEdit::NoWrap);
  plain.resize(1000, 700);
  plain.show();
  std::vector<double> times;
  for (int run = 0; run < 3; ++run) {
    QElapsedTimer timer;
    timer.start();
    QByteArray bytes;
    ReadWholeFile(file, &bytes);
    plain.setPlainText(DecodeText(bytes).text);
    plain.repaint();
    QApplication::processEvents();
    times.push_back(timer.nsecsElapsed() / 1e6);
  }
  return *std::min_element(times.begin(), times.end());
}

struct KeyTimes {
  double key;
  double keyAndPaint;
};

// A ">" typed before a tag in the middle of the file, undone between the runs.
KeyTimes TypeBracketUs(SourceEditor& editor, const QString& file) {
  editor.LoadIntoEditor(file);
  const QString text = editor.EditorText();
  qsizetype middle = text.indexOf(u'<', text.size() / 2);
  if (middle < 0) middle = text.size() / 2;
  std::vector<double> key, keyPaint;
  for (int run = 0; run < 31; ++run) {
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(static_cast<int>(middle));
    editor.setTextCursor(cursor);
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(&editor, '>');
    key.push_back(timer.nsecsElapsed() / 1e3);
    editor.repaint();
    keyPaint.push_back(timer.nsecsElapsed() / 1e3);
    editor.undo();
    if (run >= 4 && keyPaint.back() > 200000) break;  // a huge line: a few runs tell enough
  }
  return {Median(key), Median(keyPaint)};
}

QString ReadText(const QString& file) {
  QByteArray bytes;
  ReadWholeFile(file, &bytes);
  return DecodeText(bytes).text;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc < 5) {
    std::fprintf(stderr, "usage: editor_bench SMALL MEDIUM LARGE RTF_INPUT\n");
    return 2;
  }
  const QString small = QString::fromLocal8Bit(argv[1]), medium = QString::fromLocal8Bit(argv[2]);
  const QString large = QString::fromLocal8Bit(argv[3]), rtfInput = QString::fromLocal8Bit(argv[4]);
  ProgramSettings settings;
  SourceEditor editor(settings);
  editor.resize(1000, 700);
  editor.show();
  editor.setFocus();
  QApplication::processEvents();

  for (const QString& file : {medium, large}) {
    std::printf("open coloured, %6.2f MB: %8.1f ms   (bare QPlainTextEdit, no colours: %8.1f ms)\n",
                QFile(file).size() / 1e6, OpenMs(editor, file), PlainOpenMs(file));
  }
  for (const QString& file : {small, large}) {
    const KeyTimes t = TypeBracketUs(editor, file);
    std::printf("typed '>' mid-file, %6.2f MB: %8.1f us (with repaint %8.1f us)\n",
                QFile(file).size() / 1e6, t.key, t.keyAndPaint);
  }

  const QString text = ReadText(rtfInput);
  const double mb = text.toUtf8().size() / 1e6;
  std::vector<double> scan, rtf;
  for (int run = 0; run < 5; ++run) {
    QElapsedTimer timer;
    timer.start();
    const auto runs = ScanColourRuns(text);
    scan.push_back(timer.nsecsElapsed() / 1e9);
    timer.restart();
    const QByteArray out = BuildColouredRtf(text, ColourScheme(), TextEncoding::kUtf8);
    rtf.push_back(timer.nsecsElapsed() / 1e9);
    if (out.isEmpty() || runs.empty()) return 1;
  }
  std::printf("scanner, %.2f MB: %8.1f MB/s\n", mb, mb / Median(scan));
  std::printf("BuildColouredRtf, %.2f MB: %8.1f MB/s\n", mb, mb / Median(rtf));

  // Hostile files: open, type in the middle, undo, and check that saving gives the bytes back.
  for (int i = 5; i < argc; ++i) {
    const QString file = QString::fromLocal8Bit(argv[i]);
    const double open = OpenMs(editor, file);
    const KeyTimes t = TypeBracketUs(editor, file);
    QByteArray bytes;
    ReadWholeFile(file, &bytes);
    std::printf("%s: open %.1f ms, typed '>' %.1f us, saves unchanged: %s\n",
                QFileInfo(file).fileName().toLocal8Bit().constData(), open, t.keyAndPaint,
                editor.BytesForSaving() == bytes ? "yes" : "NO");
  }
  return 0;
}
