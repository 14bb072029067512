#include "window/controls/StoredForm.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <iterator>
#include <locale>
#include <sstream>

#include "base/codepage.h"

namespace controls {

namespace {

using window::ui::StdFont;

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

// A quoted text at the start of `text`; the rest follows in `rest`.
std::optional<std::wstring> ParseQuoted(std::wstring_view text, std::wstring_view& rest, std::string& why) {
    if (text.empty() || text.front() != L'"') {
        why = "expected a text in double quotes";
        return std::nullopt;
    }
    std::wstring out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != L'"') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == L'"') {
            out.push_back(L'"');
            ++i;
            continue;
        }
        rest = text.substr(i + 1);
        return out;
    }
    why = "the text has no closing quote";
    return std::nullopt;
}

std::optional<std::int32_t> ParseNumber(std::wstring_view text, std::string& why) {
    constexpr int kHexBase = 16;
    constexpr int kDecimalBase = 10;
    constexpr std::size_t kMaxHexDigits = 8;
    const bool hex = text.size() > 2 && (text.substr(0, 2) == L"&H" || text.substr(0, 2) == L"&h");
    if (hex) {
        std::wstring_view digits = text.substr(2);
        if (!digits.empty() && digits.back() == L'&') digits.remove_suffix(1);
        if (digits.empty() || digits.size() > kMaxHexDigits) {
            why = "expected one to eight hex digits after &H";
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (const wchar_t c : digits) {
            if (!std::iswxdigit(c)) {
                why = "not a hex digit in the number";
                return std::nullopt;
            }
            value = value * kHexBase + static_cast<std::uint32_t>(std::iswdigit(c) ? c - L'0' : std::towlower(c) - L'a' + 10);
        }
        return static_cast<std::int32_t>(value);
    }
    std::size_t start = (!text.empty() && text.front() == L'-') ? 1 : 0;
    if (start == text.size()) {
        why = "expected a value";
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (!std::iswdigit(text[i])) {
            why = "expected True, False, a number, a quoted text or Font(...)";
            return std::nullopt;
        }
        value = value * kDecimalBase + (text[i] - L'0');
        if (value > static_cast<std::int64_t>(INT32_MAX) + 1) {
            why = "the number does not fit in 32 bits";
            return std::nullopt;
        }
    }
    if (start) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) {
        why = "the number does not fit in 32 bits";
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<StdFont> ParseFont(std::wstring_view text, std::string& why) {
    constexpr std::wstring_view kOpen = L"Font(";
    if (text.size() < kOpen.size() + 1 || !EqualsNoCase(text.substr(0, kOpen.size()), kOpen) || text.back() != L')') {
        why = "a font is written Font(\"face\", size, ...)";
        return std::nullopt;
    }
    std::wstring_view inside = Trim(text.substr(kOpen.size(), text.size() - kOpen.size() - 1));
    StdFont font;
    std::wstring_view rest;
    const auto name = ParseQuoted(inside, rest, why);
    if (!name) return std::nullopt;
    font.name = *name;
    std::vector<std::wstring_view> parts;
    rest = Trim(rest);
    while (!rest.empty()) {
        if (rest.front() != L',') {
            why = "expected \",\" between the parts of a font";
            return std::nullopt;
        }
        rest.remove_prefix(1);
        const std::size_t comma = rest.find(L',');
        parts.push_back(Trim(rest.substr(0, comma)));
        rest = comma == std::wstring_view::npos ? std::wstring_view() : rest.substr(comma);
    }
    if (parts.empty()) {
        why = "a font needs a size";
        return std::nullopt;
    }
    // Read without the user's locale: the stored form always writes a point.
    std::string size;
    for (const wchar_t c : parts.front()) size.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    const auto [end, status] = std::from_chars(size.data(), size.data() + size.size(), font.size);
    if (size.empty() || status != std::errc() || end != size.data() + size.size() || !(font.size > 0)) {
        why = "the font's size is not a positive number";
        return std::nullopt;
    }
    // Far beyond any type a window shows; "inf" or 1e300 would overflow the
    // whole points and pixels the controls turn the size into.
    constexpr double kLargestFontSize = 2048;
    if (!(font.size <= kLargestFontSize)) {
        why = "the font's size is larger than " + std::to_string(static_cast<int>(kLargestFontSize)) + " points";
        return std::nullopt;
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (EqualsNoCase(parts[i], L"Bold")) font.bold = true;
        else if (EqualsNoCase(parts[i], L"Italic")) font.italic = true;
        else if (EqualsNoCase(parts[i], L"Underline")) font.underline = true;
        else if (EqualsNoCase(parts[i], L"Strikethrough")) font.strikethrough = true;
        else {
            why = "a font's effects are Bold, Italic, Underline and Strikethrough";
            return std::nullopt;
        }
    }
    return font;
}

std::optional<PropertyValue> ParseValue(std::wstring_view text, std::string& why) {
    if (EqualsNoCase(text, L"True")) return PropertyValue(true);
    if (EqualsNoCase(text, L"False")) return PropertyValue(false);
    if (!text.empty() && text.front() == L'"') {
        std::wstring_view rest;
        auto quoted = ParseQuoted(text, rest, why);
        if (!quoted) return std::nullopt;
        if (!Trim(rest).empty()) {
            why = "something follows the closing quote";
            return std::nullopt;
        }
        return PropertyValue(std::move(*quoted));
    }
    if (text.size() > 4 && std::towlower(text.front()) == L'f') {
        auto font = ParseFont(text, why);
        if (!font) return std::nullopt;
        return PropertyValue(std::move(*font));
    }
    auto number = ParseNumber(text, why);
    if (!number) return std::nullopt;
    return PropertyValue(*number);
}

std::wstring Quote(std::wstring_view text) {
    std::wstring out = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"') out += L"\"\"";
        else out.push_back(c);
    }
    out.push_back(L'"');
    return out;
}

std::wstring FormatValue(const PropertyValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) return *b ? L"True" : L"False";
    if (const std::int32_t* n = std::get_if<std::int32_t>(&value)) return std::to_wstring(*n);
    if (const std::wstring* s = std::get_if<std::wstring>(&value)) return Quote(*s);
    const StdFont& font = std::get<StdFont>(value);
    std::wostringstream out;
    out.imbue(std::locale::classic());
    // The shortest digits that read back as the same size.
    char size[32];
    const auto written = std::to_chars(std::begin(size), std::end(size), font.size);
    out << L"Font(" << Quote(font.name) << L", " << std::wstring(size, written.ptr);
    if (font.bold) out << L", Bold";
    if (font.italic) out << L", Italic";
    if (font.underline) out << L", Underline";
    if (font.strikethrough) out << L", Strikethrough";
    out << L")";
    return out.str();
}

}  // namespace

std::optional<StoredForm> StoredForm::Parse(std::string_view text, std::string* error) {
    StoredForm form;
    const std::wstring wide = base::DecodeUtf8(text);
    std::size_t lineStart = 0;
    for (int lineNumber = 1; lineStart <= wide.size(); ++lineNumber) {
        std::size_t lineEnd = wide.find(L'\n', lineStart);
        if (lineEnd == std::wstring::npos) lineEnd = wide.size();
        const std::wstring_view line = Trim(std::wstring_view(wide).substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
        if (line.empty() || line.front() == L'\'' || line.front() == L'#') continue;
        std::string why;
        const std::size_t equals = line.find(L'=');
        const std::wstring_view target = Trim(line.substr(0, equals));
        const std::size_t dot = target.find(L'.');
        if (equals == std::wstring_view::npos) why = "expected Control.Key=Value";
        else if (dot == std::wstring_view::npos || dot == 0 || dot + 1 == target.size()) why = "expected a control name, \".\" and a key before \"=\"";
        std::optional<PropertyValue> value;
        if (why.empty()) value = ParseValue(Trim(line.substr(equals + 1)), why);
        if (!value) {
            if (error) *error = "line " + std::to_string(lineNumber) + ": " + why;
            return std::nullopt;
        }
        form.Bag(Trim(target.substr(0, dot))).Set(Trim(target.substr(dot + 1)), std::move(*value));
    }
    return form;
}

std::string StoredForm::Format() const {
    std::wstring out;
    for (const auto& [control, bag] : controls_) {
        for (const auto& [key, value] : bag.Values()) out += control + L"." + key + L"=" + FormatValue(value) + L"\n";
    }
    return base::EncodeUtf8(out);
}

const PropertyBag& StoredForm::Bag(std::wstring_view control) const {
    static const PropertyBag empty;
    auto found = controls_.find(control);
    return found == controls_.end() ? empty : found->second;
}

PropertyBag& StoredForm::Bag(std::wstring_view control) {
    auto found = controls_.find(control);
    if (found != controls_.end()) return found->second;
    return controls_.emplace(std::wstring(control), PropertyBag{}).first->second;
}

std::vector<std::wstring> StoredForm::ControlNames() const {
    std::vector<std::wstring> names;
    for (const auto& [name, bag] : controls_) names.push_back(name);
    return names;
}

}  // namespace controls
