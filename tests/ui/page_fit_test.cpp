// Every page of the window fits at its design size, on the toolkit's side
// this program is built for (Qt offscreen here, Win32 under Wine in the
// Windows build): its boxes stay inside its frame and apart, its frame inside
// the tab strip, and every caption and value box holds the widest text its
// category can show: every entry of its display list, the fallbacks, the
// largest byte count in the unit it shows, and whatever any simulated
// machine puts there, on every device.

#include "page_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/FormVeltrix.h"
#include "app/pages/DutchTexts.h"
#include "app/pages/PageRows.h"
#include "format/FormatEx.h"
#include "platform/machine_factory.h"
#include "window/form/hscrollbar.h"
#include "window/ui/application.h"

namespace {

namespace form = window::form;
using testing_support::PageBox;
using TextsByLabel = std::map<std::wstring, std::set<std::wstring>>;

const std::string kMachinesDir = std::string(VELTRIX_SOURCE_DIR) + "/tests/machines";

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string Lines(const std::vector<std::wstring>& lines) {
    std::string joined;
    for (const auto& line : lines) joined += Narrow(line) + "\n";
    return joined;
}

bool IsValueLabel(const form::Control& control) {
    return control.Name().ends_with(L"value") && dynamic_cast<const form::Label*>(&control);
}

// A window over one simulated machine, loaded as at start-up.
struct LoadedWindow {
    explicit LoadedWindow(const std::string& machineFile) {
        platform::MachineOptions options;
        options.machineFile = machineFile;
        created = platform::CreateMachine(options);
        if (!created.machine) return;
        window = std::make_unique<app::FormVeltrix>(*created.machine);
        window->Load();
    }
    platform::MachineOrError created;
    std::unique_ptr<app::FormVeltrix> window;
};

std::vector<std::string> MachineFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kMachinesDir))
        if (entry.path().extension() == ".json") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs `visit` on a page once per device it can show (once on a page of one).
template <typename Visit>
void ForEachDevice(app::FormVeltrix& window, int category, Visit visit) {
    form::Frame& frame = window.FrameVeltrix(category);
    auto* index = frame.Find<form::HScrollBar>(L"HScrollIndex(" + std::to_wstring(category) + L")");
    if (!index) return visit(frame);
    for (int item = index->Min(); item <= index->Max(); ++item) {
        index->SetValue(item);
        visit(frame);
    }
}

// What every value label of every page shows on every simulated machine.
TextsByLabel TextsTheMachinesShow() {
    TextsByLabel shown;
    for (const std::string& file : MachineFiles()) {
        LoadedWindow loaded(file);
        if (!loaded.window) ADD_FAILURE() << file << ": " << loaded.created.error;
        if (!loaded.window) continue;
        for (int category = 0; category < app::kCategoryCount; ++category)
            ForEachDevice(*loaded.window, category, [&](const form::Frame& frame) {
                for (const auto& control : frame.Controls())
                    if (IsValueLabel(*control))
                        shown[control->Name()].insert(static_cast<const form::Label&>(*control).Caption());
            });
    }
    return shown;
}

// The widest texts a value label can be given: what the machines showed, the
// fallbacks, its display list, and for a byte count the largest one in its unit.
std::vector<std::wstring> WidestTextsOf(const std::set<std::wstring>& shown, const std::wstring& list) {
    std::set<std::wstring> texts(shown.begin(), shown.end());
    texts.insert({std::wstring(app::kUnknown), std::wstring(app::kNotPresent), std::wstring(app::kNotSupported)});
    if (!list.empty())
        for (auto& entry : testing_support::ListEntries(list)) texts.insert(std::move(entry));
    const format::FormatEx format;
    for (std::int32_t unit = format::FormatEx::kBytes; unit <= format::FormatEx::kTerabytes; ++unit) {
        const std::wstring sample = format.FormatMemory(0, unit);
        const std::wstring suffix = sample.substr(sample.find(L' '));
        for (const std::wstring& text : shown)
            if (testing_support::IsCountIn(text, suffix)) texts.insert(format.FormatMemory(INT64_MAX, unit));
    }
    return {texts.begin(), texts.end()};
}

std::vector<PageBox> BoxesOfPage(app::FormVeltrix& window, int category) {
    form::Frame& frame = window.FrameVeltrix(category);
    std::vector<PageBox> boxes = testing_support::BoxesOf(frame);
    if (frame.Find<form::HScrollBar>(L"HScrollIndex(" + std::to_wstring(category) + L")"))
        boxes.push_back(testing_support::BoxOfWindow(L"SunkenLabelIndex(" + std::to_wstring(category) + L")",
                                                     window.SunkenLabelIndex(category).hWnd()));
    return boxes;
}

std::vector<std::wstring> PageBoxesThatDoNotFit(app::FormVeltrix& window, int category) {
    const form::Frame& frame = window.FrameVeltrix(category);
    return testing_support::BoxesThatDoNotFit(frame.Width(), frame.Height(), BoxesOfPage(window, category));
}

class PageFit : public ::testing::Test {
protected:
    static void SetUpTestSuite() { desktop_ = new LoadedWindow(kMachinesDir + "/desktop.json"); }
    static void TearDownTestSuite() {
        delete desktop_;
        desktop_ = nullptr;
    }
    app::FormVeltrix& Window() { return *desktop_->window; }
    void SetUp() override { ASSERT_TRUE(desktop_->window) << desktop_->created.error; }

    static LoadedWindow* desktop_;
};

LoadedWindow* PageFit::desktop_ = nullptr;

}  // namespace

TEST_F(PageFit, EveryBoxStaysInsideItsFrameAndApartFromTheOthers) {
    std::vector<std::wstring> misfits;
    for (int category = 0; category < app::kCategoryCount; ++category)
        for (auto& misfit : PageBoxesThatDoNotFit(Window(), category)) misfits.push_back(std::move(misfit));
    EXPECT_TRUE(misfits.empty()) << Lines(misfits);
}

// Each frame stands where the selected page stands, inside the tab strip's
// border (two pixels).
TEST_F(PageFit, EveryFrameStaysInsideTheTabStrip) {
    window::ui::RECT strip{};
    ASSERT_TRUE(window::ui::GetWindowRect(Window().TabControlVeltrix().hWnd(), strip));
    constexpr int kStripBorder = 2;
    for (int category = 0; category < app::kCategoryCount; ++category) {
        const form::Frame& frame = Window().FrameVeltrix(category);
        EXPECT_GE(app::FormVeltrix::kPageLeft, strip.left + kStripBorder) << category;
        EXPECT_LE(app::FormVeltrix::kPageLeft + frame.Width(), strip.right - kStripBorder) << category;
        EXPECT_LE(app::FormVeltrix::kPageTop + frame.Height(), strip.bottom - kStripBorder) << category;
    }
}

TEST_F(PageFit, EveryCaptionAndValueBoxHoldsTheWidestTextItsCategoryCanShow) {
    const TextsByLabel shown = TextsTheMachinesShow();
    std::vector<std::wstring> cut;
    for (int category = 0; category < app::kCategoryCount; ++category) {
        std::map<std::wstring, std::wstring> lists;
        for (const app::PageRow& row : app::Page(category).rows) {
            if (!row.dutchList) continue;
            const std::string valueLabel = app::ValueLabelName(row.label);
            lists[std::wstring(valueLabel.begin(), valueLabel.end())] = row.dutchList;
        }
        for (const auto& control : Window().FrameVeltrix(category).Controls()) {
            auto* label = dynamic_cast<form::Label*>(control.get());
            if (!label) continue;
            const auto shownHere = shown.find(label->Name());
            const std::set<std::wstring> none;
            const std::vector<std::wstring> texts =
                IsValueLabel(*label)
                    ? WidestTextsOf(shownHere == shown.end() ? none : shownHere->second, lists[label->Name()])
                    : std::vector<std::wstring>{label->Caption()};
            for (auto& line : testing_support::TextsThatDoNotFit(*label, texts)) cut.push_back(std::move(line));
        }
    }
    EXPECT_TRUE(cut.empty()) << Lines(cut);
}

// The USB page's eleven rows fill its frame: a twelfth, one row pitch below
// the last as the window lays rows out, passes the frame's bottom edge.
TEST_F(PageFit, AUSBPageWithATwelfthRowPassesItsFrame) {
    form::Frame& frame = Window().FrameVeltrix(app::kUSBDevices);
    const auto* first = frame.Find<form::Label>(L"LabelUSBdevicesName");
    const auto* second = frame.Find<form::Label>(L"LabelUSBdevicesManufacturer");
    const auto* last = frame.Find<form::Label>(L"LabelUSBdevicesRevisionvalue");
    ASSERT_TRUE(first && second && last);
    const int pitch = second->Top() - first->Top();
    const int top = last->Top() + pitch;

    std::vector<PageBox> boxes = BoxesOfPage(Window(), app::kUSBDevices);
    ASSERT_TRUE(testing_support::BoxesThatDoNotFit(frame.Width(), frame.Height(), boxes).empty());
    boxes.push_back(
        {L"LabelUSBdevicesTwelfth", first->Left(), top, first->Left() + first->Width(), top + first->Height()});
    boxes.push_back(
        {L"LabelUSBdevicesTwelfthvalue", last->Left(), top, last->Left() + last->Width(), top + last->Height()});
    const auto misfits = testing_support::BoxesThatDoNotFit(frame.Width(), frame.Height(), boxes);
    ASSERT_EQ(misfits.size(), 2u) << Lines(misfits);
    EXPECT_NE(misfits[0].find(L"LabelUSBdevicesTwelfth ("), std::wstring::npos) << Lines(misfits);
    EXPECT_NE(misfits[0].find(L"passes its frame"), std::wstring::npos) << Lines(misfits);
    EXPECT_NE(misfits[1].find(L"LabelUSBdevicesTwelfthvalue ("), std::wstring::npos) << Lines(misfits);
}

// The checks at their edges: a box that ends on the frame's edge is inside, a
// pixel further passes it; boxes that share an edge are apart, a pixel further
// they overlap; a text as wide as its box is cut, a pixel narrower it fits.
TEST_F(PageFit, TheChecksHoldAtTheirEdges) {
    const std::vector<PageBox> touching = {{L"Caption", 0, 0, 10, 5}, {L"Value", 10, 0, 20, 5}};
    EXPECT_TRUE(testing_support::BoxesThatDoNotFit(20, 5, touching).empty());
    EXPECT_EQ(testing_support::BoxesThatDoNotFit(19, 5, touching).size(), 1u);
    EXPECT_EQ(testing_support::BoxesThatDoNotFit(20, 4, touching).size(), 2u);
    const std::vector<PageBox> overlapping = {{L"Caption", 0, 0, 11, 5}, {L"Value", 10, 0, 20, 5}};
    EXPECT_EQ(testing_support::BoxesThatDoNotFit(20, 5, overlapping).size(), 1u);
    const std::vector<PageBox> outside = {{L"Caption", -1, 0, 10, 5}};
    EXPECT_EQ(testing_support::BoxesThatDoNotFit(20, 5, outside).size(), 1u);

    auto* processorName = Window().FrameVeltrix(app::kProcessor).Find<form::Label>(L"LabelProcessorNamevalue");
    ASSERT_NE(processorName, nullptr);
    form::Label& label = *processorName;
    const int width = label.Width();
    const std::wstring text(app::kUnknown);
    label.SetCaption(text);
    const int textWidth = label.CaptionWidth();
    label.SetWidth(textWidth);
    EXPECT_EQ(testing_support::TextsThatDoNotFit(label, {text}).size(), 1u);
    label.SetWidth(textWidth + 1);
    EXPECT_TRUE(testing_support::TextsThatDoNotFit(label, {text}).empty());
    label.SetWidth(width);
}

// The widest texts a value box is tried with: what a machine showed, the
// fallbacks, every entry of its list, and for a count of bytes the largest
// one in the unit it was shown in.
TEST_F(PageFit, TheWidestTextsOfABoxTakeTheFallbacksItsListAndTheLargestCountOfItsUnit) {
    const auto texts = WidestTextsOf({L"4.194.304 KB"}, L"Uit;Aan");
    const auto has = [&](const std::wstring& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    const format::FormatEx format;
    for (const std::wstring& text :
         {std::wstring(L"4.194.304 KB"), std::wstring(L"Uit"), std::wstring(L"Aan"), std::wstring(app::kUnknown),
          std::wstring(app::kNotPresent), std::wstring(app::kNotSupported),
          format.FormatMemory(INT64_MAX, format::FormatEx::kKilobytes)})
        EXPECT_TRUE(has(text)) << Narrow(text);
    EXPECT_EQ(texts.size(), 7u);
    const auto bytes = WidestTextsOf({L"8 192 bytes"}, L"");
    EXPECT_NE(std::find(bytes.begin(), bytes.end(), format.FormatMemory(INT64_MAX, format::FormatEx::kBytes)),
              bytes.end());
    EXPECT_EQ(WidestTextsOf({L"Intel KB"}, L"").size(), 4u) << "a name that ends in a unit is no count";
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    window::ui::Application application(argc, argv, L"Veltrix");
    return RUN_ALL_TESTS();
}
