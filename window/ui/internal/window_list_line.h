#pragma once
// Internal to the toolkit (both sides): one line of the window list, the
// test hook that VELTRIX_WINDOW_LIST=<file> turns on. Both sides write the
// same line, so that the end-to-end checks can hold one side's list against
// the other's.
//
// The line: name, class, rectangle, state and text, separated by tabs and
// ended by a newline:
//
//   <name>\t<class>\t<left>,<top>,<right>,<bottom>\t<shown|hidden>\t<text>\n
//
// The rectangle is in the form's client pixels, right and bottom exclusive
// (the form's own line is its client area, from 0,0). "shown" means the
// window and all its parents are shown. Name, class and text are UTF-8; a
// backslash, tab, carriage return or newline in them is written \\, \t, \r
// or \n, so one window is always one line. The class is the side's own
// ("Static" on one side, the Qt side's class names on the other): the sides
// compare on name, rectangle, state and text.

#include <string>
#include <string_view>

#include "window/ui/types.h"

namespace window::ui {

std::string WindowListLine(std::wstring_view name, std::wstring_view className, const RECT& area, bool shown,
                           std::wstring_view text);

// The file the list goes to: VELTRIX_WINDOW_LIST, or nullptr when it is not
// set (the hook is off).
const char* WindowListPath();

// Writes the whole list to `path`: first to "<path>.part", then renamed
// into place, so that a reader who sees the file sees every line of it
// (the checks wait for the file to appear and read it at once). False, and
// nothing at `path`, when it cannot be written.
bool WriteWindowListFile(const char* path, const std::string& lines);

}  // namespace window::ui
