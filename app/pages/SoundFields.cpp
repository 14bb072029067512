#include "app/pages/SoundFields.h"

namespace app {

namespace {

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

}  // namespace

std::span<const Field<SoundItem>> SoundFields() { return kFields; }

int PreferredSoundItem(const collectors::Sound& sound) {
    for (std::int16_t i = 0; i < sound.Count(); ++i)
        if (sound.Item(i)->SoundType() == SoundItem::kWaveIn) return i;
    return -1;
}

}  // namespace app
