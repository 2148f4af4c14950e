#pragma once

namespace parvelin::print {

// Fonts shipped in a "fonts" folder beside the program (the Windows programs carry the faces of
// the form and the page so) join the system's, so that the windows and the page find their faces
// by name where the system lacks them. Nothing happens where there is no such folder. Called once
// the application object exists.
void addBundledFonts();

} // namespace parvelin::print
