#include "print/JobOptions.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace parvelin::print {

namespace {

constexpr std::string_view kA4 = "iso_a4_210x297mm"; // the printing standards' own name
constexpr std::string_view kHoldUntil = "job-hold-until";
// The options a job of the form sets itself, whatever the printer's properties say.
constexpr std::array<std::string_view, 7> kFormDecides = {
    "media", "PageSize", "PageRegion", "fit-to-page", "print-scaling", "copies", "job-name"};

void set(std::vector<PrinterOption>& options, std::string_view name, std::string_view value) {
    const auto same = [name](const PrinterOption& option) { return option.first == name; };
    if (const auto found = std::find_if(options.begin(), options.end(), same);
        found != options.end()) {
        found->second = value;
    } else {
        options.emplace_back(name, value);
    }
}

} // namespace

JobOptions jobOptionsFor(const PrintRequest& request, std::span<const SavedOption> saved) {
    JobOptions job;
    for (const SavedOption& option : saved) {
        set(job.options, option.name, option.value);
    }
    for (const PrinterOption& chosen : request.chosen) {
        const auto restated = [&chosen](const SavedOption& option) {
            return option.name == chosen.first && option.queueValue == chosen.second;
        };
        if (std::none_of(saved.begin(), saved.end(), restated)) {
            set(job.options, chosen.first, chosen.second);
        }
    }
    std::erase_if(job.options, [](const PrinterOption& option) {
        return std::find(kFormDecides.begin(), kFormDecides.end(), option.first) !=
               kFormDecides.end();
    });
    if (request.fitToPaper) {
        set(job.options, "print-scaling", "fit");
        set(job.options, "fit-to-page", "true");
    } else {
        set(job.options, "media", kA4);
    }
    const auto hold =
        std::find_if(job.options.begin(), job.options.end(),
                     [](const PrinterOption& option) { return option.first == kHoldUntil; });
    job.heldUntilLetGo = hold == job.options.end() || hold->second == "no-hold";
    if (job.heldUntilLetGo) {
        set(job.options, kHoldUntil, "indefinite");
    }
    set(job.options, "copies", std::to_string(request.copies));
    return job;
}

} // namespace parvelin::print
