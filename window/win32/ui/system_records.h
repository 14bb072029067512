#pragma once
// Internal: the messages whose parameters point to records, turned from the
// vocabulary's records (owned strings, the toolkit's handles) into the
// system's and back, for the tab strip and the tooltip window.

#include "window/win32/ui/system_headers.h"

#include <optional>

#include "window/win32/ui/registry.h"

namespace window::ui::win32 {

// The system control's answer to a record message the toolkit sent it;
// nothing for a message that carries no record.
std::optional<LRESULT> SendRecordMessage(const WindowRecord& record, ::HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam);

}  // namespace window::ui::win32
