// PDF417 encoding, payload to finished matrix, beside zxing-cpp's PDF417 writer on the same
// payloads at the same error-correction level: a typical payload of about 600 bytes, the largest
// that both encoders take, and the largest that ours takes.

#include "barcode/Pdf417Encoder.h"
#include "record/GbkText.h"
#include "tests/support/BarcodePayloads.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <benchmark/benchmark.h>

namespace {

using namespace parvelin;

// A typical barcode payload of about 600 bytes of Base64 text.
const std::string& typicalPayload() {
    static const std::string payload = test::payloadOfAtLeast(600);
    return payload;
}

// The largest applicant payload that still fits one symbol.
const std::string& largestPayload() {
    static const std::string payload = test::largestFittingPayload();
    return payload;
}

barcode::Pdf417Symbol encodeOnce(const std::string& payload) {
    barcode::Pdf417Symbol symbol;
    symbol.text = record::asBytes(payload);
    symbol.options = barcode::Pdf417Options::Invert;
    if (barcode::Pdf417Encoder().encode(symbol) != barcode::DrawStatus::Ok) {
        throw std::logic_error("benchmark payload does not fit");
    }
    return symbol;
}

ZXing::MultiFormatWriter zxingWriter(int eccLevel) {
    ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::PDF417);
    writer.setMargin(0).setEccLevel(eccLevel);
    return writer;
}

// zxing-cpp's writer keeps to at most 30 rows (and so 900 cells) through its public interface,
// which cannot hold the 928 cells of our largest symbol. The largest payload that both encode,
// zxing-cpp at the level that ours chooses.
const std::string& largestCommonPayload() {
    static const std::string payload = test::largestPayloadWhere([](const std::string& p) {
        barcode::Pdf417Symbol symbol;
        symbol.text = record::asBytes(p);
        if (barcode::Pdf417Encoder().encode(symbol) != barcode::DrawStatus::Ok) {
            return false;
        }
        try {
            static_cast<void>(zxingWriter(symbol.eccLevel).encode(p, 0, 0));
            return true;
        } catch (const std::exception&) {
            return false;
        }
    });
    return payload;
}

void pdf417Ours(benchmark::State& state, const std::string& (*payloadOf)()) {
    const std::string& payload = payloadOf();
    const barcode::Pdf417Encoder encoder;
    for (auto _ : state) {
        barcode::Pdf417Symbol symbol;
        symbol.text = record::asBytes(payload);
        symbol.options = barcode::Pdf417Options::Invert;
        benchmark::DoNotOptimize(encoder.encode(symbol));
        benchmark::DoNotOptimize(symbol.matrix.data());
    }
    const barcode::Pdf417Symbol symbol = encodeOnce(payload);
    state.SetLabel(std::to_string(payload.size()) + " bytes, D=" +
                   std::to_string(symbol.dataCount) + " level " + std::to_string(symbol.eccLevel) +
                   ", " + std::to_string(symbol.dataColumns) + "x" + std::to_string(symbol.rows));
}

void pdf417ZXing(benchmark::State& state, const std::string& (*payloadOf)()) {
    const std::string& payload = payloadOf();
    const barcode::Pdf417Symbol ours = encodeOnce(payload);
    const ZXing::MultiFormatWriter writer = zxingWriter(ours.eccLevel);
    try {
        const ZXing::BitMatrix matrix = writer.encode(payload, 0, 0);
        state.SetLabel(std::to_string(payload.size()) + " bytes, level " +
                       std::to_string(ours.eccLevel) + ", " + std::to_string(matrix.width()) + "x" +
                       std::to_string(matrix.height()) + " modules");
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(writer.encode(payload, 0, 0));
    }
}

BENCHMARK_CAPTURE(pdf417Ours, typical, typicalPayload);
BENCHMARK_CAPTURE(pdf417ZXing, typical, typicalPayload);
BENCHMARK_CAPTURE(pdf417Ours, largestCommon, largestCommonPayload);
BENCHMARK_CAPTURE(pdf417ZXing, largestCommon, largestCommonPayload);
BENCHMARK_CAPTURE(pdf417Ours, largest, largestPayload);
BENCHMARK_CAPTURE(pdf417ZXing, largest, largestPayload); // reports why zxing-cpp cannot

} // namespace
