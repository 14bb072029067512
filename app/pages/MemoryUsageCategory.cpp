#include "app/pages/MemoryUsageCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/MemoryUsage.h"

namespace app {

namespace {

constexpr PageRow kRows[] = {
    {"LabelMemoryusageTotalphysical", "Total Physical:", L"Totaal Fysiek:", 1},
    {"LabelMemoryusageAvailablephysical", "Available Physical:", L"Beschikbaar Fysiek:", 2},
    {"LabelMemoryusageTotalvirtual", "Total Virtual:", L"Totaal Virtueel:", 3},
    {"LabelMemoryusageAvailablevirtual", "Available Virtual:", L"Beschikbaar Virtueel:", 4},
    {"LabelMemoryusageLoad", "Load:", L"Belasting:", 5},
};

using collectors::MemoryUsage;
using format::FormatEx;

using namespace field;

constexpr Field<MemoryUsage> kFields[] = {
    {"LabelMemoryusageTotalphysical", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.TotalPhysical(), f); }},
    {"LabelMemoryusageAvailablephysical", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.AvailablePhysical(), f); }},
    {"LabelMemoryusageTotalvirtual", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.TotalVirtual(), f); }},
    {"LabelMemoryusageAvailablevirtual", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.AvailableVirtual(), f); }},
    {"LabelMemoryusageLoad", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx&) { return Number(m.Load() != 0, m.Load(), Decimal(m.Load()) + L" %"); }},
};

std::span<const Field<MemoryUsage>> MemoryUsageFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelMemoryusageTotalphysical", "TotalPhysical"},
    {"LabelMemoryusageAvailablephysical", "AvailablePhysical"},
    {"LabelMemoryusageTotalvirtual", "TotalVirtual"},
    {"LabelMemoryusageAvailablevirtual", "AvailableVirtual"},
    {"LabelMemoryusageLoad", "Load"},
};

}  // namespace

const CategoryRow& MemoryUsageCategory() {
    static const SingleObjectKind<collectors::MemoryUsage> kKind(MemoryUsageFields, MemoryUsageFields);
    static const CategoryRow kRow{
        .category = kMemoryUsage,
        .page = {.designTabText = "Memory Usage",
                 .dutchTabText = L"Geheugengebruik",
                 .frameHeightTwips = 2265,
                 .multiDevice = false,
                 .rows = kRows},
        .kind = kKind,
        .fieldKeys = kKeys,
        .refreshedByTimer = true,
    };
    return kRow;
}

}  // namespace app
