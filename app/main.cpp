// parvelin: the desktop program.

#include "app/ParvelinApp.h"

int main(int argc, char** argv) {
    parvelin::app::ParvelinApp app(argc, argv);
    return app.run();
}
