#pragma once
// A category as the page and the report see it: how many devices its
// collector found, which one to show first, and the fields of each device. A
// single-object category (the processor, memory...) is a page with one
// device.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "app/pages/FieldValues.h"

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

template <typename Source>
void WriteFields(std::span<const Field<Source>> fields, const Source& source, const format::FormatEx& format,
                 FieldSink& sink) {
    for (const auto& field : fields)
        if (!field.pageOnly || sink.WritesPageOnlyFields())
            sink.Write(field.captionLabel, field.kind, field.value(source, format));
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
