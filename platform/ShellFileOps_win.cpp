#include "platform/ShellFileOps.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace {
constexpr FILEOP_FLAGS QuietFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;  // 0x0414
// The shell reported success, yet the file is not where it was asked to go.
constexpr int ResultNotWherePlanned = ERROR_FUNCTION_FAILED;

// A shell path list of one path: the path, its NUL and the NUL that ends the list.
struct ShellPath {
    char text[MaxShellPathLength + 2] = {};

    void set(const std::string& path) {
        std::memcpy(text, path.c_str(), path.size());
        text[path.size()] = '\0';
        text[path.size() + 1] = '\0';
    }
};

bool fitsShellBuffer(const std::string& path) { return path.size() <= MaxShellPathLength; }

bool attributesSayMissing(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : handle(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { close(); }
    HANDLE get() const { return handle; }
    bool close() {
        HANDLE h = handle;
        handle = INVALID_HANDLE_VALUE;
        return h == INVALID_HANDLE_VALUE || CloseHandle(h);
    }

private:
    HANDLE handle;
};

bool writeAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1 << 20)), written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}
}  // namespace

// One operation record for the instance's whole sequence: each operation changes only the fields
// it needs, so its flags stay as the last operation left them.
struct ShellFileOps::State {
    SHFILEOPSTRUCTA operation{};
    ShellPath source;
    ShellPath destination;
};

ShellFileOps::ShellFileOps() : state(std::make_unique<State>()) {
    state->operation.hwnd = nullptr;
    state->operation.fFlags = QuietFlags;
}

ShellFileOps::~ShellFileOps() = default;

int ShellFileOps::remove(const std::string& path, bool permanently) {
    if (!fitsShellBuffer(path))
        return ResultPathTooLong;
    // The shell reports success for a file that is not there; the caller must learn it is missing.
    if (attributesSayMissing(path))
        return ResultFileNotFound;
    state->source.set(path);
    SHFILEOPSTRUCTA& operation = state->operation;
    operation.wFunc = FO_DELETE;
    operation.pFrom = state->source.text;
    operation.pTo = nullptr;
    if (permanently)
        operation.fFlags &= ~FILEOP_FLAGS(FOF_ALLOWUNDO);
    else
        operation.fFlags |= FOF_ALLOWUNDO;
    int result = SHFileOperationA(&operation);
    // Wine reports success for a file another program holds open, and leaves the file in place.
    if (result == 0 && !attributesSayMissing(path))
        return ResultNotWherePlanned;
    return result;
}

int ShellFileOps::move(const std::string& from, const std::string& to) { return transfer(Transfer::Move, from, to); }

int ShellFileOps::copy(const std::string& from, const std::string& to) { return transfer(Transfer::Copy, from, to); }

int ShellFileOps::transfer(Transfer kind, const std::string& from, const std::string& to) {
    if (!fitsShellBuffer(from) || !fitsShellBuffer(to))
        return ResultPathTooLong;
    // Wine's FO_MOVE returns 0 for a missing source.
    if (attributesSayMissing(from))
        return ResultFileNotFound;
    // Wine ignores FOF_RENAMEONCOLLISION and overwrites, so a taken name is refused here.
    if (!attributesSayMissing(to))
        return ResultFileExists;
    state->source.set(from);
    state->destination.set(to);
    SHFILEOPSTRUCTA& operation = state->operation;
    operation.wFunc = kind == Transfer::Move ? FO_MOVE : FO_COPY;
    operation.pFrom = state->source.text;
    operation.pTo = state->destination.text;
    // Should another program take the name after the test above, Windows renames instead of
    // overwriting and says so through the name mappings; that is a failure here, not a success.
    operation.fFlags |= FOF_RENAMEONCOLLISION | FOF_WANTMAPPINGHANDLE;
    operation.hNameMappings = nullptr;
    operation.fAnyOperationsAborted = FALSE;
    int result = SHFileOperationA(&operation);
    bool renamed = operation.hNameMappings != nullptr;
    if (renamed)
        SHFreeNameMappings(operation.hNameMappings);
    operation.hNameMappings = nullptr;
    if (result != 0)
        return result;
    if (renamed)
        return ResultFileExists;
    if (operation.fAnyOperationsAborted)
        return ERROR_CANCELLED;
    // Wine reports success for a move of a file another program holds open, and leaves the file
    // where it was.
    if (attributesSayMissing(to) || (kind == Transfer::Move && !attributesSayMissing(from)))
        return ResultNotWherePlanned;
    return 0;
}

int ShellFileOps::writeNewFile(const std::string& path, const std::string& bytes) {
    if (!fitsShellBuffer(path))
        return ResultPathTooLong;
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return int(GetLastError());
    int error = 0;
    if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get()))
        error = int(GetLastError());
    if (!file.close() && !error)
        error = int(GetLastError());
    if (error)
        DeleteFileA(path.c_str());
    return error;
}

int ShellFileOps::replaceFile(const std::string& replacement, const std::string& replaced) {
    if (!fitsShellBuffer(replacement) || !fitsShellBuffer(replaced))
        return ResultPathTooLong;
    if (attributesSayMissing(replacement))
        return ResultFileNotFound;
    DWORD attributes = GetFileAttributesA(replaced.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    if (!MoveFileExA(replacement.c_str(), replaced.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return int(GetLastError());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(replaced.c_str(), attributes);
    return 0;
}

bool ShellFileOps::exists(const std::string& path) { return !attributesSayMissing(path); }
