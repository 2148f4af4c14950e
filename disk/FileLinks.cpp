#include "disk/FileLinks.h"

#include "disk/PathNames.h"
#include "disk/PrivateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace parvelin::disk {

namespace {

constexpr int kMostLinks = 40; // as many as the kernel follows on one path (MAXSYMLINKS)

// A name that can only be a folder's: never the name of a file written.
bool namesAFolder(std::string_view name) {
    return name.empty() || name == "." || name == "..";
}

// Whether no one but the user can have made the link, or can change it: the user's own, in a
// folder where only the user, or root, may add, replace or remove a name.
bool mayFollow(const struct stat& link, const struct stat& folder) {
    const uid_t user = ::geteuid();
    return link.st_uid == user && (folder.st_uid == user || folder.st_uid == 0) &&
           closedToOthers(folder);
}

// The same link, unchanged: the one examined is the one read.
bool sameLink(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_uid == b.st_uid &&
           a.st_size == b.st_size && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
           a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// What the link `name` in `folder` says, read only where it is still the link examined.
std::optional<std::string> readLink(int folder, const std::string& name, const struct stat& link) {
    // One byte more than the link holds: a longer text is another link.
    std::string text(static_cast<std::size_t>(link.st_size) + 1, '\0');
    const ssize_t got = ::readlinkat(folder, name.c_str(), text.data(), text.size());
    struct stat after {};
    if (got < 0 || static_cast<std::size_t>(got) >= text.size() ||
        ::fstatat(folder, name.c_str(), &after, AT_SYMLINK_NOFOLLOW) != 0 ||
        !sameLink(link, after)) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(got));
    return text;
}

// The path a link's text names: relative to the link's folder unless absolute.
std::string leadsTo(const std::string& folder, const std::string& text) {
    return text.starts_with('/') ? text : pathIn(folder, text);
}

std::optional<std::string> canonicalPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::optional<std::string>(resolved.get()) : std::nullopt;
}

} // namespace

std::optional<std::string> linkedFileOf(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        return std::nullopt;
    }
    // A link that leads nowhere leads to nothing that was read; it is a link all the same.
    return canonicalPath(path).value_or(std::string());
}

std::variant<WritePlace, FileError> placeToWrite(const std::string& path,
                                                 const std::optional<OpenedPath>& opened) {
    const auto failure = [&path](int errorNumber) {
        return fileErrorOf(errorNumber, FileAccess::Write, path);
    };
    std::string current = path;
    // The last link followed: where it leads nowhere, the file takes the link's place.
    std::optional<WritePlace> lastLink;
    for (int links = 0;; ++links) {
        WritePlace place;
        place.folderPath = folderOf(current);
        place.name = std::string(fileNameOf(current));
        if (namesAFolder(place.name)) {
            return FileError{FileFault::NotRegularFile, 0, path};
        }
        place.folder =
            Descriptor(::open(place.folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (place.folder.get() < 0) {
            if (lastLink && (errno == ENOENT || errno == ENOTDIR)) {
                return std::move(*lastLink);
            }
            return failure(errno);
        }
        struct stat entry {};
        if (::fstat(place.folder.get(), &place.folderStatus) != 0) {
            return failure(errno);
        }
        if (::fstatat(place.folder.get(), place.name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) {
                return failure(errno);
            }
            if (lastLink) {
                return std::move(*lastLink);
            }
            return place; // a new file
        }
        if (!S_ISLNK(entry.st_mode)) {
            place.existing = entry;
            return place;
        }

        const std::optional<std::string> text = readLink(place.folder.get(), place.name, entry);
        if (!text) {
            // Changed between two looks: someone is at work on it.
            return FileError{FileFault::ForeignLink, 0, current};
        }
        const std::string target = leadsTo(place.folderPath, *text);
        if (links == 0 && opened) {
            if (!opened->linkedFile) {
                return FileError{FileFault::LinkAppeared, 0, path, target};
            }
            if (canonicalPath(path) != opened->linkedFile) {
                return FileError{FileFault::LinkRedirected, 0, path, target};
            }
        }
        if (!mayFollow(entry, place.folderStatus)) {
            return FileError{FileFault::ForeignLink, 0, current, target};
        }
        if (links == kMostLinks) {
            return failure(ELOOP);
        }
        lastLink = std::move(place);
        current = target;
    }
}

} // namespace parvelin::disk
