#include "app/changes/ChangesJson.h"

#include "app/changes/PageWords.h"
#include "base/codepage.h"
#include "base/printable_text.h"

namespace app::changes {

namespace {

// Strings from the earlier file reach the document through the same rule as
// every output's (an escaped value stays as it is).
Json Printable(const Json& value) {
    if (value.is_string()) return base::EncodeUtf8(base::PrintableText(base::DecodeUtf8(value.get_ref<const std::string&>())));
    if (!value.is_object()) return value;
    Json object = Json::object();
    for (const auto& member : value.items()) object[member.key()] = Printable(member.value());
    return object;
}

Json FieldList(const std::vector<FieldChange>& fields) {
    Json list = Json::array();
    for (const FieldChange& field : fields)
        list.push_back(Json{{"key", field.key}, {"before", Printable(field.before)}, {"after", Printable(field.after)}});
    return list;
}

void AddDevice(const DeviceChange& device, Json& block) {
    Json entry = Json::object();
    switch (device.kind) {
    case DeviceChange::Kind::kRemoved:
    case DeviceChange::Kind::kAdded:
        entry["index"] = device.kind == DeviceChange::Kind::kRemoved ? device.earlierIndex : device.index;
        entry["identity"] = Printable(device.identity);
        entry["item"] = Printable(device.item);
        block[device.kind == DeviceChange::Kind::kRemoved ? "removed" : "added"].push_back(std::move(entry));
        return;
    case DeviceChange::Kind::kChanged:
        entry["index"] = device.index;
        entry["earlier"] = device.earlierIndex;
        entry["identity"] = Printable(device.identity);
        entry["fields"] = FieldList(device.fields);
        block["changed"].push_back(std::move(entry));
        return;
    }
}

}  // namespace

std::string ChangesJson(const std::vector<CategoryChanges>& changes, std::string_view version) {
    Json document;
    document["schema"] = kChangesSchema;
    document["version"] = std::string(version);
    document["changed"] = !changes.empty();
    Json& categories = document["categories"] = Json::object();
    for (const CategoryChanges& category : changes) {
        Json& block = categories[CategoryJsonName(category.category)];
        block["number"] = category.category;
        block["heading"] = base::EncodeUtf8(Heading(category.category));
        block["fields"] = FieldList(category.fields);
        if (!ListsDevices(category.category)) continue;
        block["removed"] = Json::array();
        block["added"] = Json::array();
        block["changed"] = Json::array();
        for (const DeviceChange& device : category.devices) AddDevice(device, block);
    }
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace app::changes
