// Any bytes as a record text, through everything that Save, Open and printing do with it: parse,
// checks, file name, sealing and opening, barcode payload, PDF417 symbol, picture, bitmap and the
// page on a recording canvas. Nothing may crash or read out of bounds, and the round trips must
// hold: a record that passed the checks is sealed and opens to the same text and record, and a
// payload that encodes is read back to the same bytes by an independent reader (zxing-cpp, where
// the build links it).

#include "applicants/DataFileName.h"
#include "barcode/BarcodeImage.h"
#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "datafile/Validation.h"
#include "print/PrintJob.h"
#include "record/GbkText.h"
#include "record/MemberRecord.h"
#include "tests/support/FixedClock.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/UncheckedRecords.h"
#ifdef PARVELIN_FUZZ_WITH_ZXING
#include "tests/support/ZxingReader.h"
#endif

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace parvelin;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// No character that a file name may not hold, outside double-byte characters.
bool fitsAFileName(record::GbkStringView name) {
    constexpr std::string_view kNotInFileNames = "\\/:*?\"<>|";
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (record::isLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
            ++i;
        } else if (kNotInFileNames.find(name[i]) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

void checkPrinting(const datafile::CheckedRecord& checked) {
    const std::string payload = datafile::composeBarcodePayload(checked);
    const barcode::BarcodePicture picture = barcode::drawBarcodePicture(record::asBytes(payload));
    if (picture.status == barcode::DrawStatus::Ok) {
        const std::vector<std::uint8_t> bmp = barcode::bmpFileBytes(picture.image);
        require(bmp.size() > 54 && bmp[0] == 'B' && bmp[1] == 'M');
#ifdef PARVELIN_FUZZ_WITH_ZXING
        require(test::readWithZxing(picture.image) == payload);
#endif
    }

    print::PrintJob job = print::printJobFor(checked);
    require(job.payload == payload);
    test::RecordingCanvas canvas;
    int warnings = 0;
    const auto status =
        print::drawFormPage(job, canvas, [&warnings](std::string_view) { ++warnings; });
    require(status == picture.status);
    require(warnings == (status == barcode::DrawStatus::Ok ? 0 : 1));
    if (status == barcode::DrawStatus::Ok) {
        require(canvas.lastPicture == picture.image.pixels);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace std::chrono_literals;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const test::FixedClock clock(2012y / 5 / 17, 1'337'212'800);

    record::MemberRecord record = record::freshRecord(clock);
    if (datafile::parseFileRecord(text, record) != datafile::ParseStatus::Ok) {
        return 0;
    }
    require(!datafile::holdsDamagedBytes(text));
    const datafile::CheckResult result = datafile::validateRecord(record, clock);
    if (const auto* failure = datafile::failureOf(result)) {
        require(!failure->message.empty());
        return 0;
    }
    const datafile::CheckedRecord& checked = std::get<datafile::CheckedRecord>(result);
    require(fitsAFileName(applicants::defaultFileName(checked.record())));

    // Save, then Open: the sealed file opens to the text composed, and the text to the record.
    const std::string composed = datafile::composeFileRecord(checked);
    require(!datafile::holdsDamagedBytes(composed));
    require(datafile::openRecord(datafile::sealRecord(composed)) == composed);
    record::MemberRecord opened = record::freshRecord(clock);
    opened.nameDot.clear(); // composing again must not append a second separator
    require(datafile::parseFileRecord(composed, opened) == datafile::ParseStatus::Ok);
    require(test::fileRecordOf(opened) == composed);

    checkPrinting(checked);
    return 0;
}
