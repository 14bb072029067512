// The system's accessibility names a control by its window text, and a
// control without text by the static text made just before it. The tie is
// kept here, so the toolkit can answer GetLabelledBy.
#include "window/win32/ui/system_headers.h"

#include "window/ui/accessibility.h"

#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui {

bool SetLabelledBy(HWND window, HWND label) {
    win32::WindowRecord* record = win32::RecordOf(window);
    if (!record || (label && !IsWindow(label))) return false;
    record->labelledBy = label;
    return true;
}

HWND GetLabelledBy(HWND window) {
    const win32::WindowRecord* record = win32::RecordOf(window);
    return record && IsWindow(record->labelledBy) ? record->labelledBy : nullptr;
}

}  // namespace window::ui
