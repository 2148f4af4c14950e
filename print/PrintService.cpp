#include "print/PrintService.h"

#include <algorithm>
#include <cctype>

namespace parvelin::print {

PrinterName splitPrinterName(std::string_view shown) {
    // A queue's name cannot hold a slash; what follows the first one names the set of options.
    const std::size_t slash = shown.find('/');
    if (slash == std::string_view::npos) {
        return {std::string(shown), {}};
    }
    return {std::string(shown.substr(0, slash)), std::string(shown.substr(slash + 1))};
}

namespace {

// `name` is `paper`, or `paper` with a variant after a mark that is neither letter nor digit.
bool namesPaper(std::string_view name, std::string_view paper) {
    if (name.size() < paper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < paper.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != paper[i]) {
            return false;
        }
    }
    return name.size() == paper.size() ||
           !std::isalnum(static_cast<unsigned char>(name[paper.size()]));
}

} // namespace

bool offersA4(std::span<const std::string> media) {
    if (media.empty()) {
        return true;
    }
    // The self-describing name of the printing standards, and the PostScript printer files' own.
    return std::any_of(media.begin(), media.end(), [](const std::string& name) {
        return namesPaper(name, "iso_a4_210x297mm") || namesPaper(name, "a4");
    });
}

namespace {

class NoPrintService final : public PrintService {
public:
    std::chrono::milliseconds patience() const override { return std::chrono::seconds(1); }
    ServiceState state() override { return ServiceState::Absent; }
    MediaReport mediaOf(const std::string&) override { return {ServiceFault::Unreachable, {}, {}}; }
    JobReport submit(const PrintRequest&, JobProgress&) override {
        JobReport report;
        report.fault = ServiceFault::Unreachable;
        return report;
    }
};

} // namespace

std::shared_ptr<PrintService> noPrintService() {
    return std::make_shared<NoPrintService>();
}

} // namespace parvelin::print
