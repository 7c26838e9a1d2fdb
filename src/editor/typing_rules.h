#pragma once

#include <Qt>

#include "settings/program_settings.h"

namespace vistrel {

constexpr int kSilver = 12632256;  // 0xC0C0C0

// Sets the four colours from colour mode 1 to 4; other modes change nothing (false).
bool SetColourMode(int mode, ColourScheme* scheme);

// One side of the caret: the character there (0 when none) and its colour.
struct CharContext {
  char16_t Char = 0;
  int Colour = 0;
};

// What the typing rules know about the caret just before a keystroke changes the text.
struct CaretContext {
  CharContext Before;
  CharContext After;
};

// Shared by the key-down, character and text-changed steps of one keystroke.
enum PendingKeyCode : int {
  kPendingNone = 0,
  kPendingHandled = 1,
  kPendingBackspace = 8,
  kPendingPaste = 22,
  kPendingCut = 24,
  kPendingDelete = 46,
};

// "!", the double quote, "-", "<" and ">": typing or deleting one may change the colouring.
bool IsTriggerCharacter(char16_t c);

// The colour a character typed at the caret gets before any recolouring.
int ChooseTypedColour(char16_t typed, const CaretContext& context, const ColourScheme& scheme);

// Whether the text change that ends a keystroke calls for recolouring the tag at the caret.
bool ShouldRecolourAfterChange(int pendingKey, const CaretContext& context);

enum class EditorCommand {
  kNone,
  kColourMode,     // Ctrl+1..4, `mode` says which
  kSearchReplace,  // Ctrl+F, Ctrl+R
  kTagTemplate,    // Shift+F1
  kSave,           // Ctrl+S
};

// What a key press means before the editor itself sees it.
struct KeyDecision {
  int pendingKey = kPendingNone;
  EditorCommand command = EditorCommand::kNone;
  int mode = 0;
  bool swallow = false;  // the editor's own handling must not run
};

// The key-down step; the coloured paste (Ctrl+V, Shift+Insert with colouring on) is left to
// the caller, which knows the colouring switch.
KeyDecision DecideKeyDown(int key, Qt::KeyboardModifiers modifiers);

}  // namespace vistrel
