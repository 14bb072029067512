#pragma once
// What a screen reader learns of a window. Most of it the toolkit knows
// already: a window's text is its accessible name (for a window without text
// of its own, the name of the window that labels it), its class gives its
// role (a label's text, a tab strip's page tabs, a scroll bar's value), and
// its enabled and visible states are its states; a form's children are read
// from top to bottom, then left to right, whatever order they were made in.
// A change of text is announced.
//
// What it cannot know is which window names another: the caption beside a
// value, the "Index:" caption before an index box and its scroll bar. Tie
// them, and a screen reader announces the value with its caption.
//
//   ui::SetLabelledBy(value.Hwnd(), caption.Hwnd());   // "Naam:" labels the name's value

#include "window/ui/types.h"

namespace window::ui {

// Ties `window` to `label`, the window whose text names it; a null `label`
// unties it. False (and nothing changed) when `window` is not a window,
// `label` is neither null nor a window, or the chain of labels from `label`
// comes back to `window` (a window labelling itself, or a cycle). A tie to a
// window that is destroyed is gone with it.
bool SetLabelledBy(HWND window, HWND label);
// The window `window` is tied to; nullptr when none (or it is gone).
HWND GetLabelledBy(HWND window);

}  // namespace window::ui
