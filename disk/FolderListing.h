#pragma once

#include "disk/Descriptor.h"
#include "disk/FileError.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <variant>
#include <vector>

namespace parvelin::disk {

// Reading a folder's entries: the one place where the program walks a folder, so that every
// listing (the Open dialog, the applicants window, the sweep of temporary files) meets the same
// rules and a platform's own calls sit in this file's source alone.

// Whether an entry that is a symbolic link is described as the file it leads to (a listing
// shows what the clerk can open) or as the link itself (a sweep removes only what it made).
enum class LinksAs { Target, Link };

struct FolderItem {
    std::string name; // as the file system spells it: the bytes that open the file
    struct stat status;
};

// The folder, open (so that what is done to an entry is done in the very folder read), and its
// entries other than "." and "..", in the order the file system gives them. An entry gone
// meanwhile, or one that cannot be examined (a link that leads nowhere, with LinksAs::Target),
// is left out. A folder that cannot be opened or read gives the error with its path.
struct FolderListing {
    Descriptor folder;
    std::vector<FolderItem> items;
};
std::variant<FolderListing, FileError> readFolder(const std::string& folder, LinksAs links);

// The last write of a file as stat gives it, in nanoseconds since 1970.
std::int64_t modifiedNanoseconds(const struct stat& status);

// Whether the entry belongs to the user the program runs as (always, where files have no owner).
bool ownedByThisUser(const struct stat& status);

// Removes the entry `name` of a listing of `folder`: in the very folder read, where the system
// can name it by its descriptor.
void removeListed(const FolderListing& listing, const std::string& folder, const std::string& name);

// Whether anything has the name `path`: a file, a folder, or a link that leads nowhere.
bool nameExists(const std::string& path);

} // namespace parvelin::disk
