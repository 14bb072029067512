#include "app/FormVeltrix.h"

#include <stdexcept>

#include "app/pages/Categories.h"
#include "app/pages/DutchTexts.h"
#include "app/FormAbout.h"
#include "app/pages/ReportWriter.h"
#include "app/StoredFormText.h"
#include "app/pages/WindowTexts.h"
#include "base/codepage.h"
#include "window/form/timer.h"
#include "platform/report_file.h"
#include "window/ui/accessibility.h"
#include "window/ui/dialogs.h"
#include "window/ui/picture.h"
#include "version.h"

namespace app {

namespace form = window::form;
namespace ui = window::ui;

namespace {

// Design layout, in twips.
constexpr form::Bounds kHeaderBounds = form::Twips(0, 0, 9255, 945);
constexpr form::Bounds kTabStripBounds = form::Twips(120, 1080, 9015, 5145);
constexpr int kFirstPageLeft = 240;
constexpr int kParkedPageLeft = 9360;  // outside the client area until shown
constexpr int kPageTopTwips = 1680;
constexpr int kPageWidth = 8775;
constexpr int kRowPitch = 360;
constexpr int kLabelHeight = 255;
constexpr int kCaptionLeft = 240;
// A caption's box reaches to its value (120 pixels). The longest Dutch
// caption, "Vernieuwingsfrequentie:", is 113 pixels in Wine's own MS Sans
// Serif, the design's whole box, where the system's static cuts its last
// letter, and 116 in Liberation Sans at full width (Wine without its own
// fonts; about the widths of Windows' scalable Microsoft Sans Serif).
constexpr int kCaptionWidth = 1800;
constexpr int kValueLeft = 2040;
constexpr int kValueWidth = 6495;
constexpr int kHalfValueWidth = 2055;
constexpr int kRightCaptionLeft = 4680;
constexpr int kRightValueLeft = 6480;
static_assert(kCaptionLeft + kCaptionWidth <= kValueLeft && kRightCaptionLeft + kCaptionWidth <= kRightValueLeft,
              "a caption's box ends where its value begins");
constexpr int kIndexBoxRaise = 30;
constexpr int kIndexBoxWidth = 495;
constexpr int kIndexBarLeft = 2535;
constexpr int kIndexBarRaise = 45;
constexpr int kIndexBarWidth = 495;
constexpr int kIndexBarHeight = 285;

constexpr const char* kIconResource = ":/veltrix/veltrix-32.png";

std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }


bool IsDevicePage(int category) { return Page(category).multiDevice; }

// The raw filter list of the save dialog: description, pattern, each ended by
// a NUL, and a closing NUL.
std::wstring ReportFilter() {
    std::wstring filter(kTextDocument);
    filter += L" (*.txt)";
    filter += L'\0';
    filter += L"*.txt";
    filter += L'\0';
    filter += L'\0';
    return filter;
}

}  // namespace

// Writes fields on the page's value labels.
class FormVeltrix::PageFieldSink final : public FieldSink {
public:
    explicit PageFieldSink(FormVeltrix& form) : form_(form) {}
    void Write(const char* captionLabel, FieldKind kind, const FieldValue& value) override {
        form::Label& label = form_.ValueLabel(captionLabel);
        if (kind == FieldKind::kText)
            ShowValue(label, value.valid, value.text, value.fallback);
        else
            ShowListValue(label, value.valid, value.listIndex, value.fallback);
    }

private:
    FormVeltrix& form_;
};

// The window's own texts, as the report reads them.
class FormVeltrix::LabelTexts final : public WindowTexts {
public:
    explicit LabelTexts(FormVeltrix& form) : form_(form) {}
    std::wstring TabText(int category) const override {
        return form_.TabControlVeltrix().Tab2(static_cast<std::int16_t>(category))->Text();
    }
    std::wstring Caption(std::string_view captionLabel) const override {
        return form_.CaptionLabel(captionLabel).Caption();
    }
    std::wstring ListTag(std::string_view valueLabel) const override {
        const std::string_view suffix = "value";
        return form_.ValueLabel(valueLabel.substr(0, valueLabel.size() - suffix.size())).Tag();
    }

private:
    FormVeltrix& form_;
};

FormVeltrix::FormVeltrix(platform::Machine& machine) : collectors_(machine) {
    std::string error;
    auto stored = controls::StoredForm::Parse(StoredFormText(), &error);
    if (!stored) throw std::logic_error("the window's stored form does not read: " + error);
    stored_ = std::move(*stored);

    form_ = std::make_unique<form::Form>(L"FormVeltrix", kClientWidth, kClientHeight);
    const ui::Picture icon = ui::Picture::Load(kIconResource);
    form_->SetIcon(icon);

    header_ = std::make_unique<controls::InfoFrame>(form_->Hwnd(), kHeaderBounds, L"InfoFrameVeltrix");
    header_->ReadProperties(stored_.Bag(L"InfoFrameVeltrix"));
    header_->SetIcon(icon);

    tabs_ = std::make_unique<controls::TabControl>(form_->Hwnd(), kTabStripBounds, L"TabControlVeltrix");
    tabs_->ReadProperties(stored_.Bag(L"TabControlVeltrix"));
    tabs_->Click.Connect([this] { TabControlVeltrix_Click(); });

    // Frames after the tab strip, so that they lie on top of it.
    for (int category = 0; category < kCategoryCount; ++category) BuildPage(category);

    menu_ = std::make_unique<controls::SystemMenu>(form_->Hwnd());
    menu_->ReadProperties(stored_.Bag(L"SystemMenuVeltrix"));
    menu_->ItemClick.Connect([this](controls::SystemMenuItem& item) { SystemMenuVeltrix_ItemClick(item); });

    timer_ = &form_->AddTimer(L"TimerVeltrix");
    timer_->SetInterval(kTimerInterval);
    timer_->Tick.Connect([this] { TimerVeltrix_Timer(); });
}

FormVeltrix::~FormVeltrix() {
    // The controls that hook the form's windows go before the form.
    timer_->Tick.Connect(nullptr);
    menu_.reset();
    for (auto& box : indexBoxes_) box.reset();
    tabs_.reset();
    header_.reset();
}

void FormVeltrix::BuildPage(int category) {
    const CategoryPage& page = Page(category);
    const int left = category == kProcessor ? kFirstPageLeft : kParkedPageLeft;
    form::Frame& frame = form_->AddFrame(L"FrameVeltrix(" + std::to_wstring(category) + L")",
                                         form::Twips(left, kPageTopTwips, kPageWidth, page.frameHeightTwips));
    // No border and no fill of its own: the page reads as part of the tab page.
    frame.SetBorderStyle(0);
    frame.SetBackStyle(form::BackStyle::Transparent);
    frames_[static_cast<std::size_t>(category)] = &frame;

    for (const PageRow& row : page.rows) {
        const int top = kRowPitch * row.row;
        const int captionLeft = row.column == RowColumn::kRight ? kRightCaptionLeft : kCaptionLeft;
        form::Label& caption = frame.AddLabel(Wide(row.label), form::Twips(captionLeft, top, kCaptionWidth, kLabelHeight),
                                              Wide(row.designCaption));
        caption.SetBackStyle(form::BackStyle::Transparent);
        labels_.emplace(row.label, &caption);

        if (row.isIndexRow) {
            const auto i = static_cast<std::size_t>(category);
            indexLabels_[i] = &caption;
            const std::wstring number = std::to_wstring(category);
            indexBoxes_[i] = std::make_unique<controls::SunkenLabel>(
                frame.Hwnd(), form::Twips(kValueLeft, top - kIndexBoxRaise, kIndexBoxWidth, kLabelHeight),
                L"SunkenLabelIndex(" + number + L")");
            indexBoxes_[i]->ReadProperties(stored_.Bag(L"SunkenLabelIndex"));
            indexBars_[i] = &frame.AddHScrollBar(
                L"HScrollIndex(" + number + L")",
                form::Twips(kIndexBarLeft, top - kIndexBarRaise, kIndexBarWidth, kIndexBarHeight));
            indexBars_[i]->SetMin(0);
            indexBars_[i]->SetMax(0);
            indexBars_[i]->Change.Connect([this, category] { HScrollIndex_Change(category); });
            // A screen reader names the box and the bar by the "Index:" caption.
            ui::SetLabelledBy(indexBoxes_[i]->ControlHwnd(), caption.Hwnd());
            ui::SetLabelledBy(indexBars_[i]->Hwnd(), caption.Hwnd());
            continue;
        }

        const int valueLeft = row.column == RowColumn::kRight ? kRightValueLeft : kValueLeft;
        const int valueWidth = row.column == RowColumn::kFull ? kValueWidth : kHalfValueWidth;
        form::Label& value = frame.AddLabel(Wide(ValueLabelName(row.label)),
                                            form::Twips(valueLeft, top, valueWidth, kLabelHeight));
        value.SetBackStyle(form::BackStyle::Transparent);
        value.SetUseMnemonic(false);  // values are shown as they are, "&" included
        ui::SetLabelledBy(value.Hwnd(), caption.Hwnd());  // a screen reader announces the value with its caption
        // Tab reaches the values row by row, and Ctrl+C copies "caption value"
        // (a serial number into a ticket).
        value.SetTabStop(true);
        labels_.emplace(ValueLabelName(row.label), &value);
    }
}

form::Label& FormVeltrix::LabelIndex(int category) {
    auto* label = indexLabels_.at(static_cast<std::size_t>(category));
    if (!label) throw std::out_of_range("no index row on page " + std::to_string(category));
    return *label;
}

controls::SunkenLabel& FormVeltrix::SunkenLabelIndex(int category) {
    auto& box = indexBoxes_.at(static_cast<std::size_t>(category));
    if (!box) throw std::out_of_range("no index row on page " + std::to_string(category));
    return *box;
}

form::HScrollBar& FormVeltrix::HScrollIndex(int category) {
    auto* bar = indexBars_.at(static_cast<std::size_t>(category));
    if (!bar) throw std::out_of_range("no index row on page " + std::to_string(category));
    return *bar;
}

form::Label& FormVeltrix::CaptionLabel(std::string_view name) {
    const auto it = labels_.find(name);
    if (it == labels_.end()) NoSuchLabel(name);
    return *it->second;
}

form::Label& FormVeltrix::ValueLabel(std::string_view captionName) {
    return CaptionLabel(ValueLabelName(std::string(captionName).c_str()));
}

void FormVeltrix::Load() {
    TranslateToDutch(*this);
    // Category order is the order the collectors read the machine in.
    for (const CategoryRow& row : CategoryTable()) FillPage(row.category);
    TabControlVeltrix_Click();

    dialogs_.SetFilter(ReportFilter());
    dialogs_.SetFilterIndex(1);
    dialogs_.SetOwnerHwnd(form_->Hwnd());
}

void FormVeltrix::FillPage(int category) {
    if (IsDevicePage(category)) {
        FillDevicePage(category);
        return;
    }
    PageFieldSink sink(*this);
    collectors_.Devices(category).WriteItemFields(0, sink, collectors_.Format());
}

// Sets the scroll bar's range from the collector, moves it to the device the
// category prefers (the mode in use, the first wave input, the default
// printer) and fills the page for it.
void FormVeltrix::FillDevicePage(int category) {
    DevicePage& devices = collectors_.Devices(category);
    form::HScrollBar& bar = HScrollIndex(category);
    bar.SetMax(devices.Count() - 1);
    if (const int preferred = devices.PreferredItem(); preferred >= 0 && preferred < devices.Count())
        bar.SetValue(preferred);
    HScrollIndex_Change(category);
}

void FormVeltrix::DisableIndex(int index) {
    LabelIndex(index).SetEnabled(false);
    SunkenLabelIndex(index).SetEnabled(false);
    HScrollIndex(index).SetEnabled(false);
}

void FormVeltrix::HScrollIndex_Change(int index) {
    if (index < 0 || index >= kCategoryCount || !IsDevicePage(index)) return;
    DevicePage& devices = collectors_.Devices(index);
    const std::int16_t count = devices.Count();
    if (count < 1) {
        DisableIndex(index);
        for (const PageRow& row : Page(index).rows) CaptionLabel(row.label).SetEnabled(false);
        return;
    }
    PageFieldSink sink(*this);
    if (CategoryRowOf(index).kind.HasCollectionFields()) devices.WriteCollectionFields(sink, collectors_.Format());
    if (count == 1) HScrollIndex(index).SetEnabled(false);
    SunkenLabelIndex(index).SetText(std::to_wstring(HScrollIndex(index).Value()));
    // The item shown is always the one whose number the index box displays.
    const auto item = static_cast<std::int16_t>(std::stoi(SunkenLabelIndex(index).Text()));
    devices.WriteItemFields(item, sink, collectors_.Format());
}

void FormVeltrix::TimerVeltrix_Timer() {
    PageFieldSink sink(*this);
    for (const CategoryRow& row : CategoryTable())
        if (row.refreshedByTimer) collectors_.Devices(row.category).Refresh(sink, collectors_.Format());
}

void FormVeltrix::TabControlVeltrix_Click() {
    const controls::Tab2* selected = tabs_->SelectedTab();
    const int selectedIndex = selected ? selected->Index() : -1;
    for (int i = 0; i < tabs_->Count() && i < kCategoryCount; ++i) {
        form::Frame& frame = FrameVeltrix(i);
        if (i == selectedIndex) {
            frame.Move(kPageLeft, kPageTop);
            frame.SetVisible(true);
        } else {
            frame.SetVisible(false);
        }
    }
}

void FormVeltrix::SystemMenuVeltrix_ItemClick(controls::SystemMenuItem& item) {
    form_->SetMousePointer(form::MousePointer::Hourglass);
    switch (item.Index()) {
        case kMenuSaveAs:
            dialogs_.SetTitle(CaptionFromMenuText(item.Text()));
            if (const controls::Tab2* tab = tabs_->SelectedTab()) SaveReport(tab->Text(), tab->Index());
            break;
        case kMenuSaveAllAs:
            dialogs_.SetTitle(CaptionFromMenuText(item.Text()));
            SaveReport(std::wstring(kProductName), kAllCategories);
            break;
        case kMenuAbout:
            ShowAbout(CaptionFromMenuText(item.Text()));
            break;
        default:
            break;
    }
    form_->SetMousePointer(form::MousePointer::Default);
}

void FormVeltrix::SaveReport(const std::wstring& defaultName, int category) {
    dialogs_.SetFileName(defaultName);
    if (!dialogs_.ShowSave()) return;
    form_->SetMousePointer(form::MousePointer::Hourglass);
    form_->Refresh();

    // The whole report is composed before the file is touched; the file is
    // then replaced in one piece or left as it was.
    const LabelTexts texts(*this);
    const std::wstring path = dialogs_.FileName();
    const auto report = ReportWriter(collectors_, texts).Compose(category);
    const bool saved = report && platform::WriteFileReplacing(base::EncodeUtf8(path), *report).ok;
    if (!saved) {
        // Appended, not summed: GCC 12 with fortified calls takes the moves
        // of a sum of wide strings for an overflowing wmemcpy (a false warning).
        std::wstring message(kSaveFailure);
        message.append(L" ").append(path);
        ui::MessageBox(form_->Hwnd(), message, form_->Caption(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
    }
}

std::wstring FormVeltrix::AboutApplicationText() {
    std::wstring text(kProductName);  // appended: see SaveReport
    text.append(L" ").append(std::to_wstring(veltrix::kVersionMajor)).append(L".");
    return text.append(std::to_wstring(veltrix::kVersionMinor));
}

void FormVeltrix::ShowAbout(const std::wstring& caption) {
    FormAbout about;
    about.SetApplication(AboutApplicationText());
    about.SetCopyright(kCopyright);
    about.SetWebsite(kWebsite);
    about.SetIcon2(form_->Icon());
    about.SetCaption(caption);
    about.Show(form_->Hwnd());
    form_->Refresh();
}

}  // namespace app
