#pragma once
// The tab a key selects in a tab strip, the same on both sides: Left, Up and
// Page Up step back, Right, Down and Page Down step on, Home and End go to
// the ends; both ends stop. With no tab selected (`current` < 0), a step on
// selects the first. Ctrl+Tab and its kin go round instead.

namespace window::ui {

// The tab `key` (a virtual-key code) selects in a strip of `count` tabs
// whose selected one is `current`; -1 for any other key or an empty strip.
int TabForKey(int key, int current, int count);

// The tab `step` (+1 or -1) away from `current`, wrapping at both ends; with
// none selected, +1 is the first and -1 the last. -1 where there is nothing
// to switch to (fewer than two tabs).
int NeighbourTab(int current, int step, int count);

}  // namespace window::ui
