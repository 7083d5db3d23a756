#include "platform/ShellFileOps.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace {
constexpr FILEOP_FLAGS QuietFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;  // 0x0414

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
    return SHFileOperationA(&operation);
}

int ShellFileOps::move(const std::string& from, const std::string& to) { return transfer(Transfer::Move, from, to); }

int ShellFileOps::copy(const std::string& from, const std::string& to) { return transfer(Transfer::Copy, from, to); }

int ShellFileOps::transfer(Transfer kind, const std::string& from, const std::string& to) {
    if (!fitsShellBuffer(from) || !fitsShellBuffer(to))
        return ResultPathTooLong;
    // Wine's FO_MOVE returns 0 for a missing source.
    if (attributesSayMissing(from))
        return ResultFileNotFound;
    // Wine ignores FOF_RENAMEONCOLLISION and overwrites, so the free name is chosen here.
    // A name too long for the buffers ends the search; it is refused below.
    std::string target = freeDestinationName(
        to, [](const std::string& path) { return fitsShellBuffer(path) && !attributesSayMissing(path); });
    if (!fitsShellBuffer(target))
        return ResultPathTooLong;
    state->source.set(from);
    state->destination.set(target);
    SHFILEOPSTRUCTA& operation = state->operation;
    operation.wFunc = kind == Transfer::Move ? FO_MOVE : FO_COPY;
    operation.pFrom = state->source.text;
    operation.pTo = state->destination.text;
    operation.fFlags |= FOF_RENAMEONCOLLISION;
    return SHFileOperationA(&operation);
}

bool ShellFileOps::exists(const std::string& path) { return !attributesSayMissing(path); }
