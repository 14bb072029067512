#include "app/pages/ProcessorCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Processor.h"

namespace app {

namespace {

using collectors::Processor;
using format::FormatEx;

using namespace field;

constexpr FieldDeclaration kFields[] = {
    {.label = "LabelProcessorName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 1,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return NonEmpty(p.Name()); }>,
     .json = {"Name", JsonType::kText, "processor name"}},
    {.label = "LabelProcessorType", .designCaption = "Type:", .dutchCaption = L"Type:", .row = 2,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return NonEmpty(p.ProcessorType()); }>,
     .json = {"ProcessorType", JsonType::kText}},
    {.label = "LabelProcessorManufacturerid", .designCaption = "Manufacturer ID:",
     .dutchCaption = L"Fabrikant-ID:", .row = 3,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return NonEmpty(p.ManufacturerID()); }>,
     .json = {"ManufacturerID", JsonType::kText, "the vendor string, e.g. GenuineIntel"}},
    {.label = "LabelProcessorProcessors", .designCaption = "Processors:", .dutchCaption = L"Processoren:", .row = 4,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) {
         return Integer(p.Processors() != 0, p.Processors());
     }>,
     .json = {"Processors", JsonType::kInteger, "number of logical processors"}},
    {.label = "LabelProcessorSpeed", .designCaption = "Speed:", .dutchCaption = L"Snelheid:", .row = 5,
     .value = ValueFrom<[](const Processor& p, const FormatEx& f) {
         auto value = Text(p.Speed() > 0, f.FormatGeneralNumber(p.Speed()) + L" MHz");
         if (value.valid) value.number = p.Speed();
         return value;
     }>,
     .json = {"Speed", JsonType::kNumber, "clock in MHz"}, .live = true},
    {.label = "LabelProcessorSerialnumber", .designCaption = "Serial Number:",
     .dutchCaption = L"Serienummer:", .row = 6,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return NonEmpty(p.SerialNumber()); }>,
     .json = {"SerialNumber", JsonType::kText}},
    {.label = "LabelProcessorFamilyid", .designCaption = "Family ID:", .dutchCaption = L"Familie-ID:", .row = 7,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return Integer(true, p.BaseFamilyID()); }>,
     .json = {"BaseFamilyID", JsonType::kInteger}},
    {.label = "LabelProcessorModelid", .designCaption = "Model ID:", .dutchCaption = L"Model-ID:", .row = 8,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return NonEmpty(p.BaseModelID()); }>,
     .json = {"BaseModelID", JsonType::kText, "model as text"}},
    {.label = "LabelProcessorSteppingid", .designCaption = "Stepping ID:", .dutchCaption = L"Stepping-ID:", .row = 9,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return Integer(true, p.SteppingID()); }>,
     .json = {"SteppingID", JsonType::kInteger}},
    {.label = "LabelProcessorBrandid", .designCaption = "Brand ID:", .dutchCaption = L"Merk-ID:", .row = 10,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return Integer(true, p.BrandID()); }>,
     .json = {"BrandID", JsonType::kInteger}},
    {.label = "LabelProcessorTypeid", .designCaption = "Type ID:", .dutchCaption = L"Type-ID:", .row = 11,
     .value = ValueFrom<[](const Processor& p, const FormatEx&) { return Integer(true, p.TypeID()); }>,
     .json = {"TypeID", JsonType::kInteger}},
};

}  // namespace

const CategoryRow& ProcessorCategory() {
    static const SingleObjectKind<collectors::Processor> kKind(kFields);
    static const CategoryRow kRow{
        .category = kProcessor,
        .page = {.designTabText = "Processor",
                 .dutchTabText = L"Processor",
                 .frameHeightTwips = 4425,
                 .multiDevice = false,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
