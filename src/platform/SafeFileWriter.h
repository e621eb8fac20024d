// CSafeFileWriter: writes a whole file so that readers see either the old or the new content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct CSafeFileTarget;

// A save writes a temporary file beside the real one and renames it over it. The real file is the
// target of any symbolic link on the path, so links stay links; the new file keeps the old one's
// mode and, where the process may, its owner and group. A file without write permission is refused.
// The temporary is created exclusively under an unpredictable name, locked while it is written,
// and temporaries that a killed save left behind are removed by the next save of the same file.
// Devices and pipes are written in place, having no content to replace. Where the folder takes no
// new file, a regular file is refused rather than written in place, where a crash could tear it.
// A file with several hard links is replaced like any other, so its other names keep the old
// content: writing it in place would give up the guarantee for every such file.
//
// A large file is written in pieces: Open, Append as often as needed, Commit. Only Commit puts the
// new content in place; a writer destroyed before it, or a failed Append, leaves the file as it was.
class CSafeFileWriter {
public:
    CSafeFileWriter();
    ~CSafeFileWriter();
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    // False with error set and errno holding the cause when the file was not written; a regular
    // file is then unchanged.
    static bool Write(const std::string& path, const uint8_t* data, size_t size, std::string& error);

    // Prepares writing path (the checks and the temporary of Write); false with error set.
    bool Open(const std::string& path, std::string& error);
    // Writes the next piece; false once any write failed (Commit then says why).
    bool Append(const uint8_t* data, size_t size);
    // Puts the content written in place of the file; false with error set, the file unchanged.
    bool Commit(std::string& error);

    // The leading part of the names of the temporaries a save of the file fileName makes.
    static std::string TemporaryPrefix(const std::string& fileName);

private:
    // Ends an unfinished write: the temporary is removed, the file left as it was.
    void Abandon();

    std::unique_ptr<CSafeFileTarget> m_pTarget;
    std::string m_strTemporary;  // empty when a device or pipe is written in place
    int m_fd = -1;
    int m_nCause = 0;
};
