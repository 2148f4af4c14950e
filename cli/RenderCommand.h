#pragma once

#include "cli/CliSupport.h"

namespace parvelin::cli {

// render FILE... -o OUT.pdf | render FILE -o OUT.png [--dpi N]: the form pages of data files, as
// the print commands draw them.
int runRender(Arguments arguments);

} // namespace parvelin::cli
