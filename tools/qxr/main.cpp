// qxr: the QXBêta command line tool for testers, support staff and scripts.
#include "command.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
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

} // namespace qxr

namespace {

void PrintHelp(std::FILE* out)
{
    std::fputs("Usage: qxr COMMAND [ARGUMENTS...]\n\n"
               "Outil en ligne de commande de QXBêta (archives .QXR et informations système).\n\n"
               "Commands:\n",
               out);
    for (const qxr::Command& c : qxr::Commands())
        std::fprintf(out, "  %-10s %s\n", c.name, c.synopsis);
    std::fputs("\nRun \"qxr COMMAND --help\" for the arguments and exit codes of a command.\n", out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintHelp(stderr);
        return 64;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(stdout);
        return 0;
    }
    for (const qxr::Command& c : qxr::Commands()) {
        if (name != c.name) continue;
        std::vector<std::string> args(argv + 2, argv + argc);
        if (std::find(args.begin(), args.end(), "--help") != args.end()) {
            std::fputs(c.usage, stdout);
            return 0;
        }
        return c.run(args);
    }
    std::fprintf(stderr, "qxr: commande inconnue \"%s\"\n\n", name.c_str());
    PrintHelp(stderr);
    return 64;
}
