#include "app/ModuleVeltrix.h"

#include "app/pages/DutchTexts.h"
#include "app/pages/PageRows.h"
#include "app/pages/ValueLists.h"
#include "base/printable_text.h"

namespace app {

void ShowValue(window::form::Label& label, bool valid, std::wstring_view text, std::wstring_view fallback) {
    label.SetForeColor(valid ? kValidColor : kFallbackColor);
    // Values come from the machine: shown with their controls escaped, every
    // other character as it is.
    label.SetCaption(base::PrintableText(valid ? text : fallback));
}

void ShowListValue(window::form::Label& label, bool valid, int index, std::wstring_view fallback) {
    if (!valid) {
        label.SetForeColor(kFallbackColor);
        label.SetCaption(std::wstring(fallback));
        return;
    }
    label.SetForeColor(kValidColor);
    label.SetCaption(ListEntry(label.Tag(), index).value_or(std::wstring()));
}

std::optional<std::wstring> GetListValue(const window::form::Label& label, bool valid, int index,
                                         std::wstring_view fallback) {
    return app::GetListValue(label.Tag(), valid, index, fallback);
}

void TranslateToDutch(TranslatableWindow& form) {
    controls::SystemMenu& menu = form.SystemMenuVeltrix();
    menu.SystemMenuItem(kMenuEntrySaveAs)->SetText(DutchSaveAsText());
    menu.SystemMenuItem(kMenuEntrySaveAllAs)->SetText(DutchSaveAllAsText());
    menu.SystemMenuItem(kMenuEntryAbout)->SetText(DutchAboutText());
    form.Form().SetCaption(kProductName);
    form.InfoFrameVeltrix().SetText(std::wstring(kProductName));

    controls::TabControl& tabs = form.TabControlVeltrix();
    for (int category = 0; category < kCategoryCount; ++category)
        tabs.Tab2(static_cast<std::int16_t>(category))->SetText(DutchTabText(category));

    for (int category = 0; category < kCategoryCount; ++category) {
        for (const PageRow& row : Page(category).rows) {
            form.CaptionLabel(row.label).SetCaption(DutchCaption(row.designCaption));
            if (row.isIndexRow) continue;
            if (std::wstring list = DutchList(ValueLabelName(row.label)); !list.empty())
                form.ValueLabel(row.label).SetTag(std::move(list));
        }
    }
}

}  // namespace app
