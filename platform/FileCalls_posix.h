#pragma once
#include <cstddef>
#include <string>

// The POSIX calls under the file operations, on native paths. Functions returning int give 0 on
// success and an errno value (or -1 with errno set, where noted) on failure.

// Whether a path exists; an error other than "no such file" counts as existing.
bool nativeExists(const std::string& native);

// An open file descriptor, closed when the object goes away.
class ScopedDescriptor {
public:
    explicit ScopedDescriptor(int descriptor) : descriptor(descriptor) {}
    ScopedDescriptor(const ScopedDescriptor&) = delete;
    ScopedDescriptor& operator=(const ScopedDescriptor&) = delete;
    ~ScopedDescriptor();
    int get() const { return descriptor; }
    // Closes now and tells whether the close succeeded (a deferred write error shows up here).
    bool close();

private:
    int descriptor;
};

bool writeAll(int descriptor, const char* data, std::size_t size);

// rename() that refuses to replace an existing destination; returns -1 with errno EEXIST then.
int renameNoReplace(const std::string& from, const std::string& to);

// Copies a file to a destination that must not exist yet (EEXIST otherwise), with its data on the
// disk before it returns; a failed copy leaves no partial file behind.
int copyFileExclusive(const std::string& from, const std::string& to);

// An errno value as the Win32 error code the Windows build would report.
int win32ResultOf(int error);
