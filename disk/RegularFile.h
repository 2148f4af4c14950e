#pragma once

#include "disk/FileError.h"

#include <cstddef>
#include <string>
#include <sys/stat.h>
#include <variant>

namespace parvelin::disk {

// Reading files safely: only regular files, never more than the caller's cap.

// What a descriptor gives until its end, but never more than `maxBytes` + 1 bytes: a longer
// input is cut there, so that the caller tells it from one that fits without holding all of it.
// `expected` (a file's size) sizes the first read. The errno of a failed read otherwise.
std::variant<std::string, int> readAtMost(int descriptor, std::size_t maxBytes,
                                          std::size_t expected = 0);

// The whole content of a regular file of at most `maxBytes` bytes. Anything else is refused at
// once, without blocking and before a byte is read: a folder, a FIFO or a device (NotRegularFile;
// the path is examined before it is opened, and the opened file once more), a larger file
// (TooLarge), one that cannot be opened or read (the system's reason).
// `status`, where given, receives what fstat says of the file read.
std::variant<std::string, FileError> readRegularFile(const std::string& path, std::size_t maxBytes,
                                                     struct stat* status = nullptr);

} // namespace parvelin::disk
