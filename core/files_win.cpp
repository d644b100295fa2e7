// Whole-file reading and writing and the program's folder, on the wide Windows file APIs.
#include "core/files.h"

#include <cstdint>
#include <limits>

#include "core/windows_api.h"

const char kPathSeparator[] = "\\";

namespace {

// Closes a file handle exactly once.
struct FileHandle {
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() {
        if (IsOpen()) {
            CloseHandle(handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE handle;
};

std::wstring WidePath(const std::string& path) {
    return WideFromCodePage(path, CP_UTF8);
}

bool WriteAll(HANDLE file, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

Bytes ReadWholeFile(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return {};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size) || size.QuadPart <= 0 ||
        size.QuadPart > std::numeric_limits<std::int32_t>::max()) {
        return {};
    }
    Bytes bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        if (!ReadFile(file.handle, bytes.data() + done, chunk, &got, nullptr)) {
            return {};
        }
        if (got == 0) {
            break;  // the file shrank while we read it
        }
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool WriteWholeFile(const std::string& path, const Bytes& bytes) {
    if (path.empty()) {
        return false;
    }
    const std::wstring target = WidePath(path);
    // Windows refuses to rename over a read-only file; Wine renames over it for any user, since the
    // folder is writable. Refusing here keeps a read-only file as it is on both.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    const std::wstring temporary = target + L".tmp";
    bool written = false;
    {
        FileHandle file(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsOpen()) {
            return false;
        }
        written = WriteAll(file.handle, bytes) && FlushFileBuffers(file.handle);
    }
    if (written && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

std::string RunDirectory() {
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) {
        return {};
    }
    buffer.resize(length);
    return FolderOfPath(CodePageFromWide(buffer, CP_UTF8));
}
