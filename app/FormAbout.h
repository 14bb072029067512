#pragma once
// The About box: the program's name and version, a copyright line and the
// website as a link, beside the program's icon, in an etched frame, closed
// with OK. The opener fills the four properties, then shows it modally.

#include <memory>
#include <string>
#include <string_view>

#include "platform/form/command_button.h"
#include "platform/form/form.h"
#include "platform/form/image.h"
#include "platform/form/label.h"
#include "platform/ui/picture.h"
#include "platform/ui/types.h"

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
    const platform::ui::Picture& Icon2() const { return icon_; }
    void SetIcon2(const platform::ui::Picture& icon) { icon_ = icon; }
    const std::wstring& Website() const { return website_; }
    void SetWebsite(std::wstring_view text) { website_ = text; }
    void SetCaption(std::wstring_view caption);

    // Fills the controls from the properties and shows the box modally over
    // `owner`; returns when it is closed.
    void Show(platform::ui::HWND owner);
    // Fills the controls without showing the box (tests look at it so).
    void Form_Load();

    platform::form::Form& Form() { return *form_; }
    platform::form::Label& LabelApplication() { return *application_label_; }
    platform::form::Label& LabelCopyright() { return *copyright_label_; }
    platform::form::Label& LabelWebsite() { return *website_label_; }
    platform::form::Image& ImageIcon() { return *image_; }
    platform::form::CommandButton& CommandOK() { return *ok_; }

    void LabelWebsite_Click();
    void CommandOK_Click();

private:
    std::wstring application_;
    std::wstring copyright_;
    platform::ui::Picture icon_;
    std::wstring website_;

    std::unique_ptr<platform::form::Form> form_;
    platform::form::Image* image_ = nullptr;
    platform::form::Label* application_label_ = nullptr;
    platform::form::Label* copyright_label_ = nullptr;
    platform::form::Label* website_label_ = nullptr;
    platform::form::CommandButton* ok_ = nullptr;
};

}  // namespace app
