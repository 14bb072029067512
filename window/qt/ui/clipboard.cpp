#include "window/ui/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "window/qt/ui/registry.h"

namespace window::ui {

bool SetClipboardText(HWND /*owner*/, std::wstring_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setText(qt::ToQString(text), QClipboard::Clipboard);
    return true;
}

std::wstring GetClipboardText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(QClipboard::Clipboard).toStdWString() : std::wstring();
}

}  // namespace window::ui
