// Any bytes as a data file: opening and parsing must never crash or read out of bounds, a parse
// that fails leaves the record as it was, and a record that parses composes back into a text
// that parses to the same record.

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "record/MemberRecord.h"
#include "tests/support/UncheckedRecords.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parvelin;
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    // The bytes as file content, and the same bytes as a deciphered record text.
    for (const auto& text : {datafile::openRecord(content), std::optional<std::string>(content)}) {
        if (!text) {
            continue;
        }
        record::MemberRecord record;
        const record::MemberRecord before = record;
        if (datafile::parseFileRecord(*text, record) != datafile::ParseStatus::Ok) {
            if (!(record == before)) {
                std::abort();
            }
            continue;
        }
        record::MemberRecord copy = record;
        const std::string composed = test::fileRecordOf(copy);
        record::MemberRecord reparsed;
        if (datafile::parseFileRecord(composed, reparsed) != datafile::ParseStatus::Ok) {
            std::abort();
        }
        if (datafile::openRecord(datafile::sealRecord(composed)) != composed) {
            std::abort();
        }
    }
    return 0;
}
