// The platform-independent part of the file operations.
#include "core/files.h"

std::string FolderOfPath(const std::string& exePath) {
    const std::size_t last = exePath.find_last_of("\\/");
    if (last == std::string::npos) {
        return {};
    }
    return exePath.substr(0, last);
}
