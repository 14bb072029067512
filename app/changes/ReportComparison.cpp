#include "app/changes/ReportComparison.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "app/changes/FieldTraits.h"
#include "app/changes/PageWords.h"

namespace app::changes {

namespace {

// A device's place in its list, which says nothing about the device.
constexpr std::string_view kIndexKey = "Index";

// A key one document lacks counts as null there.
const Json& Member(const Json& object, const std::string& key) {
    static const Json kAbsent;
    const auto found = object.find(key);
    return found != object.end() ? *found : kAbsent;
}

std::vector<FieldChange> CompareFields(int category, const Json& earlier, const Json& later,
                                       const ComparisonOptions& options) {
    std::vector<FieldChange> changes;
    const auto consider = [&](const std::string& key, const Json& before, const Json& after) {
        if (key == kIndexKey || (!options.allFields && IsLive(category, key))) return;
        // Numbers compare by value: 2200 and 2200.0 are one speed.
        if (before != after) changes.push_back({key, before, after});
    };
    for (const auto& member : later.items()) consider(member.key(), Member(earlier, member.key()), member.value());
    for (const auto& member : earlier.items())
        if (!later.contains(member.key())) consider(member.key(), member.value(), Json());
    return changes;
}

// A serial names a device only when there is one to read.
bool HasValue(const Json& value) {
    if (value.is_null()) return false;
    if (!value.is_string()) return true;
    const auto& text = value.get_ref<const std::string&>();
    return text.find_first_not_of(' ') != std::string::npos;
}

// The name a device is matched by: its serials where it has any, else its
// model and place. Keys are sorted, so a hand-written file's order of keys
// does not matter.
std::string IdentityKey(int category, const Json& item) {
    std::vector<std::pair<std::string, const Json*>> serials, named;
    for (const auto& member : item.items()) {
        const IdentityRole role = RoleOf(category, member.key());
        if (role == IdentityRole::kSerial && HasValue(member.value()))
            serials.emplace_back(member.key(), &member.value());
        else if (role == IdentityRole::kModel || role == IdentityRole::kPlace)
            named.emplace_back(member.key(), &member.value());
    }
    auto& parts = serials.empty() ? named : serials;
    std::sort(parts.begin(), parts.end());
    std::string key = serials.empty() ? "model" : "serial";
    for (const auto& [name, value] : parts) key += '\x1f' + name + '=' + value->dump();
    return key;
}

Json IdentityOf(int category, const Json& item) {
    Json identity = Json::object();
    for (const auto& member : item.items())
        if (IsIdentity(category, member.key())) identity[member.key()] = member.value();
    return identity;
}

// The earlier devices of one name, in list order, and how many are matched.
struct Waiting {
    std::vector<int> indices;
    std::size_t next = 0;
};

DeviceChange Listed(DeviceChange::Kind kind, int category, const Json& item, int index) {
    DeviceChange change;
    change.kind = kind;
    (kind == DeviceChange::Kind::kRemoved ? change.earlierIndex : change.index) = index;
    change.identity = IdentityOf(category, item);
    change.item = item;
    return change;
}

void CompareDevices(int category, const Json& earlier, const Json& later, const ComparisonOptions& options,
                    std::vector<DeviceChange>& out) {
    std::unordered_map<std::string, Waiting> waiting;
    for (std::size_t i = 0; i < earlier.size(); ++i)
        waiting[IdentityKey(category, earlier[i])].indices.push_back(static_cast<int>(i));
    std::vector<bool> matched(earlier.size(), false);
    std::vector<DeviceChange> added, changed;
    for (std::size_t j = 0; j < later.size(); ++j) {
        const int index = static_cast<int>(j);
        const auto found = waiting.find(IdentityKey(category, later[j]));
        if (found == waiting.end() || found->second.next == found->second.indices.size()) {
            added.push_back(Listed(DeviceChange::Kind::kAdded, category, later[j], index));
            continue;
        }
        const int before = found->second.indices[found->second.next++];
        matched[static_cast<std::size_t>(before)] = true;
        auto fields = CompareFields(category, earlier[static_cast<std::size_t>(before)], later[j], options);
        if (fields.empty()) continue;
        DeviceChange change;
        change.kind = DeviceChange::Kind::kChanged;
        change.earlierIndex = before;
        change.index = index;
        change.identity = IdentityOf(category, later[j]);
        change.fields = std::move(fields);
        changed.push_back(std::move(change));
    }
    for (std::size_t i = 0; i < earlier.size(); ++i)
        if (!matched[i]) out.push_back(Listed(DeviceChange::Kind::kRemoved, category, earlier[i], static_cast<int>(i)));
    std::move(added.begin(), added.end(), std::back_inserter(out));
    std::move(changed.begin(), changed.end(), std::back_inserter(out));
}

}  // namespace

std::vector<CategoryChanges> CompareReports(const Json& earlier, const Json& later, const ComparisonOptions& options) {
    std::vector<CategoryChanges> result;
    const Json& before = earlier.at("categories");
    const Json& after = later.at("categories");
    for (int category = 0; category < CategoryCount(); ++category) {
        const std::string name = CategoryJsonName(category);
        if (!before.contains(name) || !after.contains(name)) continue;
        const Json& earlierBlock = before.at(name);
        const Json& laterBlock = after.at(name);
        CategoryChanges changes;
        changes.category = category;
        changes.fields = CompareFields(category, earlierBlock.at("fields"), laterBlock.at("fields"), options);
        if (ListsDevices(category))
            CompareDevices(category, earlierBlock.at("items"), laterBlock.at("items"), options, changes.devices);
        if (!changes.fields.empty() || !changes.devices.empty()) result.push_back(std::move(changes));
    }
    return result;
}

}  // namespace app::changes
