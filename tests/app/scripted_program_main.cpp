// The program as it starts, with one step scripted once it is active: the Thumbnail View is
// opened and thumbnails of every file of the start folder are made, as Make Thumbs would.
#include <QTimer>

#include "app/ui/file_commands.h"
#include "app/ui/main_window.h"
#include "app/ui/page_switcher.h"
#include "app/ui/program_run.h"
#include "app/ui/status_text.h"
#include "app/ui/vistrel_application.h"
#include "core/headless.h"
#include "thumbnails/thumbnail_page.h"

namespace {

void MakeThumbsOnceActive(vistrel::MainWindow& window) {
  if (window.StartingUp()) {
    QTimer::singleShot(20, &window, [&window] { MakeThumbsOnceActive(window); });
    return;
  }
  window.pages()->RequestPage(vistrel::kThumbnailViewPage);
  window.thumbnailPage()->SelectAll();
  window.fileCommands().MakeOrClearThumbs(true);
}

}  // namespace

int main(int argc, char** argv) {
  vistrel::PrepareHeadlessEnvironment(/*forceOffscreen=*/true);
  vistrel::VistrelApplication app(argc, argv);
  return vistrel::RunProgram(app, MakeThumbsOnceActive);
}
