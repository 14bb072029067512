#include "app/pages/MemoryUsageCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/MemoryUsage.h"

namespace app {

namespace {

using collectors::MemoryUsage;
using format::FormatEx;

using namespace field;

constexpr FieldDeclaration kFields[] = {
    {.label = "LabelMemoryusageTotalphysical", .designCaption = "Total Physical:",
     .dutchCaption = L"Totaal Fysiek:", .row = 1,
     .value = ValueFrom<[](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.TotalPhysical(), f); }>,
     .json = {"TotalPhysical", JsonType::kBytes, "bytes"}},
    {.label = "LabelMemoryusageAvailablephysical", .designCaption = "Available Physical:",
     .dutchCaption = L"Beschikbaar Fysiek:", .row = 2,
     .value = ValueFrom<[](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.AvailablePhysical(), f); }>,
     .json = {"AvailablePhysical", JsonType::kBytes, "bytes"}, .live = true},
    {.label = "LabelMemoryusageTotalvirtual", .designCaption = "Total Virtual:",
     .dutchCaption = L"Totaal Virtueel:", .row = 3,
     .value = ValueFrom<[](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.TotalVirtual(), f); }>,
     .json = {"TotalVirtual", JsonType::kBytes, "bytes"}},
    {.label = "LabelMemoryusageAvailablevirtual", .designCaption = "Available Virtual:",
     .dutchCaption = L"Beschikbaar Virtueel:", .row = 4,
     .value = ValueFrom<[](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.AvailableVirtual(), f); }>,
     .json = {"AvailableVirtual", JsonType::kBytes, "bytes"}, .live = true},
    {.label = "LabelMemoryusageLoad", .designCaption = "Load:", .dutchCaption = L"Belasting:", .row = 5,
     .value = ValueFrom<[](const MemoryUsage& m, const FormatEx&) {
         return Number(m.Load() != 0, m.Load(), Decimal(m.Load()) + L" %");
     }>,
     .json = {"Load", JsonType::kInteger, "per cent"}, .live = true},
};

}  // namespace

const CategoryRow& MemoryUsageCategory() {
    static const SingleObjectKind<collectors::MemoryUsage> kKind(kFields, TimerRewrites::kAllFields);
    static const CategoryRow kRow{
        .category = kMemoryUsage,
        .page = {.designTabText = "Memory Usage",
                 .dutchTabText = L"Geheugengebruik",
                 .frameHeightTwips = 2265,
                 .multiDevice = false,
                 .rows = kFields},
        .kind = kKind,
        .refreshedByTimer = true,
    };
    return kRow;
}

}  // namespace app
