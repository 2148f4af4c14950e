// parvelin-cli: the data core from the terminal. UTF-8 on the terminal, GBK inside.

#include "cli/CliSupport.h"
#include "cli/DataFileCommands.h"
#include "cli/Pdf417Command.h"
#include "cli/PinyinCommand.h"
#ifdef PARVELIN_WITH_RENDER
#include "cli/RenderCommand.h"
#endif
#include "form/ProductVersion.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <iostream>
#include <vector>

namespace {

using namespace parvelin::cli;

struct Command {
    std::string_view name;
    std::string_view synopsis;
    int (*run)(Arguments);
};

constexpr std::array kCommands = {
    Command{"open", "open FILE [--utf8]   the record text of a data file (GBK, or UTF-8)", runOpen},
    Command{"seal",
            "seal [-o FILE]       record text on stdin -> data-file content on stdout, or into\n"
            "                       FILE",
            runSeal},
    Command{"validate", "validate FILE        \"OK\", or the message of the first failed check",
            runValidate},
    Command{"payload", "payload FILE         the barcode payload of the file's applicant",
            runPayload},
    Command{"pinyin",
            "pinyin [--surname] NAME\n"
            "                       the pinyin candidates of a Chinese name, one per line; of a\n"
            "                       surname as the surname box proposes them, with --surname",
            runPinyin},
    Command{"pdf417",
            "pdf417 [--segments] [--codewords] [--bmp FILE]\n"
            "                       the PDF417 symbol of the payload on stdin: segment listing,\n"
            "                       codewords, or the barcode picture as a bitmap file",
            runPdf417},
#ifdef PARVELIN_WITH_RENDER
    Command{"render",
            "render FILE... -o OUT.pdf | render FILE -o OUT.png [--dpi N]\n"
            "                       the application form of each applicant, one page each",
            runRender},
#endif
};

std::string usage() {
    std::string text = "usage: parvelin-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Command& command : kCommands) {
        text += "  ";
        text += command.synopsis;
        text += '\n';
    }
    text += "\n  --help               this list\n  --version            the program's version\n";
    return text;
}

int runCommand(const std::vector<std::string_view>& arguments) {
    if (arguments.empty()) {
        std::cerr << usage();
        return kExitUsage;
    }
    if (arguments[0] == "--help" || arguments[0] == "help") {
        return writeStandardOutput(usage());
    }
    if (arguments[0] == "--version") {
        return writeStandardOutput("parvelin-cli " + std::string(parvelin::form::kVersion) + "\n");
    }
    for (const Command& command : kCommands) {
        if (command.name == arguments[0]) {
            return command.run(Arguments(arguments).subspan(1));
        }
    }
    reportError("unknown command \"" + std::string(arguments[0]) + "\"");
    std::cerr << usage();
    return kExitUsage;
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    useBinaryStandardStreams();
    const std::vector<std::string> utf8 = utf8Arguments(argc, argv);
    const std::vector<std::string_view> arguments(utf8.begin() + std::min(1, argc), utf8.end());
    return finishStandardOutput(runCommand(arguments));
}
#else
int main(int argc, char** argv) {
    // A file-size limit (ulimit -f) then fails a write with EFBIG, which is reported, rather than
    // ending the program with a temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    holdClosedStandardDescriptors();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return finishStandardOutput(runCommand(arguments));
}
#endif
