// Opening coloured files, a typed ">" and caret moves in multi-line and one-line files beside
// the bare control, and the RTF builder's speed. Every time is given by the wall clock and by
// the process's CPU time, which other work on a shared machine does not inflate.
// usage: editor_bench SMALL.htm MEDIUM.htm LARGE.htm RTF_INPUT.htm ONE_LINE.htm ONE_LINE_1MB.htm
//        [HOSTILE_FILE...]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

#include "core/text_file.h"
#include "editor/colour_scanner.h"
#include "editor/coloured_rtf.h"
#include "editor/source_editor.h"

using namespace vistrel;

namespace {

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Ms {
  double wall = 0;
  double cpu = 0;
};

// Runs step up to `runs` times (fewer once a run takes longer than `enough` ms) and gives the
// median of each clock.
Ms Measure(int runs, double enough, const std::function<void()>& prepare,
           const std::function<void()>& step) {
  std::vector<double> wall, cpu;
  for (int run = 0; run < runs; ++run) {
    if (prepare) prepare();
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = CpuMs();
    step();
    wall.push_back(timer.nsecsElapsed() / 1e6);
    cpu.push_back(CpuMs() - cpuStart);
    if (wall.back() > enough) break;
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

QString ReadText(const QString& file) {
  QByteArray bytes;
  ReadWholeFile(file, &bytes);
  return DecodeText(bytes).text;
}

// Where the keystrokes go: before a tag near the middle of the text.
int Middle(const QString& text) {
  const qsizetype at = text.indexOf(u'<', text.size() / 2);
  return static_cast<int>(at < 0 ? text.size() / 2 : at);
}

void PlaceCaret(QPlainTextEdit& edit, int pos) {
  QTextCursor cursor = edit.textCursor();
  cursor.setPosition(pos);
  edit.setTextCursor(cursor);
  QApplication::processEvents();
}

// Load until the first coloured paint is done and the editor takes keys.
Ms Open(SourceEditor& editor, const QString& file) {
  return Measure(3, 5000, {}, [&] {
    editor.LoadIntoEditor(file);
    editor.repaint();
    QApplication::processEvents();
  });
}

// A ">" typed before a tag in the middle of the file and painted, undone between the runs.
Ms TypeBracket(QPlainTextEdit& edit) {
  const int middle = Middle(edit.toPlainText());
  const Ms key = Measure(
      15, 200,
      [&] {
        edit.undo();
        PlaceCaret(edit, middle);
      },
      [&] {
        QTest::keyClick(&edit, '>');
        edit.repaint();
      });
  edit.undo();
  return key;
}

// One step right or left in the middle of the file, with the tag lookup the hint line makes
// on every caret move, and the repaint.
Ms CaretMove(SourceEditor& editor) {
  PlaceCaret(editor, Middle(editor.EditorText()));
  int run = 0;
  return Measure(15, 200, {}, [&] {
    QTest::keyClick(&editor, ++run % 2 ? Qt::Key_Right : Qt::Key_Left);
    editor.FindTagAround(editor.SelectionStart());
    editor.repaint();
  });
}

// The bare control with the same text: no colours, no hint, the floor for the same work.
struct Bare {
  Ms open, key;
};
Bare BareControl(const QString& file) {
  QPlainTextEdit plain;
  plain.setLineWrapMode(QPlainTextEdit::NoWrap);
  plain.resize(1000, 700);
  plain.show();
  Bare bare;
  bare.open = Measure(3, 5000, {}, [&] {
    plain.setPlainText(ReadText(file));
    plain.repaint();
    QApplication::processEvents();
  });
  bare.key = TypeBracket(plain);
  return bare;
}

const char* KindOf(const QString& file, const QStringList& oneLine) {
  return oneLine.contains(file) ? "one-line" : "lines";
}

// usage: editor_bench --round-trip FILE...: each file loaded, saved unchanged, and saved after
// a typed character and its undo, must give its bytes back.
int RoundTrip(int count, char** files) {
  ProgramSettings settings;
  SourceEditor editor(settings);
  editor.show();
  int failed = 0;
  for (int i = 0; i < count; ++i) {
    const QString file = QString::fromLocal8Bit(files[i]);
    QByteArray bytes;
    if (!ReadWholeFile(file, &bytes) || !editor.LoadIntoEditor(file)) continue;
    bool same = editor.BytesForSaving() == bytes;
    PlaceCaret(editor, Middle(editor.toPlainText()));
    QTest::keyClick(&editor, '>');
    editor.undo();
    same = same && editor.BytesForSaving() == bytes;
    if (!same) std::printf("changed on saving: %s\n", files[i]);
    failed += same ? 0 : 1;
  }
  std::printf("round trip: %d of %d files saved byte for byte\n", count - failed, count);
  return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc > 1 && std::strcmp(argv[1], "--round-trip") == 0) return RoundTrip(argc - 2, argv + 2);
  if (argc < 7) {
    std::fprintf(stderr,
                 "usage: editor_bench SMALL MEDIUM LARGE RTF_INPUT ONE_LINE ONE_LINE_1MB "
                 "[FILE...]\n");
    return 2;
  }
  const QString small = QString::fromLocal8Bit(argv[1]), medium = QString::fromLocal8Bit(argv[2]);
  const QString large = QString::fromLocal8Bit(argv[3]), rtfInput = QString::fromLocal8Bit(argv[4]);
  const QStringList oneLine = {QString::fromLocal8Bit(argv[6]), QString::fromLocal8Bit(argv[5])};
  ProgramSettings settings;
  SourceEditor editor(settings);
  editor.resize(1000, 700);
  editor.show();
  editor.setFocus();
  QApplication::processEvents();

  // One line per case: what, kind, size, then "wall ms cpu ms" for ours and for the bare
  // control (run_bench.sh reads the fields by position).
  for (const QString& file : QStringList{small, medium, large} + oneLine) {
    const double mb = QFile(file).size() / 1e6;
    const char* kind = KindOf(file, oneLine);
    const Bare bare = BareControl(file);
    const Ms open = Open(editor, file);
    QByteArray bytes;
    ReadWholeFile(file, &bytes);
    const bool unchanged = editor.BytesForSaving() == bytes;
    const Ms key = TypeBracket(editor);
    const Ms caret = CaretMove(editor);
    std::printf(
        "open %s %.2f MB: %.1f ms cpu %.1f ms   bare QPlainTextEdit: %.1f ms cpu %.1f ms   "
        "saves unchanged: %s\n",
        kind, mb, open.wall, open.cpu, bare.open.wall, bare.open.cpu, unchanged ? "yes" : "NO");
    std::printf("key %s %.2f MB: %.3f ms cpu %.3f ms   bare QPlainTextEdit: %.3f ms cpu %.3f ms\n",
                kind, mb, key.wall, key.cpu, bare.key.wall, bare.key.cpu);
    std::printf("caret %s %.2f MB: %.3f ms cpu %.3f ms\n", kind, mb, caret.wall, caret.cpu);
  }

  const QString text = ReadText(rtfInput);
  const double mb = text.toUtf8().size() / 1e6;
  qsizetype sizes = 0;
  const Ms scan = Measure(5, 1e9, {}, [&] { sizes += ScanColourRuns(text).size(); });
  const Ms rtf = Measure(5, 1e9, {}, [&] {
    sizes += BuildColouredRtf(text, ColourScheme(), TextEncoding::kUtf8).size();
  });
  if (sizes == 0) return 1;
  std::printf("scanner %.2f MB: %.1f MB/s cpu %.1f MB/s\n", mb, mb / scan.wall * 1e3,
              mb / scan.cpu * 1e3);
  std::printf("rtf %.2f MB: %.3f s cpu %.3f s\n", mb, rtf.wall / 1e3, rtf.cpu / 1e3);

  // Hostile files: open, type in the middle, undo, and check that saving gives the bytes back.
  for (int i = 7; i < argc; ++i) {
    const QString file = QString::fromLocal8Bit(argv[i]);
    const Ms open = Open(editor, file);
    const Ms key = TypeBracket(editor);
    QByteArray bytes;
    ReadWholeFile(file, &bytes);
    std::printf("%s: open %.1f ms, typed '>' %.3f ms, saves unchanged: %s\n",
                QFileInfo(file).fileName().toLocal8Bit().constData(), open.wall, key.wall,
                editor.BytesForSaving() == bytes ? "yes" : "NO");
  }
  return 0;
}
