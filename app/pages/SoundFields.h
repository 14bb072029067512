#pragma once
// The fields of one sound device, and the device the page shows first.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/Sound.h"

namespace app {

std::span<const Field<collectors::SoundItem>> SoundFields();
// The first waveform input device, or -1 when there is none.
int PreferredSoundItem(const collectors::Sound& sound);

}  // namespace app
