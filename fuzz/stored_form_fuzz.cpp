// The stored-form text: a form that parses writes text that parses back to
// the same form, and every font in it can be made into a LOGFONT, as the
// controls do when they load.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "window/controls/StoredForm.h"
#include "fuzz_check.h"

namespace {
constexpr int kScreenDotsPerInch[] = {96, 144, 192};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto form = controls::StoredForm::Parse(text, &error);
    if (!form) {
        FUZZ_CHECK(error.rfind("line ", 0) == 0);
        return 0;
    }
    const std::string written = form->Format();
    const auto again = controls::StoredForm::Parse(written, &error);
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->Format() == written);
    for (const auto& name : form->ControlNames()) {
        FUZZ_CHECK(again->Bag(name) == form->Bag(name));
        for (const auto& [key, value] : form->Bag(name).Values()) {
            if (const auto* font = std::get_if<window::ui::StdFont>(&value))
                for (int dpi : kScreenDotsPerInch) window::ui::LogFontFromStdFont(*font, dpi);
        }
    }
    return 0;
}
