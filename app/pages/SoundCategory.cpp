#include "app/pages/SoundCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Sound.h"

namespace app {

namespace {

using collectors::SoundItem;
using format::FormatEx;

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(4)", 1),
    {.label = "LabelSoundName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 2,
     .value = ValueFrom<[](const SoundItem& s, const FormatEx&) { return field::NonEmpty(s.Name()); }>,
     .json = {"Name", JsonType::kText}, .identity = IdentityRole::kModel},
    {.label = "LabelSoundVersion", .designCaption = "Version:", .dutchCaption = L"Versie:", .row = 3,
     .value = ValueFrom<[](const SoundItem& s, const FormatEx&) { return field::NonEmpty(s.Version()); }>,
     .json = {"Version", JsonType::kText}},
    {.label = "LabelSoundType", .designCaption = "Type:", .dutchCaption = L"Type:", .row = 4,
     .value = ValueFrom<[](const SoundItem& s, const FormatEx&) {
         return field::List(s.SoundType() > 0 && s.SoundType() < 3, s.SoundType());
     }>,
     .dutchList = L";Wave In;Wave Out", .json = {"SoundType", JsonType::kListValue, "1 Wave In, 2 Wave Out"},
     .identity = IdentityRole::kModel},
};

// The first waveform input device, or -1 when there is none.
int PreferredSoundItem(const collectors::Sound& sound) {
    for (std::int16_t i = 0; i < sound.Count(); ++i)
        if (sound.Item(i)->SoundType() == SoundItem::kWaveIn) return i;
    return -1;
}

}  // namespace

const CategoryRow& SoundCategory() {
    static const CollectionKind<collectors::Sound> kKind(kFields, PreferredSoundItem);
    static const CategoryRow kRow{
        .category = kSound,
        .page = {.designTabText = "Sound",
                 .dutchTabText = L"Geluid",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
