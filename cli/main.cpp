// parvelin-cli: the data core from the terminal. UTF-8 on the terminal, GBK inside.

#include "cli/CliSupport.h"
#include "cli/DataFileCommands.h"
#include "cli/Pdf417Command.h"
#include "cli/PinyinCommand.h"
#ifdef PARVELIN_WITH_RENDER
#include "cli/RenderCommand.h"
#endif
#include "form/ProductVersion.h"

#include <array>
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
    Command{"seal", "seal                 record text on stdin -> data-file content on stdout",
            runSeal},
    Command{"validate", "validate FILE        \"OK\", or the message of the first failed check",
            runValidate},
    Command{"payload", "payload FILE         the barcode payload of the file's applicant",
            runPayload},
    Command{"pinyin", "pinyin NAME          the pinyin candidates of a Chinese name, one per line",
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

void printUsage(std::ostream& out) {
    out << "usage: parvelin-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Command& command : kCommands) {
        out << "  " << command.synopsis << '\n';
    }
    out << "\n  --help               this list\n  --version            the program's version\n";
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "help") {
        printUsage(arguments.empty() ? std::cerr : std::cout);
        return arguments.empty() ? kExitUsage : kExitOk;
    }
    if (arguments[0] == "--version") {
        std::cout << "parvelin-cli " << parvelin::form::kVersion << '\n';
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (command.name == arguments[0]) {
            return command.run(Arguments(arguments).subspan(1));
        }
    }
    reportError("unknown command \"" + std::string(arguments[0]) + "\"");
    printUsage(std::cerr);
    return kExitUsage;
}
