#include "services/message_catalogue.h"

#include <array>

namespace velvane {
namespace {

struct CatalogueEntry {
    std::int32_t id;
    std::string_view german;
    std::string_view english;
};

// The German texts spell ä, ö, ü, Ü and ß as single code page 1252 bytes (\xE4, \xF6, \xFC,
// \xDC, \xDF); "\r" is the line break a message box shows.
constexpr std::array<CatalogueEntry, 11> kCatalogue{{
    {2, "Fehler beim Laden der DLL-Datei \"~\".", "Error on loading DLL file \"~\"."},
    {4, "Die Konfigurations-Datei \"~\" kann nicht gefunden werden.",
     "Cannot find configuration file \"~\"."},
    {5,
     "\xDC"
     "ber Velvane...",
     "About Velvane..."},
    {6,
     "Der Internet-Explorer (ab Version 4.0) ist nicht korrekt installiert.\r"
     "Es wird jetzt der Standard-Browser zur Anzeige verwendet.",
     "Internet-Explorer (version 4.0 or higher) is not installed correctly.\r"
     "The default browser is used for displaying the contents."},
    {7,
     "Zur Anzeige sind Komponenten/Systemvoraussetzungen erforderlich,\r"
     "die nicht vorhanden/erf\xFCllt sind. Ein Starten der Oberfl\xE4"
     "che ist nicht m\xF6glich.",
     "For displaying the contents certain requirements have to be fulfilled.\r"
     "These requirements are not fulfilled. Therefore contents cannot be displayed."},
    {8, "Die Angabe der Fensterposition ist ung\xFCltig.", "Window position is invalid."},
    {9, "Die Button-Bitmap-Datei \"~\" kann nicht gefunden werden.",
     "Button bitmap file \"~\" cannot be found."},
    {11, "Die aktuelle Seite kann nicht gedruckt werden.", "The current page cannot be printed."},
    {12, "Die ausf\xFChrbare Datei \"~\" kann nicht gefunden werden.",
     "The executable file \"~\" cannot be found."},
    {15,
     "Es ist keine Startseite (Attribut \"startpage\" in der \"autorun.inf\") angegeben oder "
     "die Startseite \"~\" kann nicht gefunden werden.",
     "No start page is declared (attribute \"startpage\" in \"autorun.inf\") or the start page "
     "\"~\" cannot be found."},
    {17,
     "Die Button-Bitmaps f\xFCr die Toolbar haben nicht alle die gleiche Gr\xF6\xDF"
     "e!",
     "The button bitmaps of the toolbar do not all have the same size."},
}};

std::string_view LookUp(std::string_view language, std::int32_t id) {
    for (const CatalogueEntry& entry : kCatalogue) {
        if (entry.id == id) return language == "ger" ? entry.german : entry.english;
    }
    return {};
}

}  // namespace

std::string GetMessageText(std::string_view language, std::int32_t id, std::string_view argument) {
    std::string text(LookUp(language, id));
    std::size_t placeholder = text.find('~');
    if (placeholder != std::string::npos) text.replace(placeholder, 1, argument);
    return text;
}

}  // namespace velvane
