#pragma once

// The exit statuses of every qxr command, one per cause, as sysexits.h
// numbers them; listed in "qxr --help" and in the manual page.

namespace qxr {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 64;      // wrong command line
inline constexpr int kExitDataError = 65;  // damaged archive, not an archive or not a report, beyond a limit
inline constexpr int kExitNoInput = 66;    // an input cannot be opened or read, or is not a regular file
inline constexpr int kExitSoftware = 70;   // an internal error
inline constexpr int kExitNoMemory = 71;   // working memory cannot be allocated
inline constexpr int kExitCannotWrite = 73; // an output cannot be created or written (full volume included)

// The lines of "qxr --help" and of each command's help that list them.
inline constexpr const char* kExitCodeLines =
    "Codes de sortie (les mêmes pour toutes les commandes) :\n"
    "  0   réussite\n"
    " 64   ligne de commande incorrecte\n"
    " 65   archive endommagée, fichier qui n'est pas une archive ou pas un rapport,\n"
    "      ou taille au-delà des limites\n"
    " 66   un fichier à lire ne peut pas être ouvert ou lu, ou n'est pas un fichier\n"
    "      ordinaire (dossier, tube, périphérique, socket)\n"
    " 70   erreur interne de qxr\n"
    " 71   mémoire insuffisante\n"
    " 73   un fichier ou un dossier à écrire ne peut pas être créé ou écrit (volume\n"
    "      plein compris), ou la sortie standard ne peut pas être écrite\n";

} // namespace qxr
