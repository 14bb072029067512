#include "app/pages/DutchTexts.h"

#include <array>
#include <utility>

#include "app/pages/PageRows.h"

namespace app {

namespace {

constexpr std::array<const wchar_t*, kCategoryCount> kTabTexts = {
    L"Processor",      L"Geheugengebruik",   L"Weergave",          L"Netwerk", L"Geluid",
    L"Toetsenbord",    L"Muis",              L"Printers",          L"Joysticks", L"Harde Stations",
    L"Optische Stations", L"Logische Stations", L"Poorten",        L"USB Apparaten", L"Batterij",
};

constexpr std::pair<std::string_view, const wchar_t*> kCaptions[] = {
    {"Name:", L"Naam:"},
    {"Type:", L"Type:"},
    {"Manufacturer ID:", L"Fabrikant-ID:"},
    {"Processors:", L"Processoren:"},
    {"Speed:", L"Snelheid:"},
    {"Serial Number:", L"Serienummer:"},
    {"Family ID:", L"Familie-ID:"},
    {"Model ID:", L"Model-ID:"},
    {"Stepping ID:", L"Stepping-ID:"},
    {"Brand ID:", L"Merk-ID:"},
    {"Type ID:", L"Type-ID:"},
    {"Total Physical:", L"Totaal Fysiek:"},
    {"Available Physical:", L"Beschikbaar Fysiek:"},
    {"Total Virtual:", L"Totaal Virtueel:"},
    {"Available Virtual:", L"Beschikbaar Virtueel:"},
    {"Load:", L"Belasting:"},
    {"Monitor:", L"Monitor:"},
    {"Index:", L"Index:"},
    {"Resolution:", L"Resolutie:"},
    {"Colors:", L"Kleuren:"},
    {"Refresh Frequency:", L"Vernieuwingsfrequentie:"},
    {"Selected:", L"Geselecteerd:"},
    {"Version:", L"Versie:"},
    {"MAC Address:", L"MAC Adres:"},
    {"Layout ID:", L"Indeling-ID:"},
    {"Function Keys:", L"Functietoetsen:"},
    {"Repeat Delay:", L"Herhaalvertraging:"},
    {"Repeat Speed:", L"Herhaalsnelheid:"},
    {"Caps Lock:", L"Caps Lock:"},
    {"Num Lock:", L"Num Lock:"},
    {"Scroll Lock:", L"Scroll Lock:"},
    {"Buttons:", L"Knoppen:"},
    {"Button Configuration:", L"Knopconfiguratie:"},
    {"Double-click Speed:", L"Dubbelkliksnelheid:"},
    {"Wheel:", L"Wieltje:"},
    {"Port:", L"Poort:"},
    {"Axes:", L"Assen:"},
    {"Revision:", L"Revisie:"},
    {"Controller:", L"Controller:"},
    {"Capacity:", L"Capaciteit:"},
    {"Bytes/Sector:", L"Bytes/Sector:"},
    {"Heads:", L"Koppen:"},
    {"Cylinders:", L"Cylinders:"},
    {"Tracks:", L"Sporen:"},
    {"Sectors:", L"Sectoren:"},
    {"Manufacturer:", L"Fabrikant:"},
    {"Read Speed:", L"Leessnelheid:"},
    {"Write Speed:", L"Schrijfsnelheid:"},
    {"Letter:", L"Letter:"},
    {"File System:", L"Bestandssysteem:"},
    {"Free Space:", L"Vrije Ruimte:"},
    {"Description:", L"Beschrijving:"},
    {"Vendor ID:", L"Leverancier-ID:"},
    {"Product ID:", L"Produkt-ID:"},
    {"Power:", L"Vermogen:"},
    {"Class:", L"Klasse:"},
    {"Subclass:", L"Subklasse:"},
    {"Packet Size:", L"Pakketgrootte:"},
    {"Protocol:", L"Protocol:"},
    {"Power Status:", L"Vermogenstoestand:"},
    {"Charge Status:", L"Laadtoestand:"},
    {"Life Percent:", L"Levenspercentage:"},
    {"Life Time:", L"Levensduur:"},
};

constexpr std::pair<std::string_view, const wchar_t*> kLists[] = {
    {"LabelDisplaySelectedvalue", L"Nee;Ja"},
    {"LabelSoundTypevalue", L";Wave In;Wave Out"},
    {"LabelKeyboardCapslockvalue", L"Uit;Aan"},
    {"LabelKeyboardNumlockvalue", L"Uit;Aan"},
    {"LabelKeyboardScrolllockvalue", L"Uit;Aan"},
    {"LabelMouseButtonconfigurationvalue", L";Rechtshandig;Linkshandig"},
    {"LabelMouseWheelvalue", L"Nee;Ja"},
    {"LabelPrintersSelectedvalue", L"Nee;Ja"},
    {"LabelHarddrivesControllervalue", L"Primaire Master;Primaire Slave;Secundaire Master;Secundaire Slave"},
    {"LabelLogicaldrivesTypevalue", L"Onbekend;Geen hoofdmap;Verwisselbaar;Vast;Netwerk;CD-ROM;RAM Schijf;DVD"},
    {"LabelBatteryPowerstatusvalue", L"Niet aangesloten;Aangesloten"},
    {"LabelBatteryChargestatusvalue", L"Hoog;Laag;Kritisch;Aan het laden;;;;Geen systeembatterij"},
};

}  // namespace

std::wstring DutchTabText(int category) { return kTabTexts.at(static_cast<std::size_t>(category)); }

std::wstring DutchCaption(std::string_view designCaption) {
    for (const auto& [english, dutch] : kCaptions)
        if (english == designCaption) return dutch;
    return {};
}

std::wstring DutchList(std::string_view valueLabel) {
    for (const auto& [label, list] : kLists)
        if (label == valueLabel) return list;
    return {};
}

std::vector<std::string_view> TranslatedDesignCaptions() {
    std::vector<std::string_view> captions;
    for (const auto& [english, dutch] : kCaptions) captions.push_back(english);
    return captions;
}

std::vector<std::string_view> ValueLabelsWithLists() {
    std::vector<std::string_view> labels;
    for (const auto& [label, list] : kLists) labels.push_back(label);
    return labels;
}

std::wstring DutchSaveAsText() { return L"Opslaan &Als..."; }
std::wstring DutchSaveAllAsText() { return L"Opslaan A&lle Als..."; }
std::wstring DutchAboutText() { return L"&Over " + std::wstring(kProductName) + L"..."; }

std::wstring CaptionFromMenuText(std::wstring_view menuText) {
    std::wstring text;
    for (wchar_t c : menuText)
        if (c != L'&') text += c;
    for (std::size_t at; (at = text.find(L"...")) != std::wstring::npos;) text.erase(at, 3);
    return text;
}

}  // namespace app
