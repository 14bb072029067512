#pragma once
// The texts the report reads from the window: tab texts as headings, caption
// labels as field names, value labels' display lists. The window answers from
// its own labels; veltrix-report from the Dutch texts the translation puts on
// the window. Both therefore write the same bytes.

#include <string>
#include <string_view>

namespace app {

class WindowTexts {
public:
    virtual ~WindowTexts() = default;
    virtual std::wstring TabText(int category) const = 0;
    // By caption label name: "LabelProcessorName", "LabelIndex(9)".
    virtual std::wstring Caption(std::string_view captionLabel) const = 0;
    // By value label name: "LabelKeyboardCapslockvalue".
    virtual std::wstring ListTag(std::string_view valueLabel) const = 0;
};

// The texts of a freshly translated window, without a window.
class TranslatedWindowTexts final : public WindowTexts {
public:
    std::wstring TabText(int category) const override;
    std::wstring Caption(std::string_view captionLabel) const override;
    std::wstring ListTag(std::string_view valueLabel) const override;
};

}  // namespace app
