#pragma once

#include "cli/CliSupport.h"

namespace parvelin::cli {

// pinyin [--surname] NAME: the romanizer's candidates for a name given in UTF-8, one per line in
// ascending byte order (as the sorted candidate list shows them), syllables separated by single
// spaces. With --surname, those of the surname box (NameRomanizer::romanizeSurname).
int runPinyin(Arguments arguments);

} // namespace parvelin::cli
