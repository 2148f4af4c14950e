// parvelin: the desktop program.

#include "app/ParvelinApp.h"
#include "form/ProductVersion.h"

#include <csignal>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it needs no display.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "parvelin " << parvelin::form::kVersion << '\n';
        return 0;
    }
    // A file-size limit (ulimit -f) then fails a save with EFBIG, which the form reports, rather
    // than ending the program and the entries with it.
#ifdef SIGXFSZ // POSIX only
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    parvelin::app::ParvelinApp app(argc, argv);
    return app.run();
}
