// The options a job of the form goes to the print service with: a saved set of options, what the
// clerk chose in the print dialog, and what the form decides itself.

#include "print/JobOptions.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace parvelin::print {
namespace {

struct Case {
    const char* why;
    std::vector<SavedOption> saved;
    std::vector<PrinterOption> chosen;
    bool fitToPaper;
    int copies;
    std::map<std::string, std::string> expected;
    bool heldUntilLetGo;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> table = {
        {"a plain job: A4, held until its page is in, the copies asked for",
         {},
         {},
         false,
         2,
         {{"media", "iso_a4_210x297mm"}, {"job-hold-until", "indefinite"}, {"copies", "2"}},
         true},
        {"the dialog restating the queue's own value leaves the saved set's in force",
         {{"number-up", "2", "1"}},
         {{"number-up", "1"}, {"job-priority", "50"}},
         false,
         1,
         {{"number-up", "2"},
          {"job-priority", "50"},
          {"media", "iso_a4_210x297mm"},
          {"job-hold-until", "indefinite"},
          {"copies", "1"}},
         true},
        {"a value the clerk changed in the dialog wins over the saved set's",
         {{"number-up", "2", "1"}},
         {{"number-up", "4"}},
         false,
         1,
         {{"number-up", "4"},
          {"media", "iso_a4_210x297mm"},
          {"job-hold-until", "indefinite"},
          {"copies", "1"}},
         true},
        {"paper, scaling and copies are the form's, whoever set them",
         {{"media", "na_letter_8.5x11in", ""}},
         {{"PageSize", "Letter"}, {"copies", "3"}, {"fit-to-page", "false"}},
         true,
         1,
         {{"print-scaling", "fit"},
          {"fit-to-page", "true"},
          {"job-hold-until", "indefinite"},
          {"copies", "1"}},
         true},
        {"a time to print the clerk chose is kept, and the job is not held for letting go",
         {},
         {{"job-hold-until", "night"}},
         false,
         1,
         {{"job-hold-until", "night"}, {"media", "iso_a4_210x297mm"}, {"copies", "1"}},
         false},
        {"the dialog's no-hold is the default, not a choice",
         {},
         {{"job-hold-until", "no-hold"}},
         false,
         1,
         {{"job-hold-until", "indefinite"}, {"media", "iso_a4_210x297mm"}, {"copies", "1"}},
         true},
    };
    return table;
}

class JobOptionsTest : public testing::TestWithParam<Case> {};

TEST_P(JobOptionsTest, SetsWhatEachOneDecides) {
    const Case& c = GetParam();
    PrintRequest request;
    request.chosen = c.chosen;
    request.fitToPaper = c.fitToPaper;
    request.copies = c.copies;
    const JobOptions job = jobOptionsFor(request, c.saved);
    std::map<std::string, std::string> got;
    for (const auto& [name, value] : job.options) {
        EXPECT_TRUE(got.emplace(name, value).second) << c.why << ": " << name << " twice";
    }
    EXPECT_EQ(got, c.expected) << c.why;
    EXPECT_EQ(job.heldUntilLetGo, c.heldUntilLetGo) << c.why;
}

INSTANTIATE_TEST_SUITE_P(Table, JobOptionsTest, testing::ValuesIn(cases()));

} // namespace
} // namespace parvelin::print
