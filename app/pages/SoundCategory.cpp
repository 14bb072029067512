#include "app/pages/SoundCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Sound.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(4)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelSoundName", "Name:", L"Naam:", 2},
    {"LabelSoundVersion", "Version:", L"Versie:", 3},
    {"LabelSoundType", "Type:", L"Type:", 4},
};

constexpr ValueLabelList kLists[] = {
    {"LabelSoundTypevalue", L";Wave In;Wave Out"},
};

using collectors::SoundItem;

constexpr Field<SoundItem> kFields[] = {
    {"LabelSoundName", FieldKind::kText,
     [](const SoundItem& s, const format::FormatEx&) { return field::NonEmpty(s.Name()); }},
    {"LabelSoundVersion", FieldKind::kText,
     [](const SoundItem& s, const format::FormatEx&) { return field::NonEmpty(s.Version()); }},
    {"LabelSoundType", FieldKind::kList,
     [](const SoundItem& s, const format::FormatEx&) {
         return field::List(s.SoundType() > 0 && s.SoundType() < 3, s.SoundType());
     }},
};

std::span<const Field<SoundItem>> SoundFields() { return kFields; }

// The first waveform input device, or -1 when there is none.
int PreferredSoundItem(const collectors::Sound& sound) {
    for (std::int16_t i = 0; i < sound.Count(); ++i)
        if (sound.Item(i)->SoundType() == SoundItem::kWaveIn) return i;
    return -1;
}

constexpr FieldKey kKeys[] = {
    {"LabelIndex(4)", "Index"},
    {"LabelSoundName", "Name"},
    {"LabelSoundVersion", "Version"},
    {"LabelSoundType", "SoundType"},
};

}  // namespace

const CategoryRow& SoundCategory() {
    static const CollectionKind<collectors::Sound> kKind(SoundFields, nullptr, PreferredSoundItem);
    static const CategoryRow kRow{
        .category = kSound,
        .page = {.designTabText = "Sound",
                 .dutchTabText = L"Geluid",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kRows,
                 .lists = kLists},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
