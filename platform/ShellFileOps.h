#pragma once
#include <cstddef>
#include <memory>
#include <string>

// The file operations through which the program deletes, moves, copies and writes the album's
// files. Paths are Windows-style text. Every operation except exists() returns 0 when the planned
// thing happened and a non-zero code otherwise; it never shows a dialog of its own.
//
// The same contract holds for every implementation:
// - A missing source is a failure (2, file not found), never a success.
// - A move or copy never replaces anything: when the destination name is taken, the operation
//   fails with 80 (file exists) and touches nothing. A file never lands under another name than
//   the one asked for.
// - A path longer than MaxShellPathLength characters is refused (206) without touching anything.
// - remove(path, false) sends the file to the Recycle Bin (the Trash); when it cannot, the file
//   stays where it is and the result is non-zero. It is never deleted permanently instead.
// - writeNewFile creates a file that must not exist yet (80 otherwise) and returns only once its
//   bytes are on the disk; a write that fails leaves no file behind.
// - replaceFile puts a complete new version of a file in place of the old one in one step: at
//   every moment the path holds either the old bytes or the new ones. The replaced file's
//   attributes carry over to the new one. It is the one operation that may replace a file, and it
//   serves only files the program rewrites as a whole (caption files, the update journal).
//
// The passes over the album take this interface, so that tests can make single operations fail.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    virtual int remove(const std::string& path, bool permanently) = 0;
    virtual int move(const std::string& from, const std::string& to) = 0;
    virtual int copy(const std::string& from, const std::string& to) = 0;
    virtual int writeNewFile(const std::string& path, const std::string& bytes) = 0;
    virtual int replaceFile(const std::string& replacement, const std::string& replaced) = 0;
    // Creates one folder (its parent must exist); 0, or the system's error code.
    virtual int createFolder(const std::string& path) = 0;
    // Removes an empty folder; one that still holds anything stays (145, folder not empty).
    virtual int removeFolder(const std::string& path) = 0;
    // Clears a file's read-only attribute and leaves its other attributes as they are.
    virtual int clearReadOnly(const std::string& path) = 0;
    // False only when the path certainly does not exist; files and folders alike.
    virtual bool exists(const std::string& path) = 0;
};

// The shell's path buffers hold 264 characters including the two closing NULs.
inline constexpr std::size_t MaxShellPathLength = 262;
inline constexpr int ResultFileNotFound = 2;
inline constexpr int ResultFileExists = 80;
inline constexpr int ResultPathTooLong = 206;

// One instance serves one sequence of operations (an update, an import, a page generation). On
// Windows it is the shell's SHFileOperation with one operation record kept for the whole sequence;
// on POSIX systems rename, copy, unlink and the freedesktop.org Trash.
class ShellFileOps : public FileOperations {
public:
    ShellFileOps();
    ShellFileOps(const ShellFileOps&) = delete;
    ShellFileOps& operator=(const ShellFileOps&) = delete;
    ~ShellFileOps() override;

    int remove(const std::string& path, bool permanently) override;
    int move(const std::string& from, const std::string& to) override;
    int copy(const std::string& from, const std::string& to) override;
    int writeNewFile(const std::string& path, const std::string& bytes) override;
    int replaceFile(const std::string& replacement, const std::string& replaced) override;
    int createFolder(const std::string& path) override;
    int removeFolder(const std::string& path) override;
    int clearReadOnly(const std::string& path) override;
    bool exists(const std::string& path) override;

private:
    enum class Transfer { Move, Copy };
    int transfer(Transfer kind, const std::string& from, const std::string& to);

    struct State;
    std::unique_ptr<State> state;
};

// A new version of a file is written under the file's name with this added, then put in its place.
// Left over only when the program was stopped in between.
inline constexpr const char* DraftSuffix = ".vlmtmp";

// Writes bytes as the whole new content of path (which may not exist yet): into a draft beside it
// first, then put in place with replaceFile, so that path holds the old bytes or the new ones at
// every moment. A draft left by an earlier, cut-short writing is removed first; a failure removes
// the draft it made. 0, or the result of the failed operation.
int writeWholeFile(FileOperations& ops, const std::string& path, const std::string& bytes);

// path with " (n)" put before its extension: 3 turns "b.jpg" into "b (3).jpg"; n = 1 gives path itself.
std::string numberedName(const std::string& path, int n);
