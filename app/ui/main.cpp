// parvelin: the desktop program.

#include "app/ui/ParvelinApp.h"

int main(int argc, char** argv) {
    parvelin::app::ParvelinApp app(argc, argv);
    return app.run();
}
