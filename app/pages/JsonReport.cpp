#include "app/pages/JsonReport.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "app/pages/Categories.h"
#include "app/pages/DutchTexts.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/ValueLists.h"
#include "base/codepage.h"
#include "base/printable_text.h"

namespace app {

namespace {

using Json = nlohmann::ordered_json;

// Machine text in a string: the one rule of every output, then UTF-8.
std::string Utf8(std::wstring_view text) { return base::EncodeUtf8(base::PrintableText(text)); }

// The fields of one object (the category's, or one device's).
class JsonFields final : public FieldSink {
public:
    JsonFields(const CategoryRow& row, const WindowTexts& texts, Json& object)
        : row_(row), texts_(texts), object_(object) {}

    void Write(const char* captionLabel, FieldKind kind, const FieldValue& v) override {
        if (!ok) return;
        const JsonField& key = FieldOf(row_, captionLabel).json;
        if (!v.valid) {
            object_[key.key] = nullptr;
            if (key.secondKey) object_[key.secondKey] = nullptr;
            return;
        }
        if (kind == FieldKind::kList) {
            const auto entry = GetListValue(texts_.ListTag(ValueLabelName(captionLabel)), true, v.listIndex, L"");
            if (!entry) {
                ok = false;
                return;
            }
            object_[key.key] = Json{{"text", Utf8(*entry)}, {"value", v.listIndex}};
            return;
        }
        if (const auto* whole = std::get_if<std::int64_t>(&v.number)) {
            object_[key.key] = *whole;
        } else if (const auto* real = std::get_if<double>(&v.number)) {
            object_[key.key] = *real;
        } else {
            object_[key.key] = Utf8(v.text);
        }
        if (key.secondKey) object_[key.secondKey] = v.secondNumber;
    }

    bool ok = true;

private:
    const CategoryRow& row_;
    const WindowTexts& texts_;
    Json& object_;
};

}  // namespace

std::optional<std::string> JsonReport::Compose(int category, std::string_view version) {
    Json document;
    document["schema"] = kJsonReportSchema;
    document["version"] = std::string(version);
    Json& categories = document["categories"] = Json::object();
    const format::FormatEx& format = collectors_.Format();
    for (const CategoryRow& row : CategoryTable()) {
        if (category != kAllCategories && category != row.category) continue;
        std::string name = row.page.designTabText;
        std::erase(name, ' ');
        Json& block = categories[name];
        block["number"] = static_cast<int>(row.category);
        block["heading"] = Utf8(texts_.TabText(row.category));
        Json& fields = block["fields"] = Json::object();
        DevicePage& devices = collectors_.Devices(row.category);
        if (!row.page.multiDevice) {
            JsonFields sink(row, texts_, fields);
            devices.WriteItemFields(0, sink, format);
            if (!sink.ok) return std::nullopt;
            continue;
        }
        JsonFields whole(row, texts_, fields);
        devices.WriteCollectionFields(whole, format);
        if (!whole.ok) return std::nullopt;
        Json& items = block["items"] = Json::array();
        const char* indexKey = FieldOf(row, IndexLabelName(row.category)).json.key;
        for (std::int16_t i = 0; i < devices.Count(); ++i) {
            Json item = Json::object();
            item[indexKey] = i;
            JsonFields sink(row, texts_, item);
            devices.WriteItemFields(i, sink, format);
            if (!sink.ok) return std::nullopt;
            items.push_back(std::move(item));
        }
        // Only a list that was cut says so; every other document is as it was.
        if (devices.Found() > items.size())
            block["cut"] = Json{{"shown", items.size()}, {"found", devices.Found()}};
    }
    // Strings are valid UTF-8 by construction; a stray surrogate of a
    // Windows name is replaced rather than refused.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace app
