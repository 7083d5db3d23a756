#include "platform/FileSystem.h"

#include <windows.h>
#include <share.h>

namespace {
class ScopedFind {
public:
    explicit ScopedFind(HANDLE handle) : handle(handle) {}
    ScopedFind(const ScopedFind&) = delete;
    ScopedFind& operator=(const ScopedFind&) = delete;
    ~ScopedFind() {
        if (handle != INVALID_HANDLE_VALUE)
            FindClose(handle);
    }
    HANDLE get() const { return handle; }

private:
    HANDLE handle;
};

DWORD attributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }
}  // namespace

std::vector<FolderEntry> findEntries(const std::string& pattern) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA(pattern.c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE)
        return entries;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find.get(), &data));
    return entries;
}

bool fileOrFolderExists(const std::string& path) { return attributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool folderExists(const std::string& path) {
    DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint32_t createFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) ? 0 : GetLastError();
}

std::uint32_t removeFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) ? 0 : GetLastError();
}

std::uint32_t clearReadOnly(const std::string& path) {
    DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError();
    return SetFileAttributesA(path.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)) ? 0 : GetLastError();
}

std::uint32_t setReadOnly(const std::string& path) {
    DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError();
    return SetFileAttributesA(path.c_str(), attributes | FILE_ATTRIBUTE_READONLY) ? 0 : GetLastError();
}

bool isReadOnly(const std::string& path) {
    DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

FileComparison compareFileWith(const std::string& path, const std::string& bytes) {
    FileComparison comparison;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return comparison;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        comparison.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        if (info.nFileSizeHigh == 0 && info.nFileSizeLow == bytes.size()) {
            std::string content(bytes.size(), '\0');
            DWORD got = 0;
            comparison.holds = (bytes.empty() || ReadFile(file, content.data(), DWORD(content.size()), &got, nullptr)) &&
                               got == content.size() && content == bytes;
        }
    }
    CloseHandle(file);
    return comparison;
}

// Sharing is refused to writers only, so the file can be looked at while it is being written.
std::FILE* createFileAsSoleWriter(const std::string& path) { return _fsopen(path.c_str(), "wb", _SH_DENYWR); }

namespace {
FileStamp stampOf(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, FILETIME lastWrite) {
    FileStamp stamp;
    stamp.size = (std::uint64_t(sizeHigh) << 32) | sizeLow;
    stamp.lastWrite = std::int64_t((std::uint64_t(lastWrite.dwHighDateTime) << 32) | lastWrite.dwLowDateTime);
    stamp.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    return stamp;
}
}  // namespace

std::optional<FileStamp> fileStampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return stampOf(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
}

std::optional<std::string> readFileBytes(const std::string& path, FileStamp* stamp) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<std::string> bytes;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        bytes.emplace();
        char buffer[4096];
        DWORD got = 0;
        bool ok;
        while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
            bytes->append(buffer, got);
        if (!ok)
            bytes.reset();
        else if (stamp)
            *stamp = stampOf(info.dwFileAttributes, info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
    }
    CloseHandle(file);
    return bytes;
}
