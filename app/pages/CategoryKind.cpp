#include "app/pages/CategoryKind.h"

#include "app/pages/DutchTexts.h"

namespace app {

namespace {

class EmptyDevicePage final : public DevicePage {
public:
    explicit EmptyDevicePage(std::vector<const char*> collectionLabels)
        : collectionLabels_(std::move(collectionLabels)) {}
    std::int16_t Count() override { return 0; }
    void WriteCollectionFields(FieldSink& sink, const format::FormatEx&) override {
        const FieldValue unknown{false, {}, 0, kUnknown};
        for (const char* label : collectionLabels_) sink.Write(label, FieldKind::kText, unknown);
    }
    void WriteItemFields(std::int16_t, FieldSink&, const format::FormatEx&) override {}

private:
    std::vector<const char*> collectionLabels_;
};

}  // namespace

std::unique_ptr<DevicePage> NoCollectorKind::MakePage(platform::Machine&) const {
    return std::make_unique<EmptyDevicePage>(CollectionLabels());
}

}  // namespace app
