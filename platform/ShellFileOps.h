#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

// The file operations through which the program deletes, moves and copies the album's files.
// Paths are Windows-style text. Every operation except exists() returns 0 on success and a
// non-zero code on failure; it never shows a dialog of its own.
//
// The same contract holds for every implementation:
// - A missing source is a failure (2, file not found), never a success.
// - A move or copy never overwrites: when the destination is taken, the file goes to the first
//   free name "name (2).ext", "name (3).ext", ... of the destination folder and the result is 0.
// - A path longer than MaxShellPathLength characters is refused (206) without touching anything.
// - remove(path, false) sends the file to the Recycle Bin (the Trash); when it cannot, the file
//   stays where it is and the result is non-zero. It is never deleted permanently instead.
//
// The passes over the album take this interface, so that tests can make single operations fail.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    virtual int remove(const std::string& path, bool permanently) = 0;
    virtual int move(const std::string& from, const std::string& to) = 0;
    virtual int copy(const std::string& from, const std::string& to) = 0;
    // False only when the path certainly does not exist; files and folders alike.
    virtual bool exists(const std::string& path) = 0;
};

// The shell's path buffers hold 264 characters including the two closing NULs.
inline constexpr std::size_t MaxShellPathLength = 262;
inline constexpr int ResultFileNotFound = 2;
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
    bool exists(const std::string& path) override;

private:
    enum class Transfer { Move, Copy };
    int transfer(Transfer kind, const std::string& from, const std::string& to);

    struct State;
    std::unique_ptr<State> state;
};

// path with " (n)" put before its extension: 3 turns "b.jpg" into "b (3).jpg"; n = 1 gives path itself.
std::string numberedName(const std::string& path, int n);

// The name a file copied or moved to path gets: path itself when it is free, otherwise
// "name (2).ext", "name (3).ext", ... in the same folder, the first one taken() says is free.
std::string freeDestinationName(const std::string& path, const std::function<bool(const std::string&)>& taken);
