#pragma once

#include "print/PrintJob.h"
#include "print/PrintService.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QPrinter;

namespace parvelin::print {

// The form's pages on a QPrinter: a printer the print dialog chose, a PDF file it writes, or the
// preview's pages. QPrinter belongs to Qt Print Support, which links Qt Widgets, so this side
// is a library of its own (parvelin-printer), beside the pages of Qt Gui that the command-line
// tool draws without widgets.

// The page layout every print command gives its printer: A4, the form centred, named after the
// form.
void prepareFormPrinter(QPrinter& printer);

// A warning about one of several jobs: its place among them, and what drawFormPage says of it.
using JobWarning = std::function<void(std::size_t job, std::string_view message)>;

// Several jobs on one printer, one page each in their order, each page as it prints alone: a job
// whose barcode cannot be made gets its empty page and a warning, and the others are drawn all
// the same. A PDF file that the printer writes is its owner's alone (0600) when it is new, given
// to the folder's owner where root prints into a clerk's folder, and its text maps are put right
// for all its pages, so that its text reads back as drawn. The status of each job drawn; fewer
// than the jobs where the printer cannot start another page, none where it cannot be painted on
// at all.
std::vector<barcode::DrawStatus> printFormPages(QPrinter& printer, std::span<PrintJob> jobs,
                                                const JobWarning& warn);

// One job's page, as printFormPages draws it: PictureFailed where the printer cannot be painted
// on.
barcode::DrawStatus printFormPage(QPrinter& printer, PrintJob& job,
                                  const std::function<void(std::string_view)>& warn);

// The print service's request for the jobs on the printer the print dialog chose: their pages as
// one PDF document (made here, in memory), the job's name, and the copies and options chosen in
// the dialog, on A4 or, with `fitToPaper`, scaled to the printer's own paper. std::nullopt
// where the document cannot be made.
std::optional<PrintRequest> printRequestFor(QPrinter& printer, std::span<PrintJob> jobs,
                                            const std::string& jobName, bool fitToPaper,
                                            const std::function<void(std::string_view)>& warn);

} // namespace parvelin::print
