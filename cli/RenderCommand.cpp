#include "cli/RenderCommand.h"

#include "disk/PathNames.h"
#include "print/PrintBatch.h"
#include "print/qt/OffscreenGui.h"
#include "print/qt/PageOutput.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <vector>

#include <QBuffer>
#include <QtGlobal>

namespace parvelin::cli {

namespace {

// An A4 sheet at 1200 dots per inch is 9,921 by 14,031 pixels, some 560 MB while it is drawn;
// twice that resolution takes four times the memory and most of a minute.
constexpr int kLowestDpi = 30;
constexpr int kHighestDpi = 1200;

struct RenderRequest {
    std::vector<std::string> files;
    std::string output;
    bool image = false; // a PNG of the one page, not a PDF
    int dpi = 300;
};

std::optional<int> dpiOf(std::string_view value) {
    int dpi = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), dpi);
    if (error != std::errc() || end != value.data() + value.size() || dpi < kLowestDpi ||
        dpi > kHighestDpi) {
        reportError("--dpi takes a resolution from " + std::to_string(kLowestDpi) + " to " +
                    std::to_string(kHighestDpi) + " dots per inch");
        return std::nullopt;
    }
    return dpi;
}

std::optional<RenderRequest> parseRequest(Arguments arguments) {
    RenderRequest request;
    std::optional<std::string_view> output;
    std::optional<std::string_view> dpi;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "-o" || argument == "--dpi") {
            if (!readOptionValue(arguments, i, argument == "-o" ? output : dpi)) {
                return std::nullopt;
            }
        } else {
            request.files.emplace_back(argument);
        }
    }
    if (request.files.empty() || !output) {
        reportError("usage: render FILE... -o OUT.pdf, or render FILE -o OUT.png [--dpi N]");
        return std::nullopt;
    }
    request.output = *output;
    // The suffix in either case, as file names from other systems write it: "-o R.PDF" too.
    const std::string_view outputName = disk::fileNameOf(request.output);
    request.image = disk::hasSuffix(outputName, ".png");
    if (!request.image && !disk::hasSuffix(outputName, ".pdf")) {
        reportError("the output must be a .pdf or a .png file");
        return std::nullopt;
    }
    if (request.image && request.files.size() != 1) {
        reportError("an image holds one page: give one data file");
        return std::nullopt;
    }
    if (dpi) {
        const auto resolution = dpiOf(*dpi);
        if (!resolution) {
            return std::nullopt;
        }
        request.dpi = *resolution;
    }
    return request;
}

} // namespace

int runRender(Arguments arguments) {
    const auto request = parseRequest(arguments);
    if (!request) {
        return kExitUsage;
    }

    if (!outputSparesInputs(request->output, request->files, false)) {
        return kExitUnwritten;
    }
    // Every applicant is opened and checked before a page is drawn, as the print commands do. One
    // that fails is named and left out, in the words of the applicants window; the others are
    // drawn all the same, and the worst failure (an unreadable file over a refused one) is the
    // exit status.
    int status = kExitOk;
    const auto failed = [&status](int failure) { status = std::max(status, failure); };
    std::vector<print::FileToPrint> files;
    for (const std::string& file : request->files) {
        files.push_back({file});
    }
    print::PrintBatch batch = print::preparePrintBatch(files, record::SystemClock());
    for (const print::LeftOutFile& file : batch.leftOut) {
        std::cerr << file.line << '\n';
        failed(file.reason == print::LeftOutReason::NotOpened ? kExitMalformed : kExitRefused);
    }
    std::vector<print::PrintJob>& jobs = batch.jobs;
    if (jobs.empty()) {
        return status; // no page to write
    }

    // The tool says its failures in its own lines; Qt's notes on the environment (a missing
    // runtime folder, fonts) would only crowd them.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const auto gui = print::startOffscreenGui();
    // Each page's status names its file below; the warnings themselves say nothing more.
    const print::Warn ignore = [](std::string_view) {};
    // The pages are made in memory and then written whole, so that a failed write leaves no
    // truncated file behind.
    QBuffer made;
    made.open(QIODevice::WriteOnly);
    std::vector<barcode::DrawStatus> statuses;
    if (request->image) {
        const auto [image, imageStatus] =
            print::renderPageImage(jobs.front(), request->dpi, ignore);
        statuses.push_back(imageStatus);
        if (!image.save(&made, "PNG")) {
            reportError("无法生成图像（" + request->output + "）");
            return kExitUnwritten;
        }
    } else {
        // A page whose barcode cannot be made stays empty; the pages after it are drawn.
        auto result = print::writePdf(jobs, made, ignore);
        if (!result.written) {
            reportError("无法生成PDF文件（" + request->output + "）");
            return kExitUnwritten;
        }
        statuses = std::move(result.statuses);
    }
    const QByteArray& bytes = made.data();
    if (const int written = writeOutputFile(
            request->output,
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        written != kExitOk) {
        return written;
    }
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        if (statuses[i] != barcode::DrawStatus::Ok) {
            std::cerr << print::fileLine(batch.names[i], print::warningOf(statuses[i])) << '\n';
            failed(kExitRefused);
        }
    }
    return status;
}

} // namespace parvelin::cli
