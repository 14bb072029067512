#pragma once
// How a category's page is made over its collector, and which caption labels
// its fields write. The two kinds: one object with one table of fields, and a
// collection of devices with a table per device (and optionally one for the
// whole collection, written before the devices).

#include <memory>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/pages/DevicePage.h"
#include "platform/machine.h"

namespace app {

class CategoryKind {
public:
    virtual ~CategoryKind() = default;
    // Makes the page over a new collector, which reads the machine now.
    virtual std::unique_ptr<DevicePage> MakePage(platform::Machine& machine) const = 0;
    // The caption labels of the fields written before the devices.
    virtual std::vector<const char*> CollectionLabels() const { return {}; }
    // The caption labels of one device's fields.
    virtual std::vector<const char*> ItemLabels() const = 0;

    bool HasCollectionFields() const { return !CollectionLabels().empty(); }
};

template <typename Source>
std::vector<const char*> LabelsOf(std::span<const Field<Source>> fields) {
    std::vector<const char*> labels;
    for (const auto& field : fields) labels.push_back(field.captionLabel);
    return labels;
}

// One object: the processor, memory, keyboard, mouse, battery.
template <typename Collector>
class SingleObjectKind final : public CategoryKind {
public:
    using Fields = std::span<const Field<Collector>> (*)();

    // `refreshed`: the fields the timer rewrites after the collector's
    // Refresh(); none for a category the timer leaves alone.
    constexpr explicit SingleObjectKind(Fields fields, Fields refreshed = nullptr)
        : fields_(fields), refreshed_(refreshed) {}

    std::unique_ptr<DevicePage> MakePage(platform::Machine& machine) const override {
        return std::make_unique<Page>(machine, fields_(), refreshed_ ? refreshed_() : Span());
    }
    std::vector<const char*> ItemLabels() const override { return LabelsOf(fields_()); }

private:
    using Span = std::span<const Field<Collector>>;

    class Page final : public DevicePage {
    public:
        Page(platform::Machine& machine, Span fields, Span refreshed)
            : collector_(machine), fields_(fields), refreshed_(refreshed) {}
        std::int16_t Count() override { return 1; }
        void WriteItemFields(std::int16_t, FieldSink& sink, const format::FormatEx& format) override {
            WriteFields(fields_, collector_, format, sink);
        }
        void Refresh(FieldSink& sink, const format::FormatEx& format) override {
            if constexpr (requires(Collector& c) { c.Refresh(); }) {
                if (refreshed_.empty()) return;
                collector_.Refresh();
                WriteFields(refreshed_, collector_, format, sink);
            }
        }

    private:
        Collector collector_;
        Span fields_;
        Span refreshed_;
    };

    Fields fields_;
    Fields refreshed_;
};

// The item class of a collection: what its Item() points at.
template <typename Collection>
using ItemOf = std::remove_cvref_t<decltype(*std::declval<const Collection&>().Item(0))>;

// A collection of devices (collectors/Collection.h).
template <typename Collection>
class CollectionKind final : public CategoryKind {
public:
    using Item = ItemOf<Collection>;
    using ItemFields = std::span<const Field<Item>> (*)();
    using WholeFields = std::span<const Field<Collection>> (*)();
    // The device shown first, or -1 for the first.
    using Preferred = int (*)(const Collection&);

    constexpr explicit CollectionKind(ItemFields items, WholeFields whole = nullptr, Preferred preferred = nullptr)
        : items_(items), whole_(whole), preferred_(preferred) {}

    std::unique_ptr<DevicePage> MakePage(platform::Machine& machine) const override {
        return std::make_unique<Page>(machine, *this);
    }
    std::vector<const char*> CollectionLabels() const override {
        return whole_ ? LabelsOf(whole_()) : std::vector<const char*>{};
    }
    std::vector<const char*> ItemLabels() const override { return LabelsOf(items_()); }

private:
    class Page final : public DevicePage {
    public:
        Page(platform::Machine& machine, const CollectionKind& kind) : collection_(machine), kind_(kind) {}
        std::int16_t Count() override { return collection_.Count(); }
        std::size_t Found() override { return collection_.Found(); }
        int PreferredItem() override { return kind_.preferred_ ? kind_.preferred_(collection_) : -1; }
        void WriteCollectionFields(FieldSink& sink, const format::FormatEx& format) override {
            if (kind_.whole_) WriteFields(kind_.whole_(), collection_, format, sink);
        }
        void WriteItemFields(std::int16_t item, FieldSink& sink, const format::FormatEx& format) override {
            if (const Item* device = collection_.Item(item)) WriteFields(kind_.items_(), *device, format, sink);
        }

    private:
        Collection collection_;
        const CollectionKind& kind_;
    };

    ItemFields items_;
    WholeFields whole_;
    Preferred preferred_;
};

}  // namespace app
