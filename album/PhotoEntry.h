#pragma once
#include <string>

// One photo of the open album: its caption (lines joined by CR LF, no line break after the last)
// and its base name (the JPEG's file name without folder and without ".jpg").
class PhotoEntry {
public:
    PhotoEntry(std::string baseName, std::string caption)
        : captionText(std::move(caption)), name(std::move(baseName)) {}
    virtual ~PhotoEntry() = default;

    std::string caption() const { return captionText; }
    std::string baseName() const { return name; }
    void setCaption(std::string text) { captionText = std::move(text); }
    void setBaseName(std::string baseName) { name = std::move(baseName); }

private:
    std::string captionText;
    std::string name;
};

// The photo number a row shows: the text after the last underscore of the base name, or the whole
// name when it has none.
std::string photoNumberOf(const std::string& baseName);

// A photo number as this program writes it: decimal, padded with zeros to four digits, never cut.
std::string photoNumberText(long long number);
