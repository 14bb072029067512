#pragma once
// Internal: the window classes CreateWindowEx can make.

#include <QWidget>

#include <cstdint>
#include <string_view>

#include "window/qt/ui/registry.h"

namespace window::ui::qt {

struct CreatableClass {
    const WindowClassInfo* info;
    QWidget* (*create)(QWidget* parent, std::uint32_t style);
};

// nullptr for a class name CreateWindowEx does not know.
const CreatableClass* FindCreatableClass(std::wstring_view name);

// The classes, each defined beside its widget.
extern const WindowClassInfo kUserControlClassInfo;
QWidget* CreateUserControlWidget(QWidget* parent, std::uint32_t style);
extern const WindowClassInfo kStaticClassInfo;
QWidget* CreateStaticWidget(QWidget* parent, std::uint32_t style);
extern const WindowClassInfo kToolTipClassInfo;
QWidget* CreateToolTipWidget(QWidget* parent, std::uint32_t style);
extern const WindowClassInfo kTabStripClassInfo;
QWidget* CreateTabStripWidget(QWidget* parent, std::uint32_t style);
// Selects tab `index` of a tab strip as a click would: TCN_SELCHANGING to the
// parent (non-zero cancels), then TCN_SELCHANGE.
void ChangeSelection(HWND window, int index);
// Presses tab `index` as a mouse click does: selects it as ChangeSelection
// unless it is the selected one, then NM_CLICK.
void ClickTab(HWND window, int index);
// Selects tab `index` as a navigation key does: TCN_KEYDOWN with the key,
// then as ChangeSelection.
void SelectTabByKey(HWND window, int index, std::uint16_t virtualKey);
// Ctrl+Tab and Ctrl+Page Down select the next tab of the strip's window,
// Ctrl+Shift+Tab and Ctrl+Page Up the previous one, wherever the focus is in
// that window, as the strip's own navigation keys do; both ends wrap around.
void AddTabSwitchingKeys(QWidget* strip);

}  // namespace window::ui::qt
