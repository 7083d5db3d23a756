#pragma once
#include <cstdio>
#include <string>

// A scrapbook template, read line by line as a text file: a line ends at LF, a CR just before the
// LF is dropped, and the line end is not part of the line. Templates saved with LF or with CR LF
// line ends therefore read the same. The file is closed when the object goes away.
class TemplateFile {
public:
    TemplateFile() = default;
    TemplateFile(const TemplateFile&) = delete;
    TemplateFile& operator=(const TemplateFile&) = delete;
    ~TemplateFile() { close(); }

    bool open(const std::string& path);
    // The next line into line; false at the end of the file. A read error ends the file too.
    bool readLine(std::string& line);
    // Back to the first line, for the next page made from the same template.
    void rewind();
    void close();

private:
    std::FILE* file = nullptr;
};
