// CSafeFileWriter: writes a whole file so that readers see either the old or the new content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A save writes a temporary file beside the real one and renames it over it. The real file is the
// target of any symbolic link on the path, so links stay links; the new file keeps the old one's
// mode and, where the process may, its owner and group. A file without write permission is refused.
// The temporary is created exclusively under an unpredictable name, locked while it is written,
// and temporaries that a killed save left behind are removed by the next save of the same file.
// Devices and pipes are written in place, having no content to replace. Where the folder takes no
// new file, a regular file is refused rather than written in place, where a crash could tear it.
// A file with several hard links is replaced like any other, so its other names keep the old
// content: writing it in place would give up the guarantee for every such file.
class CSafeFileWriter {
public:
    // False with error set and errno holding the cause when the file was not written; a regular
    // file is then unchanged.
    static bool Write(const std::string& path, const uint8_t* data, size_t size, std::string& error);

    // The leading part of the names of the temporaries a save of the file fileName makes.
    static std::string TemporaryPrefix(const std::string& fileName);
};
