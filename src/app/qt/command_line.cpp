#include "app/qt/command_line.h"

#include "resources/product_mark.h"

#include <cstdio>
#include <string_view>

namespace qx::app {
namespace {

constexpr const char* kHelp =
    "Usage : qxbeta [--help | -h | --version]\n\n"
    "QXBêta attend, à côté de l'environnement Orvane, une capture d'écran copiée\n"
    "dans le presse-papiers (touche Impr. écran) et ouvre alors un rapport\n"
    "d'incident, à imprimer ou à envoyer par courrier électronique (archive .QXR).\n"
    "Le programme refuse de démarrer quand la clé REPEXE de la section [Orvane55]\n"
    "de Orvane.ini ($XDG_CONFIG_HOME/Orvane, par défaut ~/.config/Orvane) ne\n"
    "désigne pas le dossier d'installation d'Orvane.\n\n"
    "Codes de sortie :\n"
    "  0   le programme a fonctionné jusqu'à la fermeture de sa fenêtre, ou une\n"
    "      autre copie déjà lancée a été mise au premier plan\n"
    "  1   le programme a refusé de démarrer (installation introuvable, fenêtre\n"
    "      impossible à créer)\n";

int Printed(int written) { return written >= 0 && std::fflush(stdout) == 0 ? 0 : 1; }

} // namespace

std::optional<int> AnswerInformationRequest(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") return Printed(std::fputs(kHelp, stdout));
        if (arg == "--version")
            return Printed(std::printf("%.*s\n", static_cast<int>(res::kVersionText.size()), res::kVersionText.data()));
    }
    return std::nullopt;
}

} // namespace qx::app
