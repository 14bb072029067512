#pragma once
// Internal: the window classes CreateWindowEx can make.

#include <QWidget>

#include <cstdint>
#include <string_view>

#include "platform/ui/qt/registry.h"

namespace platform::ui::qt {

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

}  // namespace platform::ui::qt
