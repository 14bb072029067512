#include "app/changes/ReportDocument.h"

#include <charconv>

#include "app/changes/PageWords.h"
#include "app/pages/JsonReport.h"

namespace app::changes {

namespace {

constexpr std::string_view kSchemaStem = "urn:veltrix:report:";

// The layout number of a report's schema name, or nothing for a name that is
// not one of ours.
std::optional<unsigned> SchemaNumber(std::string_view schema) {
    if (!schema.starts_with(kSchemaStem)) return std::nullopt;
    const std::string_view digits = schema.substr(kSchemaStem.size());
    unsigned number = 0;
    const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (failure != std::errc() || end != digits.data() + digits.size() || digits.empty()) return std::nullopt;
    return number;
}

bool IsScalar(const Json& value) { return !value.is_object() && !value.is_array(); }

// A field's value as the report writes it: a scalar, or a list value (its
// text and the number it stands for, nothing else).
bool IsFieldValue(const Json& value) {
    if (IsScalar(value)) return true;
    return value.is_object() && value.size() == 2 && value.contains("text") && value.at("text").is_string() &&
           value.contains("value") && value.at("value").is_number_integer();
}

bool AreFields(const Json& object) {
    if (!object.is_object()) return false;
    for (const auto& member : object.items())
        if (!IsFieldValue(member.value())) return false;
    return true;
}

// What is wrong with one category's block, or nothing.
std::string CheckCategory(const std::string& name, const Json& block) {
    const auto number = CategoryNumberOf(name);
    if (!number) return "it names no category \"" + name + "\"";
    if (!block.is_object() || !block.contains("fields") || !AreFields(block.at("fields")))
        return name + " has no fields the report writes";
    if (!ListsDevices(*number)) return {};
    if (!block.contains("items") || !block.at("items").is_array()) return name + " has no list of devices";
    for (const Json& item : block.at("items"))
        if (!AreFields(item)) return name + " lists a device the report does not write";
    return {};
}

std::string CheckLayout(const Json& document) {
    if (!document.is_object() || !document.contains("schema") || !document.at("schema").is_string())
        return "it is not a Veltrix JSON report (it has no \"schema\")";
    const std::string schema = document.at("schema").get<std::string>();
    if (schema != kJsonReportSchema) {
        const auto number = SchemaNumber(schema);
        const auto ours = SchemaNumber(kJsonReportSchema);
        if (number && ours && *number > *ours)
            return "it is a newer report (" + schema + "); this veltrix-report reads " + kJsonReportSchema;
        return "it is not a Veltrix JSON report of this layout (" + schema + ", not " + kJsonReportSchema + ")";
    }
    if (!document.contains("categories") || !document.at("categories").is_object())
        return "it has no \"categories\" object";
    for (const auto& category : document.at("categories").items()) {
        std::string wrong = CheckCategory(category.key(), category.value());
        if (!wrong.empty()) return wrong;
    }
    return {};
}

}  // namespace

ReportDocument ReadReportDocument(std::string_view text) {
    ReportDocument read;
    Json document;
    try {
        document = Json::parse(text.begin(), text.end());
    } catch (const Json::exception& failure) {
        read.error = std::string("it is not JSON: ") + failure.what();
        return read;
    }
    read.error = CheckLayout(document);
    if (read.error.empty()) read.document = std::move(document);
    return read;
}

}  // namespace app::changes
