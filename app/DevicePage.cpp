#include "app/DevicePage.h"

#include "app/DutchTexts.h"
#include "app/PageRows.h"

namespace app {

namespace {

class EmptyDevicePage : public DevicePage {
public:
    explicit EmptyDevicePage(bool hasAdapter) : hasAdapter_(hasAdapter) {}
    std::int16_t Count() override { return 0; }
    void WriteCollectionFields(FieldSink& sink, const format::FormatEx&) override {
        if (!hasAdapter_) return;
        const FieldValue unknown{false, {}, 0, kUnknown};
        sink.Write("LabelDisplayName", FieldKind::kText, unknown);
        sink.Write("LabelDisplayMonitor", FieldKind::kText, unknown);
    }
    void WriteItemFields(std::int16_t, FieldSink&, const format::FormatEx&) override {}

private:
    bool hasAdapter_;
};

}  // namespace

std::unique_ptr<DevicePage> MakeEmptyDevicePage(int category) {
    return std::make_unique<EmptyDevicePage>(category == kDisplay);
}

}  // namespace app
