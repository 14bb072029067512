#pragma once
// The About box: the program's name and version, a copyright line and the
// website as a link, beside the program's icon, in an etched frame, closed
// with OK. The opener fills the four properties, then shows it modally.

#include <memory>
#include <string>
#include <string_view>

#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/form/image.h"
#include "window/form/label.h"
#include "window/ui/picture.h"
#include "window/ui/types.h"

namespace app {

inline constexpr std::wstring_view kCopyright = L"Copyright \u00A9 2026 The Veltrix developers";
inline constexpr std::wstring_view kWebsite = L"https://veltrix.example.org";

class FormAbout {
public:
    FormAbout();
    ~FormAbout();

    const std::wstring& Application() const { return application_; }
    void SetApplication(std::wstring_view text) { application_ = text; }
    const std::wstring& Copyright() const { return copyright_; }
    void SetCopyright(std::wstring_view text) { copyright_ = text; }
    const window::ui::Picture& Icon2() const { return icon_; }
    void SetIcon2(const window::ui::Picture& icon) { icon_ = icon; }
    const std::wstring& Website() const { return website_; }
    void SetWebsite(std::wstring_view text) { website_ = text; }
    void SetCaption(std::wstring_view caption);

    // Fills the controls from the properties and shows the box modally over
    // `owner`; returns when it is closed.
    void Show(window::ui::HWND owner);
    // Fills the controls without showing the box (tests look at it so).
    void Form_Load();

    window::form::Form& Form() { return *form_; }
    window::form::Label& LabelApplication() { return *application_label_; }
    window::form::Label& LabelCopyright() { return *copyright_label_; }
    window::form::Label& LabelWebsite() { return *website_label_; }
    window::form::Image& ImageIcon() { return *image_; }
    window::form::CommandButton& CommandOK() { return *ok_; }

    void LabelWebsite_Click();
    void CommandOK_Click();

private:
    std::wstring application_;
    std::wstring copyright_;
    window::ui::Picture icon_;
    std::wstring website_;

    std::unique_ptr<window::form::Form> form_;
    window::form::Image* image_ = nullptr;
    window::form::Label* application_label_ = nullptr;
    window::form::Label* copyright_label_ = nullptr;
    window::form::Label* website_label_ = nullptr;
    window::form::CommandButton* ok_ = nullptr;
};

}  // namespace app
