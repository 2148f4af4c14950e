// One form page drawn into PDF and into a 300 dpi image, as the print commands draw it.

#include "print/qt/OffscreenGui.h"
#include "print/qt/PageOutput.h"
#include "tests/support/Applicants.h"
#include "tests/support/FixedClock.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace parvelin;

// Fonts need a GUI application; the benchmarks make one the first time.
void ensureGui() {
    static const auto application = print::startOffscreenGui();
}

print::PrintJob typicalJob() {
    using namespace std::chrono_literals;
    record::MemberRecord record = test::validApplicant();
    record.remarks = record::gbk("随任配偶，联系人：张三");
    auto prepared = print::preparePrintJob(record, test::FixedClock(2012y / 5 / 17));
    return std::get<print::PrintJob>(prepared);
}

const print::Warn kIgnore = [](std::string_view) {};

void pageToPdf(benchmark::State& state) {
    ensureGui();
    QTemporaryDir folder;
    std::vector<print::PrintJob> jobs{typicalJob()};
    const QString path = folder.filePath(QStringLiteral("page.pdf"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(print::writePdf(jobs, path, kIgnore));
    }
}

void pageTo300DpiImage(benchmark::State& state) {
    ensureGui();
    print::PrintJob job = typicalJob();
    for (auto _ : state) {
        benchmark::DoNotOptimize(print::renderPageImage(job, 300, kIgnore));
    }
}

BENCHMARK(pageToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(pageTo300DpiImage)->Unit(benchmark::kMillisecond);

} // namespace
