#include "album/CaptionFile.h"

#include "album/AlbumRows.h"
#include "platform/FileSystem.h"

std::string captionFromText(const std::string& text) {
    std::string caption;
    caption.reserve(text.size() + 8);
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        char c = text[i];
        bool crLf = c == '\r' && i + 1 < size && text[i + 1] == '\n';
        if (c != '\n' && !crLf) {
            caption += c;
            continue;
        }
        if (crLf)
            ++i;
        if (i + 1 < size)  // the break after the last line is not part of the caption
            caption += "\r\n";
    }
    return caption;
}

// Read in binary and split here, so that every build sees the same lines whatever its C library
// does in text mode.
std::string readCaptionFile(const std::string& path) {
    std::optional<std::string> text = readFileBytes(path);
    return text ? captionFromText(*text) : std::string();
}

std::string readCaptionFile(const std::string& path, std::optional<KnownFile>& file) {
    FileStamp stamp;
    std::optional<std::string> text = readFileBytes(path, &stamp);
    if (!text) {
        file.reset();
        return std::string();
    }
    std::string caption = captionFromText(*text);
    file = KnownFile{std::move(*text), stamp};
    return caption;
}
