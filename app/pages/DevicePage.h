#pragma once
// A category as the page and the report see it: how many devices its
// collector found, which one to show first, and the fields of each device. A
// single-object category (the processor, memory...) is a page with one
// device.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "app/pages/FieldDeclaration.h"

namespace app {

// Receives the fields of a row set, in row order: the page writes them on its
// labels, the report as lines.
class FieldSink {
public:
    virtual ~FieldSink() = default;
    virtual void Write(const char* captionLabel, FieldKind kind, const FieldValue& value) = 0;
    // False for the report, which leaves out the fields only the page shows.
    virtual bool WritesPageOnlyFields() const { return true; }
};

// Which fields of a table a write takes: all, or those that change by themselves.
enum class FieldChoice { kAll, kLive };

// Writes the fields of `fields` that read a `Source`, in their order.
template <typename Source>
void WriteFields(std::span<const FieldDeclaration> fields, const Source& source, const format::FormatEx& format,
                 FieldSink& sink, FieldChoice choice = FieldChoice::kAll) {
    for (const FieldDeclaration& field : fields) {
        if (!field.Reads<Source>() || (choice == FieldChoice::kLive && !field.live)) continue;
        if (field.inTextReport || sink.WritesPageOnlyFields())
            sink.Write(field.label, field.Kind(), field.ValueOf(source, format));
    }
}

class DevicePage {
public:
    virtual ~DevicePage() = default;
    virtual std::int16_t Count() = 0;
    // The devices the machine listed; more than Count() when the list was
    // cut at the most a page can show.
    virtual std::size_t Found() { return static_cast<std::size_t>(Count()); }
    // The device shown first (the mode in use, the default printer...); -1 for the first.
    virtual int PreferredItem() { return -1; }
    // Fields of the whole collection, written before the devices (the display
    // adapter and its monitor).
    virtual void WriteCollectionFields(FieldSink&, const format::FormatEx&) {}
    virtual void WriteItemFields(std::int16_t item, FieldSink& sink, const format::FormatEx& format) = 0;
    // Reads the live values again and writes the fields that change (the
    // 500 ms timer's categories).
    virtual void Refresh(FieldSink&, const format::FormatEx&) {}
};

}  // namespace app
