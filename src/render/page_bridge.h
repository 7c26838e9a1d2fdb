#pragma once

#include <QString>
#include <optional>

namespace vistrel {

// The page reports link hovers, link clicks and finished painting through console messages
// that start with a tag only this view knows; the scripts run in a world of their own, so
// the page's scripts neither see nor disturb them.
struct BridgeMessage {
  enum class Kind { kHover, kClick, kJump, kPainted, kSettled };
  Kind kind = Kind::kHover;
  QString target;    // the link's target frame, empty for none
  QString url;       // the link's address as written in the page
  QString resolved;  // the same made absolute
  QString frame;     // address of the document (frame) that holds the link
  int id = 0;        // which paint request a kPainted/kSettled answers
};

// A tag that a page cannot guess.
QString NewBridgeTag();

// Installed in every frame before the page's own scripts run.
QString BridgeScript(const QString& tag);

// Asks the main frame to report kPainted once its pictures and fonts are ready and two
// frames have been drawn after that, then kSettled two frames later. Unasked, every new
// main-frame document reports kPainted with id 0 after its first two frames.
QString PaintRequestScript(int id);

// Sets the default-colours style sheet in the current document (and, installed as a
// document-creation script, in every document to come).
QString StyleSheetScript(const QString& css);

// The message carried by a console line, or nothing when the line is not ours.
std::optional<BridgeMessage> ParseBridgeMessage(const QString& line, const QString& tag);

}  // namespace vistrel
