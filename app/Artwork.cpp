#include "app/Artwork.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function in the global namespace.
static void registerArtwork() {
    Q_INIT_RESOURCE(artwork);
}

namespace parvelin::app {

void initArtwork() {
    static const bool registered = (registerArtwork(), true);
    (void)registered;
}

} // namespace parvelin::app
