// parvelin: the desktop program.

#include "app/ParvelinApp.h"
#include "form/ProductVersion.h"

#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it needs no display.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "parvelin " << parvelin::form::kVersion << '\n';
        return 0;
    }
    parvelin::app::ParvelinApp app(argc, argv);
    return app.run();
}
