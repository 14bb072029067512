#pragma once
// The pattern every multi-device collector shares: the collector enumerates
// its devices once, in its constructor, and hands out its items by a 0-based
// index. An index outside 0..Count()-1 gives no item, never an error; the same
// index gives the same item object every time. A list holds at most
// kMaxItems devices (Count is a signed 16-bit number); the devices the
// machine listed past that are counted, not read, so that a cut list can say
// so.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace collectors {

template <typename ItemT>
class Collection {
public:
    static constexpr std::size_t kMaxItems = 32767;

    std::int16_t Count() const { return static_cast<std::int16_t>(items_.size()); }

    // Null outside the range. A slot inside the range that holds no item gets
    // a fresh one with its initial values, kept for later calls.
    const ItemT* Item(std::int16_t index) const {
        if (index < 0 || index >= Count()) return nullptr;
        auto& slot = items_[static_cast<std::size_t>(index)];
        if (!slot) slot = std::make_unique<ItemT>();
        return slot.get();
    }

    // The devices the machine listed: Count() unless the list was cut.
    std::size_t Found() const { return std::max(items_.size(), found_); }
    bool Cut() const { return Found() > items_.size(); }

protected:
    // For the collector while it enumerates: appends a filled item. Past
    // kMaxItems the item is dropped and only counted.
    ItemT* Add(std::unique_ptr<ItemT> item) {
        ++found_;
        if (Full()) return nullptr;
        items_.push_back(std::move(item));
        return items_.back().get();
    }
    bool Full() const { return items_.size() >= kMaxItems; }
    // A device past the limit, counted without being read.
    void CountPastLimit(std::size_t devices = 1) { found_ = std::max(found_, items_.size()) + devices; }

private:
    mutable std::vector<std::unique_ptr<ItemT>> items_;
    std::size_t found_ = 0;
};

}  // namespace collectors
