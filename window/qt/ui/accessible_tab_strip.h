#pragma once
// Internal: the tab strip as a screen reader sees it: a page tab list with
// one page tab per item, named by the item's text, the selected one marked
// selected (and focused while the strip has the keyboard), each pressed as
// a click would press it. The strip's window procedure tells it what changed.

class QAccessibleInterface;
class QWidget;

namespace window::ui::qt {

class TabStripWidget;

QAccessibleInterface* NewTabStripAccessible(QWidget* strip);

// Announcements; Qt passes them on only while a screen reader listens.
void AnnounceTabInserted(TabStripWidget& strip, int index);
// Before the item goes.
void AnnounceTabRemoving(TabStripWidget& strip, int index);
void AnnounceTabText(TabStripWidget& strip, int index);
// After the selection moved from `previous` to the strip's current tab.
void AnnounceTabSelection(TabStripWidget& strip, int previous);
// The strip got the keyboard: its selected tab has it.
void AnnounceTabFocus(TabStripWidget& strip);

}  // namespace window::ui::qt
