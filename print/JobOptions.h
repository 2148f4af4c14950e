#pragma once

#include "print/PrintService.h"

#include <span>
#include <string>
#include <vector>

namespace parvelin::print {

// An option of a queue's saved set ("office/A4"), with the queue's own value for it (empty where
// the queue has none).
struct SavedOption {
    std::string name;
    std::string value;
    std::string queueValue;
};

// The options a job of the form is created with: the saved set's, then those the clerk chose in the
// print dialog, then the form's own (A4 or scaling to the printer's paper, the copies), which
// nothing overrides. The print dialog restates every option it shows, at the queue's own value
// where the clerk left it: such a value leaves the saved set's in force. The job is held until it
// is let go (`heldUntilLetGo`), unless the clerk chose when it is to print.
struct JobOptions {
    std::vector<PrinterOption> options;
    bool heldUntilLetGo = true;
};
JobOptions jobOptionsFor(const PrintRequest& request, std::span<const SavedOption> saved);

} // namespace parvelin::print
