#include "app/pages/ProcessorCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Processor.h"

namespace app {

namespace {

constexpr PageRow kRows[] = {
    {"LabelProcessorName", "Name:", L"Naam:", 1},
    {"LabelProcessorType", "Type:", L"Type:", 2},
    {"LabelProcessorManufacturerid", "Manufacturer ID:", L"Fabrikant-ID:", 3},
    {"LabelProcessorProcessors", "Processors:", L"Processoren:", 4},
    {"LabelProcessorSpeed", "Speed:", L"Snelheid:", 5},
    {"LabelProcessorSerialnumber", "Serial Number:", L"Serienummer:", 6},
    {"LabelProcessorFamilyid", "Family ID:", L"Familie-ID:", 7},
    {"LabelProcessorModelid", "Model ID:", L"Model-ID:", 8},
    {"LabelProcessorSteppingid", "Stepping ID:", L"Stepping-ID:", 9},
    {"LabelProcessorBrandid", "Brand ID:", L"Merk-ID:", 10},
    {"LabelProcessorTypeid", "Type ID:", L"Type-ID:", 11},
};

using collectors::Processor;
using format::FormatEx;

using namespace field;

constexpr Field<Processor> kFields[] = {
    {"LabelProcessorName", FieldKind::kText, [](const Processor& p, const FormatEx&) { return NonEmpty(p.Name()); }},
    {"LabelProcessorType", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return NonEmpty(p.ProcessorType()); }},
    {"LabelProcessorManufacturerid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return NonEmpty(p.ManufacturerID()); }},
    {"LabelProcessorProcessors", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Integer(p.Processors() != 0, p.Processors()); }},
    {"LabelProcessorSpeed", FieldKind::kText,
     [](const Processor& p, const FormatEx& f) {
         auto value = Text(p.Speed() > 0, f.FormatGeneralNumber(p.Speed()) + L" MHz");
         if (value.valid) value.number = p.Speed();
         return value;
     }},
    {"LabelProcessorSerialnumber", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return NonEmpty(p.SerialNumber()); }},
    {"LabelProcessorFamilyid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Integer(true, p.BaseFamilyID()); }},
    {"LabelProcessorModelid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return NonEmpty(p.BaseModelID()); }},
    {"LabelProcessorSteppingid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Integer(true, p.SteppingID()); }},
    {"LabelProcessorBrandid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Integer(true, p.BrandID()); }},
    {"LabelProcessorTypeid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Integer(true, p.TypeID()); }},
};

std::span<const Field<Processor>> ProcessorFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelProcessorName", "Name"},
    {"LabelProcessorType", "ProcessorType"},
    {"LabelProcessorManufacturerid", "ManufacturerID"},
    {"LabelProcessorProcessors", "Processors"},
    {"LabelProcessorSpeed", "Speed"},
    {"LabelProcessorSerialnumber", "SerialNumber"},
    {"LabelProcessorFamilyid", "BaseFamilyID"},
    {"LabelProcessorModelid", "BaseModelID"},
    {"LabelProcessorSteppingid", "SteppingID"},
    {"LabelProcessorBrandid", "BrandID"},
    {"LabelProcessorTypeid", "TypeID"},
};

}  // namespace

const CategoryRow& ProcessorCategory() {
    static const SingleObjectKind<collectors::Processor> kKind(ProcessorFields);
    static const CategoryRow kRow{
        .category = kProcessor,
        .page = {.designTabText = "Processor",
                 .dutchTabText = L"Processor",
                 .frameHeightTwips = 4425,
                 .multiDevice = false,
                 .rows = kRows},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
