// Seal and open of data files, and DES beside OpenSSL's DES-ECB on the same bytes.

#include "applicants/FolderQuestions.h"
#include "applicants/ListedFile.h"
#include "applicants/OpenedFile.h"
#include "datafile/DataFile.h"
#include "datafile/Des.h"
#include "datafile/RecordText.h"
#include "tests/support/Applicants.h"
#include "tests/support/UncheckedRecords.h"

#define OPENSSL_SUPPRESS_DEPRECATED
#include <filesystem>
#include <fstream>

#include <benchmark/benchmark.h>
#include <openssl/des.h>

namespace {

using namespace parvelin;

std::string typicalRecord() {
    record::MemberRecord r = test::validApplicant();
    r.groupNumber = "0000130122012035";
    return test::fileRecordOf(r);
}

std::string recordOfSize(std::size_t size) {
    std::string record = typicalRecord();
    while (record.size() < size) {
        record += record::gbk("备注文字");
    }
    record.resize(size);
    return record;
}

void sealTypical(benchmark::State& state) {
    const std::string record = typicalRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(datafile::sealRecord(record));
    }
    state.SetLabel(std::to_string(record.size()) + " bytes");
}

void openTypical(benchmark::State& state) {
    const std::string content = datafile::sealRecord(typicalRecord());
    for (auto _ : state) {
        benchmark::DoNotOptimize(datafile::openRecord(content));
    }
}

void seal4k(benchmark::State& state) {
    const std::string record = recordOfSize(4096);
    for (auto _ : state) {
        benchmark::DoNotOptimize(datafile::sealRecord(record));
    }
}

void open4k(benchmark::State& state) {
    const std::string content = datafile::sealRecord(recordOfSize(4096));
    for (auto _ : state) {
        benchmark::DoNotOptimize(datafile::openRecord(content));
    }
}

constexpr std::size_t kDesBytes = 4096;

void desOurs(benchmark::State& state) {
    const datafile::Des des(datafile::desKeyFromText("73025918"));
    std::vector<std::uint8_t> data(kDesBytes, 0x5A);
    for (auto _ : state) {
        des.encryptEcb(data);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * kDesBytes);
}

void desOpenSsl(benchmark::State& state) {
    DES_cblock key = {'7', '3', '0', '2', '5', '9', '1', '8'};
    DES_key_schedule schedule;
    DES_set_key_unchecked(&key, &schedule);
    std::vector<std::uint8_t> data(kDesBytes, 0x5A);
    for (auto _ : state) {
        for (std::size_t i = 0; i < data.size(); i += 8) {
            auto* block = reinterpret_cast<DES_cblock*>(data.data() + i);
            DES_ecb_encrypt(block, block, &schedule, DES_ENCRYPT);
        }
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * kDesBytes);
}

// A day's save folder of a large delegation: 500 applicants, read as Save reads it to find the
// same identity number or sequence number in another file.
void readFolderOf500(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "parvelin-bench-folder";
    fs::remove_all(folder);
    fs::create_directories(folder);
    record::MemberRecord r = test::validApplicant();
    r.groupNumber = "0000130122012035";
    for (int i = 0; i < 500; ++i) {
        r.personalSequence = std::to_string(i + 1);
        std::ofstream(folder / (r.personalSequence + ".zbdw"), std::ios::binary)
            << datafile::sealRecord(test::fileRecordOf(r));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(applicants::readFolderApplicants(folder.string()));
    }
    fs::remove_all(folder);
}

// The same folder as the applicants window lists it: every file, and the pairs of files that
// hold one identity number (every tenth applicant repeats the one before) or one group and
// sequence number (every twentieth) marked.
void listFolderOf500WithDuplicates(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "parvelin-bench-listing";
    fs::remove_all(folder);
    fs::create_directories(folder);
    record::MemberRecord r = test::validApplicant();
    r.groupNumber = "0000130122012035";
    for (int i = 0; i < 500; ++i) {
        r.personalSequence = std::to_string(i % 20 == 19 ? i : i + 1);
        r.idDocumentNumber = "1101011980010" + std::to_string(10000 + (i % 10 == 9 ? i - 1 : i));
        std::ofstream(folder / (std::to_string(i) + ".zbdw"), std::ios::binary)
            << datafile::sealRecord(test::fileRecordOf(r));
    }
    std::size_t marked = 0;
    for (auto _ : state) {
        auto listed = applicants::listDataFiles(folder.string());
        marked = 0;
        for (const auto& file : std::get<std::vector<applicants::ListedFile>>(listed)) {
            marked += file.duplicates.empty() ? 0 : 1;
        }
        benchmark::DoNotOptimize(listed);
    }
    state.SetLabel(std::to_string(marked) + " of 500 marked");
    fs::remove_all(folder);
}

BENCHMARK(sealTypical);
BENCHMARK(openTypical);
BENCHMARK(seal4k);
BENCHMARK(open4k);
BENCHMARK(desOurs);
BENCHMARK(desOpenSsl);
BENCHMARK(readFolderOf500)->Unit(benchmark::kMillisecond);
BENCHMARK(listFolderOf500WithDuplicates)->Unit(benchmark::kMillisecond);

} // namespace
