#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "resources/support_contact.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace qx::res {
namespace {

// Expected texts are written as Windows-1252 bytes, not through the converter.
std::string JoinLines(std::initializer_list<const char*> lines)
{
    std::string joined;
    const char* separator = "";
    for (const char* line : lines) {
        joined += separator;
        joined += line;
        separator = "\r\n";
    }
    return joined;
}

TEST(StringTable, EveryTextByteForByte)
{
    const std::string badDirectory = JoinLines({
        "Mauvais nom de r\xE9pertoire Orvane B\xEAta.",
        "V\xE9rifiez la cl\xE9 REPEXE de la section [ORVANE55] de ",
        "votre fichier ORVANE.INI.",
        "Exemple de cl\xE9 : C:\\ORVANE55",
    });
    const std::string heading =
        "-Fichier" + std::string(48, ' ') + "-Version" + std::string(8, ' ') + "-Instances";
    ASSERT_EQ(heading.size(), 82u);

    struct Case {
        int id;
        std::string expected;
    };
    const Case cases[] = {
        {101, "&A propos de QXB\xEAta..."},
        {110, JoinLines({
                  "Un probl\xE8me a d\xFB survenir lors de l'installation de Orvane",
                  "version B\xEAta.",
                  "Il manque la cl\xE9 REPEXE dans la section ORVANE55 du",
                  "fichier ORVANE.INI",
                  "Pour le bon fonctionnement de QXB\xEAta, veuillez",
                  "rajouter les lignes suivantes dans le fichier ORVANE.INI",
                  "de votre r\xE9pertoire Windows :",
                  "",
                  "...",
                  "[ORVANE55]",
                  "REPEXE=<rep>",
                  "...",
                  "",
                  "<rep> :",
                  "    Chemin d'acc\xE8s complet de votre r\xE9pertoire Orvane B\xEAta.",
                  "    Ex : C:\\ORVANE55\"",
              })},
        {111, badDirectory},
        {112, badDirectory},
        {113, "Rapport B\xEAta Version \xE0 faxer au " + std::string(kSupportFax)},
        {114, "Rapport n\xB0"},
        {115, "Date    : "},
        {116, "Nom     : "},
        {117, "Soci\xE9t\xE9 : "},
        {118, "N\xB0s\xE9rie : "},
        {119, "Adresse : "},
        {120, std::string(10, ' ')},
        {121, "T\xE9l     : "},
        {122, "Fax     : "},
        {123, "e-mail  : "},
        {124, "Description de l'incident :"},
        {125, "Mode op\xE9ratoire pour reproduire cet incident : "},
        {126, "Commentaires : "},
        {127, "Incident reproductible  : "},
        {128, "Version du syst\xE8me : "},
        {129, "Mode test  Orvane  : "},
        {130, heading},
        {131, "DLL 16 bits charg\xE9" "es :"},
        {132, "Modules 32 bits charg\xE9s :"},
        {133, "EXE Orvane sur disque :"},
        {134, "DLL Orvane sur disque :"},
        {135, "Informations internes :"},
        {136, "%d/%m/%Y"},
        {137, "Impossible d'ex\xE9" "cuter "},
        {138, "\"Erreur lors de l'ouverture du fichier temporaire.\r\nR\xE9" "essayez.\""},
        {139, "Fichiers incident (*.QXR)|*.QXR||"},
        {140, "Impossible d'ouvrir le fichier."},
        {141, "Oui"},
        {142, "Non"},
        {143, "Ne sais pas"},
        {144, "16 bits"},
        {145, "32 bits"},
        {147, "Aucun"},
        {148, "Aucune"},
        {149, "\"L'archive du rapport n'a pas pu \xEAtre cr\xE9\xE9" "e.\r\n"
              "V\xE9rifiez le dossier choisi et l'espace disque disponible.\""},
        {150, "\"Le rapport n'a pas pu \xEAtre imprim\xE9.\r\nV\xE9rifiez l'imprimante choisie et r\xE9" "essayez.\""},
        {151, "QXB\xEAta attend une copie d'\xE9" "cran."},
        {152, "Derni\xE8re image non prise : %1."},
        {153, "Tailles prises : %1."},
        {154, "\xC0 propos de QXB\xEAta..."},
        {155, "Quitter"},
    };
    for (const Case& c : cases) EXPECT_EQ(LoadResString(c.id), c.expected) << "text " << c.id;
}

TEST(StringTable, NumbersWithoutTextGiveEmpty)
{
    for (int id : {-1, 0, 100, 102, 109, 146, 156, 1000, 57670}) {
        EXPECT_EQ(LoadResString(id), "") << "text " << id;
    }
}

TEST(StringTable, NamedNumbersReachTheirTexts)
{
    EXPECT_EQ(LoadResString(kMsgNoInstallKey).substr(0, 3), "Un ");
    EXPECT_EQ(LoadResString(kDateFormat), "%d/%m/%Y");
    EXPECT_EQ(LoadResString(kNoDll), "Aucune");
    EXPECT_EQ(LoadResString(kMsgArchiveFailed).front(), '"');
}

} // namespace
} // namespace qx::res
