#include "save_writers.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include "core/prompter.h"
#include "core/text_file.h"
#include "editor/source_editor.h"
#include "editor/source_file.h"
#include "filelists/file_operations.h"
#include "filelists/list_file.h"
#include "settings/ini_profile.h"
#include "settings/program_settings.h"
#include "snapshots/snapshot_save.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_naming.h"
#include "thumbnails/thumb_store.h"

namespace vistrel::safety {
namespace {

// Keeps what the writer shows so the helper can print it for the parent test.
class CollectedMessages : public Prompter {
 public:
  QString shown;
  void Information(const QString& text) override { shown += text; }
  void Error(const QString& text) override { shown += text; }
  int Question(const QString&, QuestionButtons) override { return kAnswerYes; }
  void Beep() override {}
  QStringList OpenFiles(const FileDialogRequest&) override { return {}; }
  QString SaveFile(const FileDialogRequest&) override { return {}; }
  QString Folder(const FileDialogRequest&) override { return {}; }
};

QString Lines(int generation, int count, const char* shape) {
  QString text;
  text.reserve(count * 64);
  for (int i = 0; i < count; ++i) text += QString::fromLatin1(shape).arg(generation).arg(i);
  return text;
}

QImage Picture(int generation, int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  image.fill(QColor::fromHsv((generation * 97) % 360, 200, 220));
  QPainter painter(&image);
  for (int y = 0; y < height; y += 16)
    painter.fillRect(0, y, width, 8, QColor::fromHsv((generation * 31 + y) % 360, 255, 128));
  return image;
}

const char kPage[] = "page.html";

std::vector<SaveWriter> MakeWriters() {
  std::vector<SaveWriter> writers;
  writers.push_back(
      {QStringLiteral("text"),
       [](const QString& f) -> QString { return f + QStringLiteral("big.txt"); },
       [](const QString& f, int g, const QString&) {
         const QByteArray bytes =
             Lines(g, 120000, "generation %1 line %2 of the plain text file\n").toUtf8();
         return [path = QString(f + QStringLiteral("big.txt")), bytes](QString* message) {
           return WriteFileAtomically(path, bytes, message);
         };
       }});
  writers.push_back({QStringLiteral("editor"),
                     [](const QString& f) -> QString { return f + QStringLiteral("page.html"); },
                     [](const QString& f, int g, const QString&) {
                       auto settings = std::make_shared<ProgramSettings>();
                       settings->DoColorTags = false;
                       auto editor = std::make_shared<SourceEditor>(*settings);
                       SourceFile file;
                       file.text = Lines(g, 8000, "<p class=\"g%1\">line %2</p>\u2029");
                       editor->LoadSource(file);
                       return [path = QString(f + QStringLiteral("page.html")), settings,
                               editor](QString* message) {
                         CollectedMessages prompter;
                         const bool ok = editor->WriteToFile(path, prompter);
                         *message = prompter.shown;
                         return ok;
                       };
                     },
                     true, false});
  writers.push_back({QStringLiteral("settings"),
                     [](const QString& f) -> QString { return f + QStringLiteral("prg.ini"); },
                     [](const QString& f, int g, const QString&) {
                       auto ini = std::make_shared<IniProfile>(IniProfile::FromText(
                           Lines(g, 12000, "[SECTION%2]\nKey=generation %1 value %2\n"),
                           f + QStringLiteral("prg.ini")));
                       ProgramSettings settings;
                       settings.LastSearch = QString::number(g);
                       SaveProgramSettings(settings, QStringLiteral("/site/"), *ini);
                       return [ini](QString* message) { return ini->Save(message); };
                     }});
  writers.push_back(
      {QStringLiteral("list"),
       [](const QString& f) -> QString { return f + QStringLiteral("pages.lst"); },
       [](const QString& f, int g, const QString&) {
         const QStringList lines =
             Lines(g, 100000, "page%2.html*%1*2024-01-01 10:00*/site/g%1/*/site/g%1/page%2.html\n")
                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
         return [path = QString(f + QStringLiteral("pages.lst")), lines](QString* message) {
           return WriteListFile(path, lines, message);
         };
       }});
  writers.push_back(
      {QStringLiteral("thumbnail"),
       [](const QString& f) -> QString { return ThumbPathOf(f, f + QLatin1String(kPage)); },
       [](const QString& f, int g, const QString&) {
         auto cache = std::make_shared<ThumbCache>(10);
         const QImage page = Picture(g, 1024, 768);
         auto store = std::make_shared<ThumbStore>(f, *cache,
                                                   [page](const QString&, QSize) { return page; });
         store->SetRenderSize(page.size());
         QFile(f + QLatin1String(kPage)).open(QIODevice::WriteOnly);
         return [store, cache, file = QString(f + QLatin1String(kPage))](QString*) {
           return store->MakeThumb(file);
         };
       },
       false, false});
  writers.push_back(
      {QStringLiteral("snapshot"),
       [](const QString& f) -> QString { return f + QStringLiteral("shot.bmp"); },
       [](const QString& f, int g, const QString&) {
         auto image = std::make_shared<QImage>(Picture(g, 2400, 1800));
         return [path = QString(f + QStringLiteral("shot.bmp")), image](QString* message) {
           CollectedMessages prompter;
           const bool ok = SaveSnapshot(
               path, SnapshotFormat::kBmp, false, *image, prompter, [](const QString&) {}, 0);
           *message = prompter.shown;
           return ok;
         };
       }});
  writers.push_back(
      {QStringLiteral("copy"),
       [](const QString& f) -> QString { return f + QStringLiteral("copy.bin"); },
       [](const QString& f, int g, const QString& scratch) {
         const QString source = scratch + QStringLiteral("source%1.bin").arg(g);
         if (!QFile::exists(source)) {
           QFile out(source);
           if (out.open(QIODevice::WriteOnly))
             out.write(Lines(g, 200000, "generation %1 block %2 of the copied file\n").toUtf8());
         }
         return [source, target = QString(f + QStringLiteral("copy.bin"))](QString*) {
           return CopyFileKeepDate(source, target);
         };
       },
       false, false});
  return writers;
}

}  // namespace

const std::vector<SaveWriter>& SaveWriters() {
  static const std::vector<SaveWriter> writers = MakeWriters();
  return writers;
}

const SaveWriter* FindSaveWriter(const QString& name) {
  for (const SaveWriter& writer : SaveWriters())
    if (writer.name == name) return &writer;
  return nullptr;
}

}  // namespace vistrel::safety
