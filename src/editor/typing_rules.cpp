#include "editor/typing_rules.h"

namespace vistrel {

bool SetColourMode(int mode, ColourScheme* scheme) {
  constexpr int kBlack = 0, kBlue = 0xFF0000, kRed = 0x0000FF, kTeal = 0x808000;
  switch (mode) {
    case 1:
      *scheme = {kBlack, kBlue, kRed, kTeal};
      return true;
    case 2:
      *scheme = {kSilver, kBlue, kSilver, kSilver};
      return true;
    case 3:
      *scheme = {kSilver, kSilver, kRed, kSilver};
      return true;
    case 4:
      *scheme = {kBlack, kSilver, kSilver, kSilver};
      return true;
    default:
      return false;
  }
}

bool IsTriggerCharacter(char16_t c) {
  return c == u'!' || c == u'"' || c == u'-' || c == u'<' || c == u'>';
}

int ChooseTypedColour(char16_t typed, const CaretContext& context, const ColourScheme& scheme) {
  const int before = context.Before.Colour;
  const int after = context.After.Colour;
  if (before == scheme.CommentCol && after == scheme.CommentCol) return scheme.CommentCol;
  if (typed == u'-' || typed == u'<' || typed == u'>') return scheme.TagCol;
  if (typed == u'"') return scheme.QuotedCol;
  if (context.After.Char == u'>') return scheme.TagCol;
  if (context.Before.Char == u'<') return scheme.TagCol;
  if (context.Before.Char == u'>') return scheme.TextCol;
  if (before == after) return before;
  if (before == scheme.QuotedCol && after == scheme.TagCol) return scheme.TagCol;
  if (before == scheme.TagCol && after == scheme.TextCol) return scheme.TextCol;
  return before;
}

bool ShouldRecolourAfterChange(int pendingKey, const CaretContext& context) {
  switch (pendingKey) {
    case kPendingNone:
    case kPendingHandled:
    case kPendingPaste:
    case kPendingCut:
      return false;
    case kPendingDelete:
      return IsTriggerCharacter(context.After.Char);
    case kPendingBackspace:
      return IsTriggerCharacter(context.Before.Char);
    default:
      return IsTriggerCharacter(static_cast<char16_t>(pendingKey));
  }
}

KeyDecision DecideKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  KeyDecision d;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  if (ctrl && key >= Qt::Key_1 && key <= Qt::Key_4) {
    d = {kPendingHandled, EditorCommand::kColourMode, key - Qt::Key_0, true};
    return d;
  }
  if (ctrl && (key == Qt::Key_F || key == Qt::Key_R)) {
    d = {kPendingHandled, EditorCommand::kSearchReplace, 0, true};
    return d;
  }
  if (key == Qt::Key_Escape) {
    d.pendingKey = kPendingHandled;
    return d;
  }
  if (shift && key == Qt::Key_F1) {
    d.command = EditorCommand::kTagTemplate;
    d.swallow = true;
    return d;
  }
  if (key == Qt::Key_Backspace) {
    d.pendingKey = kPendingBackspace;
  } else if (key == Qt::Key_Delete) {
    d.pendingKey = kPendingDelete;
  } else if (shift) {
    if (key == Qt::Key_Insert) d.pendingKey = kPendingPaste;
  } else if (ctrl) {
    if (key == Qt::Key_V) {
      d.pendingKey = kPendingPaste;
    } else if (key == Qt::Key_S) {
      d.pendingKey = kPendingHandled;
      d.command = EditorCommand::kSave;
      d.swallow = true;
    } else if (key == Qt::Key_X) {
      d.pendingKey = kPendingCut;
    } else {
      d.pendingKey = kPendingHandled;
    }
  }
  return d;
}

}  // namespace vistrel
