#pragma once
#include <cstdio>
#include <string>

// A scrapbook page being written. Every line is followed by CR LF, and each LF inside a line (from
// a multi-line caption) is written as CR LF as well, so a caption's CR LF reaches the page as
// CR CR LF; the bytes are the same from every build. The file is closed when the object goes away.
class PageFile {
public:
    PageFile() = default;
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;
    ~PageFile() { close(); }

    // Creates the file, or empties it when it exists.
    bool create(const std::string& path);
    void writeLine(const std::string& line);
    // False when a write or the close failed (a full disk, for instance).
    bool close();

private:
    std::FILE* file = nullptr;
    bool failed = false;
};
