// qxr: the QXBêta command line tool for testers, support staff and scripts.
#include "command.h"
#include "exit_codes.h"

#include "resources/product_mark.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace qxr {

std::vector<Command>& MutableCommands()
{
    static std::vector<Command> commands;
    return commands;
}

bool RegisterCommand(const Command& command)
{
    MutableCommands().push_back(command);
    return true;
}

const std::vector<Command>& Commands()
{
    auto& commands = MutableCommands();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    return commands;
}

int WrongArguments(const char* usage)
{
    std::fputs(usage, stderr);
    return kExitUsage;
}

int Fail(const char* command, const std::string& path, const std::string& what, const std::string& reason,
         int status)
{
    std::fprintf(stderr, "qxr %s: \"%s\" : %s%s%s\n", command, path.c_str(), what.c_str(), reason.empty() ? "" : " : ",
                 reason.c_str());
    return status;
}

} // namespace qxr

namespace {

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

void PrintHelp(std::FILE* out)
{
    std::fputs("Usage : qxr COMMANDE [ARGUMENTS...]\n"
               "        qxr --help | -h | --version\n\n"
               "Outil en ligne de commande de QXBêta (archives .QXR et informations système).\n\n"
               "Commandes :\n",
               out);
    for (const qxr::Command& c : qxr::Commands()) std::fprintf(out, "  %-10s %s\n", c.name, c.synopsis);
    std::fputs("\n\"qxr COMMANDE --help\" (ou -h) décrit les arguments d'une commande. \"--\" termine\n"
               "les options : les arguments qui suivent sont des noms, même s'ils commencent par \"-\".\n\n",
               out);
    std::fputs(qxr::kExitCodeLines, out);
}

void PrintCommandHelp(const qxr::Command& command)
{
    std::fputs(command.usage, stdout);
    std::fputs("\n", stdout);
    std::fputs(qxr::kExitCodeLines, stdout);
}

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "qxr: %s\n\n", message.c_str());
    PrintHelp(stderr);
    return qxr::kExitUsage;
}

bool IsValueOption(const qxr::Command& command, const std::string& arg)
{
    return std::find(command.valueOptions.begin(), command.valueOptions.end(), arg) != command.valueOptions.end();
}

// The command's arguments, with "--" taken out; help wanted when "--help"
// or "-h" comes before it; the command's own options keep their values; any
// other option is refused.
int RunCommand(const qxr::Command& command, const std::vector<std::string>& given)
{
    std::vector<std::string> args;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const std::string& arg = given[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && IsValueOption(command, arg)) {
            if (i + 1 == given.size()) {
                std::fprintf(stderr, "qxr %s: valeur manquante après \"%s\"\n\n", command.name, arg.c_str());
                std::fputs(command.usage, stderr);
                return qxr::kExitUsage;
            }
            args.push_back(arg);
            args.push_back(given[++i]);
        } else if (!optionsEnded && IsHelp(arg)) {
            PrintCommandHelp(command);
            return std::fflush(stdout) == 0 ? qxr::kExitOk : qxr::kExitCannotWrite;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "qxr %s: option inconnue \"%s\" (\"--\" avant un nom qui commence par \"-\")\n\n",
                         command.name, arg.c_str());
            std::fputs(command.usage, stderr);
            return qxr::kExitUsage;
        } else {
            args.push_back(arg);
        }
    }
    return command.run(args);
}

int Run(int argc, char** argv)
{
    if (argc < 2) return UsageError("commande manquante");
    const std::string name = argv[1];
    if (IsHelp(name)) {
        PrintHelp(stdout);
        return std::fflush(stdout) == 0 ? qxr::kExitOk : qxr::kExitCannotWrite;
    }
    if (name == "--version") {
        std::printf("qxr (%.*s)\n", static_cast<int>(qx::res::kVersionText.size()), qx::res::kVersionText.data());
        return std::fflush(stdout) == 0 ? qxr::kExitOk : qxr::kExitCannotWrite;
    }
    for (const qxr::Command& c : qxr::Commands()) {
        if (name == c.name) return RunCommand(c, std::vector<std::string>(argv + 2, argv + argc));
    }
    return UsageError("commande inconnue \"" + name + "\"");
}

} // namespace

int main(int argc, char** argv)
{
    // Nothing may end the tool without a message and a documented status.
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("qxr: mémoire insuffisante\n", stderr);
        return qxr::kExitNoMemory;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qxr: erreur interne : %s\n", e.what());
    } catch (...) {
        std::fputs("qxr: erreur interne inattendue\n", stderr);
    }
    return qxr::kExitSoftware;
}
