#pragma once
// The pattern every multi-device collector shares: the collector enumerates
// its devices once, in its constructor, and hands out its items by a 0-based
// index. An index outside 0..Count()-1 gives no item, never an error; the same
// index gives the same item object every time.

#include <cstdint>
#include <memory>
#include <vector>

namespace collectors {

template <typename ItemT>
class Collection {
public:
    std::int16_t Count() const { return static_cast<std::int16_t>(items_.size()); }

    // Null outside the range. A slot inside the range that holds no item gets
    // a fresh one with its initial values, kept for later calls.
    const ItemT* Item(std::int16_t index) const {
        if (index < 0 || index >= Count()) return nullptr;
        auto& slot = items_[static_cast<std::size_t>(index)];
        if (!slot) slot = std::make_unique<ItemT>();
        return slot.get();
    }

protected:
    // For the collector while it enumerates: appends a filled item. A
    // collection holds at most 32767 items; devices beyond that are dropped.
    ItemT* Add(std::unique_ptr<ItemT> item) {
        if (items_.size() >= 32767) return nullptr;
        items_.push_back(std::move(item));
        return items_.back().get();
    }
    void ReserveSlots(std::size_t count) { items_.resize(std::min<std::size_t>(count, 32767)); }

private:
    mutable std::vector<std::unique_ptr<ItemT>> items_;
};

}  // namespace collectors
