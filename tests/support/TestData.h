#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace parvelin::test {

// The bytes of a file under tests/data.
inline std::string readTestData(const std::string& relativePath) {
    const std::string path = std::string(PARVELIN_TEST_DATA) + "/" + relativePath;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("missing test data " + path);
    }
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

} // namespace parvelin::test
