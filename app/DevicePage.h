#pragma once
// A device category as the page and the report see it: how many devices its
// collector found, which one to show first, and the fields of each device.
// Every device collector is wrapped in one of these; until a category's
// collector exists it has no devices.

#include <cstdint>
#include <memory>
#include <span>

#include "app/CategoryFields.h"

namespace app {

// Receives the fields of a row set, in row order: the page writes them on its
// labels, the report as lines.
class FieldSink {
public:
    virtual ~FieldSink() = default;
    virtual void Write(const char* captionLabel, FieldKind kind, const FieldValue& value) = 0;
};

template <typename Source>
void WriteFields(std::span<const Field<Source>> fields, const Source& source, const format::FormatEx& format,
                 FieldSink& sink) {
    for (const auto& field : fields) sink.Write(field.captionLabel, field.kind, field.value(source, format));
}

class DevicePage {
public:
    virtual ~DevicePage() = default;
    virtual std::int16_t Count() = 0;
    // The device shown first (the mode in use, the default printer...); -1 for the first.
    virtual int PreferredItem() { return -1; }
    // Fields of the whole collection, written before the devices (the display
    // adapter and its monitor).
    virtual void WriteCollectionFields(FieldSink&, const format::FormatEx&) {}
    virtual void WriteItemFields(std::int16_t item, FieldSink& sink, const format::FormatEx& format) = 0;
};

// A category whose collector finds nothing (or does not exist yet). For the
// display category, the adapter's name and monitor are then unknown.
std::unique_ptr<DevicePage> MakeEmptyDevicePage(int category);

}  // namespace app
