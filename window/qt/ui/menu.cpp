#include "window/ui/menu.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QMetaObject>
#include <QCoreApplication>

#include <algorithm>
#include <unordered_map>

#include "window/ui/messages.h"
#include "window/qt/ui/menu_model.h"
#include "window/qt/ui/registry.h"
#include "window/ui/window.h"

namespace window::ui {

namespace qt {

namespace {

struct MenuTable {
    std::unordered_map<std::uintptr_t, MenuModel> menus;
    std::uintptr_t next = 1;
};

MenuTable& Table() {
    static MenuTable table;
    return table;
}

// The system's separator has an identifier no program entry can have, so
// deleting the program's identifier 0 never removes it.
constexpr UINT kSystemSeparatorId = 0xFFFFFFF0;

struct SystemEntryText {
    WPARAM id;
    const wchar_t* english;
    const wchar_t* dutch;
};

// The program's language (the default locale, which Application::UseLanguage
// sets; otherwise the desktop's) decides the system's entries.
constexpr SystemEntryText kSystemEntries[] = {
    {SC_RESTORE, L"&Restore", L"&Vorige grootte"},
    {SC_MINIMIZE, L"Mi&nimize", L"Mi&nimaliseren"},
    {SC_MAXIMIZE, L"Ma&ximize", L"Ma&ximaliseren"},
    {SC_CLOSE, L"&Close\tAlt+F4", L"&Sluiten\tAlt+F4"},
};

std::vector<MenuEntry> SystemEntries() {
    const bool dutch = QLocale().language() == QLocale::Dutch;
    std::vector<MenuEntry> entries;
    for (const SystemEntryText& entry : kSystemEntries) {
        if (entry.id == SC_CLOSE) entries.push_back({kSystemSeparatorId, MF_SEPARATOR, L"", true});
        entries.push_back({static_cast<UINT>(entry.id), MF_STRING, dutch ? entry.dutch : entry.english, true});
    }
    return entries;
}

// The system's entries are enabled as the window's state allows.
UINT SystemEntryFlags(const MenuModel& menu, const MenuEntry& entry) {
    const WindowRecord* record = FindRecord(menu.window);
    if (!record || !entry.system || (entry.flags & MF_SEPARATOR)) return entry.flags;
    const QWidget* widget = record->widget;
    const bool minimized = widget->isMinimized();
    const bool maximized = widget->isMaximized();
    bool enabled = true;
    switch (entry.id) {
        case SC_RESTORE: enabled = minimized || maximized; break;
        case SC_MINIMIZE: enabled = (record->style & WS_MINIMIZEBOX) && !minimized; break;
        case SC_MAXIMIZE: enabled = (record->style & WS_MAXIMIZEBOX) && !maximized; break;
        default: break;
    }
    return (entry.flags & ~MF_GRAYED) | (enabled ? 0 : MF_GRAYED);
}

MenuEntry* FindEntry(MenuModel& menu, UINT item, UINT flags) {
    if (flags & MF_BYPOSITION) {
        if (item >= menu.entries.size()) return nullptr;
        return &menu.entries[item];
    }
    auto found = std::find_if(menu.entries.begin(), menu.entries.end(), [&](const MenuEntry& e) { return e.id == item; });
    return found == menu.entries.end() ? nullptr : &*found;
}

}  // namespace

MenuModel* FindMenu(HMENU menu) {
    MenuTable& table = Table();
    auto found = table.menus.find(reinterpret_cast<std::uintptr_t>(menu));
    return found == table.menus.end() ? nullptr : &found->second;
}

void ForgetMenusOf(HWND window) {
    MenuTable& table = Table();
    std::erase_if(table.menus, [&](const auto& pair) { return pair.second.window == window; });
}

}  // namespace qt

HMENU GetSystemMenu(HWND window, bool revert) {
    qt::WindowRecord* record = qt::FindRecord(window);
    if (!record || !record->widget->isWindow() || !(record->style & WS_SYSMENU)) return nullptr;
    qt::MenuModel* existing = qt::FindMenu(record->systemMenu);
    if (revert) {
        if (existing) existing->entries = qt::SystemEntries();
        return nullptr;
    }
    if (existing) return record->systemMenu;
    qt::MenuTable& table = qt::Table();
    const std::uintptr_t key = table.next++;
    table.menus.emplace(key, qt::MenuModel{window, qt::SystemEntries()});
    record->systemMenu = reinterpret_cast<HMENU>(key);
    return record->systemMenu;
}

bool AppendMenu(HMENU menu, UINT flags, UINT id, std::wstring_view text) {
    qt::MenuModel* model = qt::FindMenu(menu);
    if (!model) return false;
    const UINT kept = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR);
    model->entries.push_back({id, kept, (flags & MF_SEPARATOR) ? std::wstring() : std::wstring(text), false});
    return true;
}

bool DeleteMenu(HMENU menu, UINT item, UINT flags) {
    qt::MenuModel* model = qt::FindMenu(menu);
    if (!model) return false;
    qt::MenuEntry* entry = qt::FindEntry(*model, item, flags);
    if (!entry) return false;
    model->entries.erase(model->entries.begin() + (entry - model->entries.data()));
    return true;
}

bool SetMenuItemInfo(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO& info) {
    qt::MenuModel* model = qt::FindMenu(menu);
    if (!model) return false;
    qt::MenuEntry* entry = qt::FindEntry(*model, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!entry) return false;
    if (info.fMask & MIIM_TYPE) {
        const bool separator = info.fType & MFT_SEPARATOR;
        entry->flags = (entry->flags & ~MF_SEPARATOR) | (separator ? MF_SEPARATOR : 0);
        entry->text = separator ? std::wstring() : info.text;
    }
    if (info.fMask & MIIM_STATE) {
        entry->flags &= ~(MF_GRAYED | MF_DISABLED | MF_CHECKED);
        if ((info.fState & MFS_GRAYED) != 0) entry->flags |= MF_GRAYED;
        if (info.fState & MFS_CHECKED) entry->flags |= MF_CHECKED;
    }
    if (info.fMask & MIIM_ID) entry->id = info.wID;
    return true;
}

int GetMenuItemCount(HMENU menu) {
    const qt::MenuModel* model = qt::FindMenu(menu);
    return model ? static_cast<int>(model->entries.size()) : -1;
}

int GetMenuItemID(HMENU menu, int position) {
    const qt::MenuModel* model = qt::FindMenu(menu);
    if (!model || position < 0 || position >= static_cast<int>(model->entries.size())) return -1;
    return static_cast<int>(model->entries[static_cast<std::size_t>(position)].id);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    qt::MenuModel* model = qt::FindMenu(menu);
    if (!model) return 0xFFFFFFFFu;
    const qt::MenuEntry* entry = qt::FindEntry(*model, item, flags);
    return entry ? qt::SystemEntryFlags(*model, *entry) : 0xFFFFFFFFu;
}

std::wstring GetMenuString(HMENU menu, UINT item, UINT flags) {
    qt::MenuModel* model = qt::FindMenu(menu);
    if (!model) return {};
    const qt::MenuEntry* entry = qt::FindEntry(*model, item, flags);
    return entry ? entry->text : std::wstring();
}

bool ShowWindowMenu(HWND window, POINT clientPoint) {
    qt::WindowRecord* record = qt::FindRecord(window);
    if (!record) return false;
    const HWND root = GetAncestor(window, GA_ROOT);
    const HMENU handle = GetSystemMenu(root, false);
    qt::MenuModel* model = qt::FindMenu(handle);
    if (!model) return false;
    QWidget* rootWidget = qt::WidgetOf(root);
    auto* popup = new QMenu(rootWidget);
    popup->setObjectName(QStringLiteral("windowMenu"));
    popup->setAttribute(Qt::WA_DeleteOnClose);
    for (const qt::MenuEntry& entry : model->entries) {
        const UINT flags = qt::SystemEntryFlags(*model, entry);
        if (flags & MF_SEPARATOR) {
            popup->addSeparator();
            continue;
        }
        QAction* action = popup->addAction(qt::ToQString(entry.text));
        action->setObjectName(QStringLiteral("windowMenuItem%1").arg(entry.id));
        action->setEnabled(!(flags & (MF_GRAYED | MF_DISABLED)));
        if (flags & MF_CHECKED) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        const UINT id = entry.id;
        // The command arrives once the menu has closed, as it would from the
        // system's own menu.
        QObject::connect(action, &QAction::triggered, QCoreApplication::instance(), [root, id] {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [root, id] { SendMessage(root, WM_SYSCOMMAND, id, 0); }, Qt::QueuedConnection);
        });
    }
    popup->popup(record->widget->mapToGlobal(QPoint(clientPoint.x, clientPoint.y)));
    return true;
}

}  // namespace window::ui
