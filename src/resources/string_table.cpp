#include "resources/string_table.h"

#include "resources/static_join.h"
#include "resources/string_ids.h"
#include "resources/support_contact.h"
#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace qx::res {
namespace {

inline constexpr std::string_view kReportTitleStart = "Rapport Bêta Version à faxer au ";
inline constexpr std::string_view kReportTitleText = detail::kJoined<kReportTitleStart, kSupportFax>;

// The two installation-directory messages share their wording.
inline constexpr std::string_view kBadDirectoryText =
    "Mauvais nom de répertoire Orvane Bêta.\r\n"
    "Vérifiez la clé REPEXE de la section [ORVANE55] de \r\n"
    "votre fichier ORVANE.INI.\r\n"
    "Exemple de clé : C:\\ORVANE55";

struct Entry {
    int id;
    std::string_view utf8;
};

// Sorted by id.
constexpr Entry kEntries[] = {
    {kMenuAbout, "&A propos de QXBêta..."},
    {kMsgNoInstallKey,
     "Un problème a dû survenir lors de l'installation de Orvane\r\n"
     "version Bêta.\r\n"
     "Il manque la clé REPEXE dans la section ORVANE55 du\r\n"
     "fichier ORVANE.INI\r\n"
     "Pour le bon fonctionnement de QXBêta, veuillez\r\n"
     "rajouter les lignes suivantes dans le fichier ORVANE.INI\r\n"
     "de votre répertoire Windows :\r\n"
     "\r\n"
     "...\r\n"
     "[ORVANE55]\r\n"
     "REPEXE=<rep>\r\n"
     "...\r\n"
     "\r\n"
     "<rep> :\r\n"
     "    Chemin d'accès complet de votre répertoire Orvane Bêta.\r\n"
     "    Ex : C:\\ORVANE55\""},
    {kMsgNoEnvironmentExe, kBadDirectoryText},
    {kMsgBadInstallDir, kBadDirectoryText},
    {kReportTitle, kReportTitleText},
    {kLabelReportNumber, "Rapport n°"},
    {kLabelDate, "Date    : "},
    {kLabelName, "Nom     : "},
    {kLabelCompany, "Société : "},
    {kLabelSerial, "N°série : "},
    {kLabelAddress, "Adresse : "},
    {kLabelAddressIndent, "          "},
    {kLabelPhone, "Tél     : "},
    {kLabelFax, "Fax     : "},
    {kLabelEmail, "e-mail  : "},
    {kLabelDescription, "Description de l'incident :"},
    {kLabelSteps, "Mode opératoire pour reproduire cet incident : "},
    {kLabelComments, "Commentaires : "},
    {kLabelReproducible, "Incident reproductible  : "},
    {kLabelWindowsVersion, "Version du système : "},
    {kLabelTestMode, "Mode test  Orvane  : "},
    {kModuleListHeading,
     "-Fichier                                                -Version        -Instances"},
    {kLabelDll16, "DLL 16 bits chargées :"},
    {kLabelModules32, "Modules 32 bits chargés :"},
    {kLabelExeOnDisk, "EXE Orvane sur disque :"},
    {kLabelDllOnDisk, "DLL Orvane sur disque :"},
    {kLabelInternalInfo, "Informations internes :"},
    {kDateFormat, "%d/%m/%Y"},
    {kMsgCannotRun, "Impossible d'exécuter "},
    {kMsgTempFileError, "\"Erreur lors de l'ouverture du fichier temporaire.\r\nRéessayez.\""},
    {kArchiveFileFilter, "Fichiers incident (*.QXR)|*.QXR||"},
    {kMsgCannotOpenFile, "Impossible d'ouvrir le fichier."},
    {kAnswerYes, "Oui"},
    {kAnswerNo, "Non"},
    {kAnswerDontKnow, "Ne sais pas"},
    {kAnswer16Bits, "16 bits"},
    {kAnswer32Bits, "32 bits"},
    {kNoModule, "Aucun"},
    {kNoDll, "Aucune"},
    {kMsgArchiveFailed,
     "\"L'archive du rapport n'a pas pu être créée.\r\n"
     "Vérifiez le dossier choisi et l'espace disque disponible.\""},
    {kMsgPrintFailed,
     "\"Le rapport n'a pas pu être imprimé.\r\n"
     "Vérifiez l'imprimante choisie et réessayez.\""},
    {kPresenceWaiting, "QXBêta attend une copie d'écran."},
    {kPresenceRefusedImage, "Dernière image non prise : %1."},
    {kPresenceAcceptedSizes, "Tailles prises : %1."},
    {kPresenceMenuAbout, "À propos de QXBêta..."},
    {kPresenceMenuQuit, "Quitter"},
};

static_assert(std::ranges::is_sorted(kEntries, {}, &Entry::id));

constexpr std::size_t kEntryCount = std::size(kEntries);

// The Windows-1252 form of every entry, made on first use, in entry order.
const std::array<std::string, kEntryCount>& Cp1252Entries()
{
    static const std::array<std::string, kEntryCount> converted = [] {
        std::array<std::string, kEntryCount> texts;
        for (std::size_t i = 0; i < kEntryCount; ++i) texts[i] = text::Utf8ToCp1252(kEntries[i].utf8);
        return texts;
    }();
    return converted;
}

} // namespace

std::string LoadResString(int id)
{
    const auto* found = std::ranges::lower_bound(kEntries, id, {}, &Entry::id);
    if (found == std::end(kEntries) || found->id != id) return {};
    return Cp1252Entries()[static_cast<std::size_t>(found - std::begin(kEntries))];
}

} // namespace qx::res
