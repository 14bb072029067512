#pragma once
// Puts a window procedure of the program's own on a window and takes it off
// again. While installed, the procedure it replaced is kept as a named
// property of the window (`WindowProc` names it), next to the properties
// added with Add, typically the control the window belongs to; a procedure
// finds both with GetProp and passes what it does not handle on with
// CallWindowProc.

#include <string>
#include <string_view>
#include <vector>

#include "window/ui/types.h"

namespace controls {

namespace ui = window::ui;

class Subclassing {
public:
    Subclassing() = default;
    // Takes the procedure off if it is still installed.
    ~Subclassing();
    Subclassing(const Subclassing&) = delete;
    Subclassing& operator=(const Subclassing&) = delete;

    ui::HWND OwnerHwnd() const { return owner_; }
    void SetOwnerHwnd(ui::HWND window) { owner_ = window; }
    const std::wstring& WindowProc() const { return windowProc_; }
    void SetWindowProc(std::wstring_view propertyName) { windowProc_ = propertyName; }
    bool Active() const { return active_; }

    // A property to attach at the next Create.
    void Add(std::wstring_view name, ui::HANDLE value);
    void Clear();

    // Installs `procedure` on OwnerHwnd. False when this object has one
    // installed already (it stays, and Active reads true) or the window's
    // procedure cannot be replaced.
    bool Create(ui::WNDPROC procedure);
    // Puts the replaced procedure back and removes the properties named now;
    // does nothing when nothing is installed.
    void Destroy();

private:
    ui::HWND owner_ = nullptr;
    std::wstring windowProc_;
    bool active_ = false;
    std::vector<std::wstring> names_;
    std::vector<ui::HANDLE> values_;
    ui::WNDPROC previous_ = nullptr;
};

// The procedure a window had before, as Subclassing stored it.
ui::WNDPROC PreviousProcedure(ui::HWND window, std::wstring_view propertyName);

}  // namespace controls
