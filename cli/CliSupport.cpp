#include "cli/CliSupport.h"

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace parvelin::cli {

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) {
        return std::nullopt;
    }
    return content.str();
}

bool writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

std::string readStandardInput() {
    std::freopen(nullptr, "rb", stdin);
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

void writeStandardOutput(std::string_view bytes) {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
}

void reportError(std::string_view text) {
    std::cerr << "parvelin-cli: " << text << '\n';
}

std::optional<OpenedFile> openDataFile(const std::string& path) {
    const auto content = readFile(path);
    if (!content) {
        reportError(path + ": cannot be read");
        return std::nullopt;
    }
    auto recordText = datafile::openRecord(*content);
    if (!recordText) {
        reportError(path + ": not a data file (it deciphers to no record)");
        return std::nullopt;
    }
    record::SystemClock clock;
    record::MemberRecord record = record::newRecord(clock);
    const auto status = datafile::parseFileRecord(*recordText, record);
    if (status != datafile::ParseStatus::Ok) {
        reportError(path + ": " + std::string(datafile::describe(status)));
        return std::nullopt;
    }
    return OpenedFile{*std::move(recordText), std::move(record)};
}

} // namespace parvelin::cli
