#pragma once

namespace parvelin::app {

// The program's own artwork, embedded as Qt resources (resources/artwork.qrc, drawn by
// tools/artwork); the banner is drawn at run time (ArtworkDrawing.h).
namespace artwork {
inline constexpr const char* kIcon = ":/artwork/icon.png";           // 64 x 64
inline constexpr const char* kWarningSign = ":/artwork/warning.png"; // 16 x 16, red disc with "!"
} // namespace artwork

// Registers the resources; the library is static, so its resource initialiser is called by hand.
void initArtwork();

} // namespace parvelin::app
