#pragma once
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// Files and folders, addressed by Windows-style paths (see NativePath.h). Functions that can fail
// return 0 on success or a Win32 error code (2 file not found, 3 path not found, 5 access denied,
// 145 folder not empty, 183 already exists), on every system alike.

struct FolderEntry {
    std::string name;  // file or folder name, without its folder
    bool isFolder = false;
};

// Entries matching a wildcard pattern such as "C:\Game\*.*" or "...\PhotoAlbum\*.jpg" ('*' and
// '?' in the last component, compared without regard to case), in the order the file system
// gives them. "." and ".." are left out. A missing folder gives an empty list.
std::vector<FolderEntry> findEntries(const std::string& pattern);

bool fileOrFolderExists(const std::string& path);
bool folderExists(const std::string& path);

std::uint32_t createFolder(const std::string& path);
// Removes an empty folder; a folder that still holds entries is not removed (145).
std::uint32_t removeFolder(const std::string& path);

// Clears the read-only attribute of a file, leaving its other attributes as they are.
std::uint32_t clearReadOnly(const std::string& path);
std::uint32_t setReadOnly(const std::string& path);
bool isReadOnly(const std::string& path);

// One look at a file that is about to be rewritten: whether it is read-only, and whether it holds
// exactly these bytes already (a file that cannot be read holds nothing).
struct FileComparison {
    bool readOnly = false;
    bool holds = false;
};
FileComparison compareFileWith(const std::string& path, const std::string& bytes);

// What tells whether a file was written since it was last looked at: its size, its last-write time
// as the system keeps it, and whether it is read-only. Renaming or moving a file keeps its stamp.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t lastWrite = 0;
    bool readOnly = false;
    bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> fileStampOf(const std::string& path);

// The whole content of a file, read as bytes; nothing when it cannot be opened or read. With
// stamp, also the file's stamp as it was while it was read.
std::optional<std::string> readFileBytes(const std::string& path, FileStamp* stamp = nullptr);
// Creates or truncates a file and opens it for binary writing as its only writer: while it is open,
// any other opening of it for writing (by this program or by another one) fails and leaves the
// file untouched, and the file is not truncated when this opening fails. Others may still read it.
// Null on failure; the caller closes the stream with fclose.
std::FILE* createFileAsSoleWriter(const std::string& path);

// Case-insensitive wildcard match of one name against one pattern ('*' any run, '?' one byte).
bool wildcardMatch(const std::string& pattern, const std::string& name);
