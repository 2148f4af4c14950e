#pragma once

#include <string>

namespace parvelin::disk {

// The temporary file that a new content is written into beside its target, before it is renamed
// over the target. It holds the whole applicant, so no copy of it may stay behind: the file is
// removed when it is dropped unrenamed, and also when the program is ended by SIGINT, SIGTERM or
// SIGHUP while the file exists (the signal then does what it did before). A program killed
// outright (SIGKILL, a power cut) leaves the file; the next save into the folder removes it.
class TemporaryFile {
public:
    // Created 0600 in `folder`, named ".parvelin-" and six random letters or digits.
    explicit TemporaryFile(const std::string& folder);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return m_descriptor >= 0; }
    int descriptor() const { return m_descriptor; }

    // Some file systems report a failed write only when the file is closed.
    [[nodiscard]] bool close();

    // The file takes the name `target` in the open folder `folder`, which must be the folder it
    // was created in; false with errno on failure.
    [[nodiscard]] bool renameTo(int folder, const std::string& target);

private:
    std::string m_path;
    int m_descriptor;
    bool m_named;
};

// Removes the temporary files in `folder` that an ended save of this user left: regular files
// with the name pattern above, owned by the user, last written over a minute ago (a save under
// way in another window writes its file within that time). Nothing else is touched.
void removeStaleTemporaryFiles(const std::string& folder);

} // namespace parvelin::disk
