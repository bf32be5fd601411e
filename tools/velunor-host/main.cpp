// velunor-host: a small command-line VST 2.4 host. It loads a plug-in binary with dlopen, as a DAW
// does, and either describes it (info), runs an audio file through it (process) or shows its editor
// in a window of its own while audio plays (gui).

#include <cstdio>
#include <string>
#include <vector>

#include "tools/velunor-host/Commands.h"

namespace {

void printUsage(std::FILE* to) {
    std::fputs(
        "usage:\n"
        "  velunor-host info PLUGIN [--all]\n"
        "  velunor-host process PLUGIN IN.wav OUT.wav [--block N] [--param INDEX=VALUE ...]\n"
        "                       [--load-chunk FILE] [--save-chunk FILE]\n"
        "  velunor-host gui PLUGIN [IN.wav] [--seconds S] [--param INDEX=VALUE ...]\n"
        "                   [--click X,Y@T ...] [--enter TEXT@T ...] [--screenshot FILE.png]\n"
        "                   [--save-chunk FILE]\n",
        to);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velunor::hostcli;
    if (argc < 2) {
        printUsage(stderr);
        return kExitUsage;
    }
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "info") return runInfo(args);
    if (command == "process") return runProcess(args);
    if (command == "gui") return runGui(args);
    if (command == "--help" || command == "-h" || command == "help") {
        printUsage(stdout);
        return kExitOk;
    }
    std::fprintf(stderr, "velunor-host: unknown command '%s'\n", command.c_str());
    printUsage(stderr);
    return kExitUsage;
}
