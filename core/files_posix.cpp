// Whole-file reading and writing and the program's folder, on POSIX calls.
#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>

const char kPathSeparator[] = "/";

namespace {

// Closes a file descriptor exactly once.
struct FileDescriptor {
    explicit FileDescriptor(int f) : fd(f) {}
    ~FileDescriptor() {
        if (IsOpen()) {
            close(fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool IsOpen() const { return fd >= 0; }
    int fd;
};

bool WriteAll(int fd, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

Bytes ReadWholeFile(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!file.IsOpen() || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        info.st_size > std::numeric_limits<std::int32_t>::max()) {
        return {};
    }
    Bytes bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(file.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return {};
        }
        if (n == 0) {
            break;  // the file shrank while we read it
        }
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

bool WriteWholeFile(const std::string& path, const Bytes& bytes) {
    if (path.empty()) {
        return false;
    }
    // A file without write permission is read-only, as on Windows, even for a user (root) whom the
    // system would let replace it.
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0) {
        return false;
    }
    const std::string temporary = path + ".tmp";
    bool written = false;
    {
        FileDescriptor file(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!file.IsOpen()) {
            return false;
        }
        written = WriteAll(file.fd, bytes) && fsync(file.fd) == 0;
    }
    if (written && rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    unlink(temporary.c_str());
    return false;
}

std::string RunDirectory() {
    std::string buffer(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(length));
    return buffer.substr(0, buffer.rfind('/'));
}
