#include "app/FormAbout.h"

#include "window/form/line.h"
#include "window/ui/dialogs.h"

namespace app {

namespace form = window::form;
namespace ui = window::ui;

namespace {

constexpr int kClientWidth = 337;  // 5055 x 1755 twips
constexpr int kClientHeight = 117;
constexpr ui::OLE_COLOR kLinkColor = ui::RGB(0, 0, 255);
constexpr ui::OLE_COLOR kShadowColor = ui::RGB(128, 128, 128);
constexpr ui::OLE_COLOR kLightColor = ui::RGB(255, 255, 255);

// Twips to pixels for the etched frame's end points.
constexpr int Px(int twips) { return form::TwipsToPixels(twips); }

}  // namespace

FormAbout::FormAbout() {
    form::FormStyle style;
    style.border = form::BorderStyle::FixedDialog;
    style.minButton = false;
    style.maxButton = false;
    form_ = std::make_unique<form::Form>(L"FormAbout", kClientWidth, kClientHeight, style);

    image_ = &form_->AddImage(L"ImageIcon", form::Twips(240, 240, 480, 480));
    application_label_ = &form_->AddLabel(L"LabelApplication", form::Twips(960, 240, 3855, 255), L"Application");
    copyright_label_ = &form_->AddLabel(L"LabelCopyright", form::Twips(960, 480, 3855, 255), L"Copyright");
    website_label_ = &form_->AddLabel(L"LabelWebsite", form::Twips(960, 810, 3855, 255), L"Website");
    website_label_->SetForeColor(kLinkColor);
    ui::StdFont linkFont;
    linkFont.underline = true;
    website_label_->SetFont(linkFont);
    website_label_->SetMousePointer(form::MousePointer::Hand);
    website_label_->Click.Connect([this] { LabelWebsite_Click(); });

    // An etched frame: dark top and left edges, light right and bottom edges.
    form_->AddLine(L"LineTop", Px(120), Px(120), Px(4920), Px(120)).SetBorderColor(kShadowColor);
    form_->AddLine(L"LineLeft", Px(120), Px(135), Px(120), Px(1140)).SetBorderColor(kShadowColor);
    form_->AddLine(L"LineRight", Px(4920), Px(120), Px(4920), Px(1140)).SetBorderColor(kLightColor);
    form_->AddLine(L"LineBottom", Px(120), Px(1140), Px(4935), Px(1140)).SetBorderColor(kLightColor);

    ok_ = &form_->AddCommandButton(L"CommandOK", form::Twips(1920, 1275, 1215, 375), L"OK");
    ok_->SetDefault(true);
    ok_->SetCancel(true);
    ok_->Click.Connect([this] { CommandOK_Click(); });
}

FormAbout::~FormAbout() = default;

void FormAbout::SetCaption(std::wstring_view caption) { form_->SetCaption(caption); }

void FormAbout::Form_Load() {
    image_->SetPicture(icon_);
    application_label_->SetCaption(application_);
    copyright_label_->SetCaption(copyright_);
    website_label_->SetCaption(website_);
    // The link answers clicks on its text only, not on the space beside it.
    website_label_->SetWidth(website_label_->CaptionWidth());
}

void FormAbout::Show(ui::HWND owner) {
    Form_Load();
    form_->ShowModal(owner);
}

void FormAbout::LabelWebsite_Click() {
    form_->SetMousePointer(form::MousePointer::Hourglass);
    ui::OpenUrl(website_label_->Caption());  // a failure leaves the box as it is
    form_->SetMousePointer(form::MousePointer::Default);
}

void FormAbout::CommandOK_Click() { form_->Unload(); }

}  // namespace app
