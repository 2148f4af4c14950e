// parvelin: the desktop program.

#include "app/ui/ParvelinApp.h"

#include <csignal>

int main(int argc, char** argv) {
    // A file-size limit (ulimit -f) then fails a save with EFBIG, which the form reports, rather
    // than ending the program and the entries with it.
    std::signal(SIGXFSZ, SIG_IGN);
    parvelin::app::ParvelinApp app(argc, argv);
    return app.run();
}
