#include "app/pages/CategoryFields.h"

#include "app/pages/DutchTexts.h"
#include "format/TimeEx.h"

namespace app {

namespace {

using collectors::Battery;
using collectors::Keyboard;
using collectors::MemoryUsage;
using collectors::Mouse;
using collectors::Processor;
using format::FormatEx;

using namespace field;

constexpr Field<Processor> kProcessor[] = {
    {"LabelProcessorName", FieldKind::kText, [](const Processor& p, const FormatEx&) { return NonEmpty(p.Name()); }},
    {"LabelProcessorType", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return NonEmpty(p.ProcessorType()); }},
    {"LabelProcessorManufacturerid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return NonEmpty(p.ManufacturerID()); }},
    {"LabelProcessorProcessors", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Text(p.Processors() != 0, Decimal(p.Processors())); }},
    {"LabelProcessorSpeed", FieldKind::kText,
     [](const Processor& p, const FormatEx& f) {
         return Text(p.Speed() > 0, f.FormatGeneralNumber(p.Speed()) + L" MHz");
     }},
    {"LabelProcessorSerialnumber", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return NonEmpty(p.SerialNumber()); }},
    {"LabelProcessorFamilyid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Always(Decimal(p.BaseFamilyID())); }},
    {"LabelProcessorModelid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return NonEmpty(p.BaseModelID()); }},
    {"LabelProcessorSteppingid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Always(Decimal(p.SteppingID())); }},
    {"LabelProcessorBrandid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Always(Decimal(p.BrandID())); }},
    {"LabelProcessorTypeid", FieldKind::kText,
     [](const Processor& p, const FormatEx&) { return Always(Decimal(p.TypeID())); }},
};

constexpr Field<MemoryUsage> kMemory[] = {
    {"LabelMemoryusageTotalphysical", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.TotalPhysical(), f); }},
    {"LabelMemoryusageAvailablephysical", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.AvailablePhysical(), f); }},
    {"LabelMemoryusageTotalvirtual", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.TotalVirtual(), f); }},
    {"LabelMemoryusageAvailablevirtual", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx& f) { return Kilobytes(m.AvailableVirtual(), f); }},
    {"LabelMemoryusageLoad", FieldKind::kText,
     [](const MemoryUsage& m, const FormatEx&) { return Text(m.Load() != 0, Decimal(m.Load()) + L" %"); }},
};

constexpr Field<Keyboard> kKeyboard[] = {
    {"LabelKeyboardType", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) { return NonEmpty(k.KeyboardType()); }},
    {"LabelKeyboardLayoutid", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) { return NonEmpty(k.LayoutID()); }},
    {"LabelKeyboardFunctionkeys", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) { return Text(k.FunctionKeys() != 0, Decimal(k.FunctionKeys())); }},
    // The settings are shown as the times they stand for, not as raw
    // settings, and only when the machine gave them.
    {"LabelKeyboardRepeatdelay", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) {
         return Text(k.RepeatDelayReported(), Decimal(Keyboard::RepeatDelayMilliseconds(k.RepeatDelay())) + L" ms");
     }},
    {"LabelKeyboardRepeatspeed", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) {
         return Text(k.RepeatSpeedReported(), Decimal(Keyboard::RepeatIntervalMilliseconds(k.RepeatSpeed())) + L" ms");
     }},
    {"LabelKeyboardCapslock", FieldKind::kList,
     [](const Keyboard& k, const FormatEx&) { return BooleanList(k.CapsLockStatus()); }},
    {"LabelKeyboardNumlock", FieldKind::kList,
     [](const Keyboard& k, const FormatEx&) { return BooleanList(k.NumLockStatus()); }},
    {"LabelKeyboardScrolllock", FieldKind::kList,
     [](const Keyboard& k, const FormatEx&) { return BooleanList(k.ScrollLockStatus()); }},
};

constexpr Field<Mouse> kMouse[] = {
    {"LabelMouseButtons", FieldKind::kText,
     [](const Mouse& m, const FormatEx&) { return Text(m.Buttons() != 0, Decimal(m.Buttons()), kNotPresent); }},
    {"LabelMouseButtonconfiguration", FieldKind::kList,
     [](const Mouse& m, const FormatEx&) {
         const auto c = m.ButtonConfiguration();
         return List(c == 1 || c == 2, c, kNotPresent);
     }},
    {"LabelMouseDoubleclickspeed", FieldKind::kText,
     [](const Mouse& m, const FormatEx&) {
         return Text(m.DoubleClickSpeed() > 0, Decimal(m.DoubleClickSpeed()) + L" ms", kNotPresent);
     }},
    {"LabelMouseWheel", FieldKind::kList, [](const Mouse& m, const FormatEx&) { return BooleanList(m.Wheel()); }},
};

constexpr Field<Battery> kBattery[] = {
    {"LabelBatteryPowerstatus", FieldKind::kList,
     [](const Battery& b, const FormatEx&) {
         const auto s = b.PowerStatus();
         return List(s == 0 || s == 1, s);
     }},
    {"LabelBatteryChargestatus", FieldKind::kList,
     [](const Battery& b, const FormatEx&) {
         const auto s = b.ChargeStatus();
         return List((s >= 0 && s <= 3) || s == 7, s);
     }},
    {"LabelBatteryLifepercent", FieldKind::kText,
     [](const Battery& b, const FormatEx&) {
         return Text(b.LifePercent() != Battery::kNotReported, Decimal(b.LifePercent()) + L"%");
     }},
    {"LabelBatteryLifetime", FieldKind::kText,
     [](const Battery& b, const FormatEx& f) {
         const std::wstring text =
             b.LifeTime() ? format::TimeEx::Text(*b.LifeTime(), f.Regional().timeFormat) : std::wstring();
         return NonEmpty(text);
     }},
};

}  // namespace

std::span<const Field<Processor>> ProcessorFields() { return kProcessor; }
std::span<const Field<MemoryUsage>> MemoryUsageFields() { return kMemory; }
std::span<const Field<Keyboard>> KeyboardFields() { return kKeyboard; }
std::span<const Field<Keyboard>> KeyboardLockFields() { return std::span(kKeyboard).last(3); }
std::span<const Field<Mouse>> MouseFields() { return kMouse; }
std::span<const Field<Battery>> BatteryFields() { return kBattery; }

}  // namespace app
