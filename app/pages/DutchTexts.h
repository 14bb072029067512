#pragma once
// The Dutch texts the window always shows: tab texts, captions (by their
// English design caption), the display lists of the value labels, the window
// menu entries. The program has no other language. A category's own texts
// stand on its page (app/pages/<Name>Category.cpp) and are read from the
// category table; the menu entries and the texts written where they are used
// are here.

#include <string>
#include <string_view>
#include <vector>

namespace app {

inline constexpr std::wstring_view kProductName = L"Veltrix";

// Texts written where they are used; they have no English design form.
inline constexpr std::wstring_view kUnknown = L"Onbekend";
inline constexpr std::wstring_view kNotPresent = L"Niet aanwezig";
inline constexpr std::wstring_view kNotSupported = L"Niet ondersteund";
inline constexpr std::wstring_view kTextDocument = L"Tekstdocument";
inline constexpr std::wstring_view kSaveFailure = L"Fout bij het opslaan van";

std::wstring DutchTabText(int category);
// The Dutch caption of an English design caption ("Name:" gives "Naam:").
std::wstring DutchCaption(std::string_view designCaption);
// The Dutch display list of a value label ("LabelKeyboardCapslockvalue" gives
// "Uit;Aan"); empty for value labels without a list.
std::wstring DutchList(std::string_view valueLabel);

// The English design captions that have a Dutch caption (each once), and
// the value labels that have a display list, in table order.
std::vector<std::string_view> TranslatedDesignCaptions();
std::vector<std::string> ValueLabelsWithLists();

// Window menu entries 1, 2 and 4.
std::wstring DutchSaveAsText();
std::wstring DutchSaveAllAsText();
std::wstring DutchAboutText();

// A menu text as a dialog caption: every "&" removed, then every "...".
std::wstring CaptionFromMenuText(std::wstring_view menuText);

}  // namespace app
