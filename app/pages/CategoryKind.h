#pragma once
// How a category's page is made over its collector, and which caption labels
// its fields write. The two kinds: one object, and a collection of devices
// whose fields read one device each (and optionally the whole collection,
// written before the devices). Both take the category's one table of field
// declarations; a field belongs to the object its value rule reads.

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

// The labels of the fields that read a `Source`, in table order.
template <typename Source>
std::vector<const char*> LabelsReading(std::span<const FieldDeclaration> fields) {
    std::vector<const char*> labels;
    for (const FieldDeclaration& field : fields)
        if (field.Reads<Source>()) labels.push_back(field.label);
    return labels;
}

// What the 500 ms timer rewrites on a page it refreshes.
enum class TimerRewrites { kNothing, kLiveFields, kAllFields };

// One object: the processor, memory, keyboard, mouse, battery.
template <typename Collector>
class SingleObjectKind final : public CategoryKind {
public:
    constexpr explicit SingleObjectKind(std::span<const FieldDeclaration> fields,
                                        TimerRewrites rewrites = TimerRewrites::kNothing)
        : fields_(fields), rewrites_(rewrites) {}

    std::unique_ptr<DevicePage> MakePage(platform::Machine& machine) const override {
        return std::make_unique<Page>(machine, *this);
    }
    std::vector<const char*> ItemLabels() const override { return LabelsReading<Collector>(fields_); }

private:
    class Page final : public DevicePage {
    public:
        Page(platform::Machine& machine, const SingleObjectKind& kind) : collector_(machine), kind_(kind) {}
        std::int16_t Count() override { return 1; }
        void WriteItemFields(std::int16_t, FieldSink& sink, const format::FormatEx& format) override {
            WriteFields(kind_.fields_, collector_, format, sink);
        }
        void Refresh(FieldSink& sink, const format::FormatEx& format) override {
            if constexpr (requires(Collector& c) { c.Refresh(); }) {
                if (kind_.rewrites_ == TimerRewrites::kNothing) return;
                collector_.Refresh();
                WriteFields(kind_.fields_, collector_, format, sink,
                            kind_.rewrites_ == TimerRewrites::kLiveFields ? FieldChoice::kLive : FieldChoice::kAll);
            }
        }

    private:
        Collector collector_;
        const SingleObjectKind& kind_;
    };

    std::span<const FieldDeclaration> fields_;
    TimerRewrites rewrites_;
};

// The item class of a collection: what its Item() points at.
template <typename Collection>
using ItemOf = std::remove_cvref_t<decltype(*std::declval<const Collection&>().Item(0))>;

// A collection of devices (collectors/Collection.h).
template <typename Collection>
class CollectionKind final : public CategoryKind {
public:
    using Item = ItemOf<Collection>;
    // The device shown first, or -1 for the first.
    using Preferred = int (*)(const Collection&);

    constexpr explicit CollectionKind(std::span<const FieldDeclaration> fields, Preferred preferred = nullptr)
        : fields_(fields), preferred_(preferred) {}

    std::unique_ptr<DevicePage> MakePage(platform::Machine& machine) const override {
        return std::make_unique<Page>(machine, *this);
    }
    std::vector<const char*> CollectionLabels() const override { return LabelsReading<Collection>(fields_); }
    std::vector<const char*> ItemLabels() const override { return LabelsReading<Item>(fields_); }

private:
    class Page final : public DevicePage {
    public:
        Page(platform::Machine& machine, const CollectionKind& kind) : collection_(machine), kind_(kind) {}
        std::int16_t Count() override { return collection_.Count(); }
        std::size_t Found() override { return collection_.Found(); }
        int PreferredItem() override { return kind_.preferred_ ? kind_.preferred_(collection_) : -1; }
        void WriteCollectionFields(FieldSink& sink, const format::FormatEx& format) override {
            WriteFields(kind_.fields_, collection_, format, sink);
        }
        void WriteItemFields(std::int16_t item, FieldSink& sink, const format::FormatEx& format) override {
            if (const Item* device = collection_.Item(item)) WriteFields(kind_.fields_, *device, format, sink);
        }

    private:
        Collection collection_;
        const CollectionKind& kind_;
    };

    std::span<const FieldDeclaration> fields_;
    Preferred preferred_;
};

}  // namespace app
