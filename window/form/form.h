#pragma once
// A form: a top-level window whose client area holds controls. The program's
// main window and its dialogs are forms.
//
//   form::Form main(L"FormVeltrix", TwipsToPixels(9255), TwipsToPixels(6330));
//   form::Label& caption = main.AddLabel(L"LabelProcessorName", Twips(240, 360, 1695, 255), L"Name:");
//   form::Timer& timer = main.AddTimer(L"TimerVeltrix");
//   timer.SetInterval(500);
//   timer.Tick.Connect([&] { ... });
//   main.Show();

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/form/container.h"
#include "window/form/control.h"
#include "window/form/timer.h"
#include "window/ui/event.h"
#include "window/ui/picture.h"
#include "window/ui/stdfont.h"

namespace window::form {

enum class BorderStyle {
    None = 0,
    FixedSingle = 1,  // a title bar, not resizable
    Sizable = 2,
    FixedDialog = 3,  // a dialog: not resizable, no minimise or maximise
};

struct FormStyle {
    BorderStyle border = BorderStyle::FixedSingle;
    bool minButton = true;
    bool maxButton = false;
};

class Form : public Container {
public:
    Form(std::wstring name, int clientWidth, int clientHeight, FormStyle style = {});
    ~Form() override;

    const std::wstring& Name() const { return name_; }
    ui::HWND Hwnd() const { return window_; }

    std::wstring Caption() const;
    void SetCaption(std::wstring_view caption);
    const ui::Picture& Icon() const { return icon_; }
    void SetIcon(const ui::Picture& icon);
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int width, int height);
    int Left() const;
    int Top() const;
    void Move(int left, int top);

    MousePointer GetMousePointer() const { return pointer_; }
    void SetMousePointer(MousePointer pointer);
    // The font of labels made on the form without one of their own.
    const ui::StdFont& Font() const { return font_; }
    void SetFont(const ui::StdFont& font);
    // Width and height of text in the form's font, in pixels.
    int TextWidth(std::wstring_view text) const;
    int TextHeight(std::wstring_view text) const;

    void Show();
    // Shows the form modally, centred over `owner`, and returns when it closes.
    void ShowModal(ui::HWND owner = nullptr);
    void Hide();
    // Closes the form as the user would: QueryUnload, then Unload.
    void Unload();
    bool Visible() const;
    void Refresh();

    Timer& AddTimer(std::wstring name);
    Timer* FindTimer(std::wstring_view name) const;

    // Raised when the form is about to close; set the flag to keep it open.
    ui::Event<bool&> QueryUnload;
    ui::Event<> Unloaded;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
    std::wstring name_;
    ui::HWND window_ = nullptr;
    ui::Picture icon_;
    MousePointer pointer_ = MousePointer::Default;
    ui::StdFont font_;
    std::vector<std::unique_ptr<Timer>> timers_;
};

// The font of the form that holds `window` (the form's default when none does).
ui::StdFont AmbientFont(ui::HWND window);

}  // namespace window::form
