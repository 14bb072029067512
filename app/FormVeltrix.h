#pragma once
// The main window: a gradient header, a tab strip of fifteen categories and a
// page frame of captions and values per category. Loading it translates it
// into Dutch, creates every collector in category order and fills every page
// once; afterwards it only reacts to a tab click, an index scroll bar, the
// 500 ms timer and the window menu.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/pages/CollectorSet.h"
#include "app/ModuleVeltrix.h"
#include "app/pages/PageRows.h"
#include "window/controls/InfoFrame.h"
#include "window/controls/StoredForm.h"
#include "window/controls/SunkenLabel.h"
#include "window/controls/SystemMenu.h"
#include "window/controls/TabControl.h"
#include "window/controls/CommonDialogs.h"
#include "window/form/form.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"
#include "platform/machine.h"

namespace app {

class FormVeltrix final : public TranslatableWindow {
public:
    // Window-menu entries: 0 and 3 are separators.
    static constexpr std::int16_t kMenuSaveAs = kMenuEntrySaveAs;
    static constexpr std::int16_t kMenuSaveAllAs = kMenuEntrySaveAllAs;
    static constexpr std::int16_t kMenuAbout = kMenuEntryAbout;

    static constexpr int kClientWidth = 617;  // 9255 x 6330 twips
    static constexpr int kClientHeight = 422;
    // Where the selected page stands, in window pixels (240, 1680 twips).
    static constexpr int kPageLeft = 16;
    static constexpr int kPageTop = 112;
    static constexpr int kTimerInterval = 500;

    // Builds the window as designed; nothing is read from the machine yet.
    explicit FormVeltrix(platform::Machine& machine);
    ~FormVeltrix() override;
    FormVeltrix(const FormVeltrix&) = delete;
    FormVeltrix& operator=(const FormVeltrix&) = delete;

    // Start-up: translate, fill the fifteen pages in category order (which
    // creates the collectors), show the selected page, prepare the save dialog.
    void Load();

    window::form::Form& Form() override { return *form_; }
    controls::InfoFrame& InfoFrameVeltrix() override { return *header_; }
    controls::TabControl& TabControlVeltrix() override { return *tabs_; }
    controls::SystemMenu& SystemMenuVeltrix() override { return *menu_; }
    window::form::Timer& TimerVeltrix() { return *timer_; }
    window::form::Frame& FrameVeltrix(int category) { return *frames_.at(static_cast<std::size_t>(category)); }
    // The index controls of a device page; only for categories 2, 3, 4 and 7 to 13.
    window::form::Label& LabelIndex(int category);
    controls::SunkenLabel& SunkenLabelIndex(int category);
    window::form::HScrollBar& HScrollIndex(int category);
    // A caption label by name ("LabelProcessorName", "LabelIndex(9)") and the
    // value label beside a caption label.
    window::form::Label& CaptionLabel(std::string_view name) override;
    window::form::Label& ValueLabel(std::string_view captionName) override;
    controls::CommonDialogs& Dialogs() { return dialogs_; }
    CollectorSet& Collectors() { return collectors_; }

    // Event handlers.
    void HScrollIndex_Change(int index);
    void TimerVeltrix_Timer();
    void TabControlVeltrix_Click();
    void SystemMenuVeltrix_ItemClick(controls::SystemMenuItem& item);

    // Saves one category (0-14) or all (kAllCategories) through the save dialog.
    void SaveReport(const std::wstring& defaultName, int category);
    void ShowAbout(const std::wstring& caption);
    // "Veltrix 1.0": the product name and the program's major and minor version.
    static std::wstring AboutApplicationText();

private:
    class PageFieldSink;
    class LabelTexts;

    void BuildPage(int category);
    void FillPage(int category);
    void FillDevicePage(int category);
    void DisableIndex(int index);

    CollectorSet collectors_;
    controls::StoredForm stored_;
    std::unique_ptr<window::form::Form> form_;
    std::unique_ptr<controls::InfoFrame> header_;
    std::unique_ptr<controls::TabControl> tabs_;
    std::unique_ptr<controls::SystemMenu> menu_;
    window::form::Timer* timer_ = nullptr;
    std::array<window::form::Frame*, kCategoryCount> frames_{};
    std::array<window::form::Label*, kCategoryCount> indexLabels_{};
    std::array<std::unique_ptr<controls::SunkenLabel>, kCategoryCount> indexBoxes_{};
    std::array<window::form::HScrollBar*, kCategoryCount> indexBars_{};
    std::map<std::string, window::form::Label*, std::less<>> labels_;
    controls::CommonDialogs dialogs_;
};

}  // namespace app
