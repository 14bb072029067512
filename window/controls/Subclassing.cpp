#include "window/controls/Subclassing.h"

#include "window/ui/window.h"

namespace controls {

Subclassing::~Subclassing() { Destroy(); }

void Subclassing::Add(std::wstring_view name, ui::HANDLE value) {
    names_.emplace_back(name);
    values_.push_back(value);
}

void Subclassing::Clear() {
    names_.clear();
    values_.clear();
}

bool Subclassing::Create(ui::WNDPROC procedure) {
    active_ = false;
    if (previous_) {
        active_ = true;
        return false;
    }
    previous_ = ui::SetWindowProc(owner_, procedure);
    if (!previous_) return false;
    ui::SetProp(owner_, windowProc_, reinterpret_cast<ui::HANDLE>(previous_));
    for (std::size_t i = 0; i < names_.size(); ++i) ui::SetProp(owner_, names_[i], values_[i]);
    active_ = true;
    return true;
}

void Subclassing::Destroy() {
    active_ = false;
    if (!previous_) return;
    ui::SetWindowProc(owner_, previous_);
    ui::RemoveProp(owner_, windowProc_);
    for (const std::wstring& name : names_) ui::RemoveProp(owner_, name);
    previous_ = nullptr;
}

ui::WNDPROC PreviousProcedure(ui::HWND window, std::wstring_view propertyName) {
    return reinterpret_cast<ui::WNDPROC>(ui::GetProp(window, propertyName));
}

}  // namespace controls
