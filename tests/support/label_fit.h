#pragma once
// The labels of the Veltrix window whose text is as wide as the label or
// wider (a static that its text fills to the last pixel cuts the last letter
// under Wine), on every page and, on a device page, for every device:
// "name: "text" (text width >= label width)", each once. The text is measured in the label's own
// font as the toolkit's side draws it, so one test serves both sides.

#include <algorithm>
#include <string>
#include <vector>

#include "app/FormVeltrix.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"

namespace testing_support {

inline void AddCutLabels(const window::form::Frame& frame, std::vector<std::wstring>& cut) {
    for (const auto& control : frame.Controls()) {
        const auto* label = dynamic_cast<const window::form::Label*>(control.get());
        if (!label || !label->Visible() || label->CaptionWidth() < label->Width()) continue;
        const std::wstring line = label->Name() + L": \"" + label->Caption() + L"\" (" +
                                  std::to_wstring(label->CaptionWidth()) + L" >= " + std::to_wstring(label->Width()) +
                                  L")";
        if (std::find(cut.begin(), cut.end(), line) == cut.end()) cut.push_back(line);
    }
}

inline std::vector<std::wstring> CutLabelsOfEveryPage(app::FormVeltrix& form) {
    std::vector<std::wstring> cut;
    for (int category = 0; category < app::kCategoryCount; ++category) {
        window::form::Frame& frame = form.FrameVeltrix(category);
        AddCutLabels(frame, cut);
        if (!frame.Find<window::form::HScrollBar>(L"HScrollIndex(" + std::to_wstring(category) + L")")) continue;
        window::form::HScrollBar& index = form.HScrollIndex(category);
        for (int item = index.Min(); item <= index.Max(); ++item) {
            index.SetValue(item);
            AddCutLabels(frame, cut);
        }
    }
    return cut;
}

}  // namespace testing_support
