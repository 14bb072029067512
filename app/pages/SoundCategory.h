#pragma once
// The sound page: the fields of one sound device and the device the page
// shows first, its rows and Dutch texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& SoundCategory();

}  // namespace app
