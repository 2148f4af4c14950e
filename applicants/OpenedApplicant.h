#pragma once

#include "applicants/OpenedFile.h"
#include "datafile/GroupNumber.h"
#include "disk/FileLinks.h"
#include "record/MemberRecord.h"

#include <optional>
#include <string>
#include <utility>

namespace parvelin::applicants {

// The applicant open on the form as Open found it: the data file's path in the file system's
// bytes, the file as read, and the values it held. Save writes back over that file only while it
// is still as read, and only through the link Open found at its path; the group number stored
// with the values stays theirs for as long as their approval number does.
class OpenedApplicant {
public:
    OpenedApplicant(std::string path, FileSnapshot file, record::MemberRecord values)
        : m_path(std::move(path))
        , m_file(std::move(file))
        , m_values(std::move(values)) {}

    const std::string& path() const { return m_path; }
    const record::MemberRecord& values() const { return m_values; }

    // Whether `path` names the opened file, spelled as Open was given it.
    bool isAt(const std::string& path) const { return path == m_path; }
    // Whether the file on disk is still the one read (nothing was written meanwhile).
    bool unchangedOnDisk() const { return snapshotOf(m_path) == m_file; }
    // How a write replaces the opened file: through the link that was at its path, if any.
    disk::OpenedPath replacement() const { return {m_file.linkedFile}; }
    datafile::StoredGroupNumber storedGroup() const {
        return datafile::StoredGroupNumber::of(m_values);
    }

private:
    std::string m_path;
    FileSnapshot m_file;
    record::MemberRecord m_values;
};

} // namespace parvelin::applicants
