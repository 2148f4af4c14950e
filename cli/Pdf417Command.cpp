#include "cli/Pdf417Command.h"

#include "barcode/BarcodeImage.h"
#include "barcode/Pdf417Encoder.h"
#include "barcode/Pdf417Segments.h"
#include "record/GbkText.h"

#include <iostream>

namespace parvelin::cli {

namespace {

struct Pdf417Request {
    bool segments = false;
    bool codewords = false;
    std::string bmpPath;
};

std::optional<Pdf417Request> parseRequest(Arguments arguments) {
    Pdf417Request request;
    std::optional<std::string_view> bmpPath;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--segments") {
            request.segments = true;
        } else if (arguments[i] == "--codewords") {
            request.codewords = true;
        } else if (arguments[i] == "--bmp") {
            if (!readOptionValue(arguments, i, bmpPath)) {
                return std::nullopt;
            }
            request.bmpPath = *bmpPath;
        } else {
            reportError("pdf417: unknown argument \"" + std::string(arguments[i]) + "\"");
            return std::nullopt;
        }
    }
    if (!request.segments && !request.codewords && request.bmpPath.empty()) {
        reportError("pdf417 expects --segments, --codewords or --bmp FILE");
        return std::nullopt;
    }
    return request;
}

std::string codewordListing(const barcode::Pdf417Symbol& symbol) {
    std::string text = "D=" + std::to_string(symbol.dataCount) +
                       " level=" + std::to_string(symbol.eccLevel) +
                       " columns=" + std::to_string(symbol.dataColumns) +
                       " rows=" + std::to_string(symbol.rows) + "\n";
    for (int i = 0; i < symbol.codewordCount; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += std::to_string(symbol.codewords[i]);
    }
    text += '\n';
    return text;
}

} // namespace

int runPdf417(Arguments arguments) {
    const auto request = parseRequest(arguments);
    if (!request) {
        return kExitUsage;
    }
    if (!request->bmpPath.empty() && !outputSparesInputs(request->bmpPath, {}, true)) {
        return kExitUnwritten;
    }
    // The encoder refuses a longer payload before any work: one byte more tells it.
    const auto payload = readStandardInput(barcode::kMaxPayloadBytes);
    if (!payload) {
        return kExitMalformed;
    }
    const barcode::Pdf417Symbol symbol = barcode::pageSymbol(record::asBytes(*payload));
    if (symbol.status != barcode::DrawStatus::Ok) {
        std::cerr << barcode::kPayloadTooLongMessage << '\n';
        return kExitRefused;
    }
    std::string listing;
    if (request->segments) {
        listing += barcode::segmentListing(symbol.text);
    }
    if (request->codewords) {
        listing += codewordListing(symbol);
    }
    if (const int status = writeStandardOutput(listing); status != kExitOk) {
        return status;
    }
    if (!request->bmpPath.empty()) {
        const std::vector<std::uint8_t> bmp = bmpFileBytes(barcode::barcodeImage(symbol));
        const std::string_view bytes(reinterpret_cast<const char*>(bmp.data()), bmp.size());
        return writeOutputFile(request->bmpPath, bytes);
    }
    return kExitOk;
}

} // namespace parvelin::cli
