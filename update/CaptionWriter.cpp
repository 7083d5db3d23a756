#include "update/CaptionWriter.h"

#include <cstdio>

#include "diag/EventLog.h"
#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "update/AlbumPasses.h"
#include "update/PassPrompt.h"

namespace {
std::string captionFileText(const std::string& caption) {
    std::string text;
    text.reserve(caption.size() + caption.size() / 16);
    for (char c : caption) {
        if (c == '\r')
            continue;
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

// Whether the file holds exactly text already.
bool holds(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(nativePath(path).c_str(), "rb");
    if (!file)
        return false;
    std::string bytes(text.size() + 1, '\0');
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    // A folder opens for reading on some systems; reading it fails.
    bool readable = !std::ferror(file);
    std::fclose(file);
    return readable && got == text.size() && bytes.compare(0, got, text) == 0;
}
}  // namespace

bool writeCaptionFile(const std::string& path, const std::string& caption) {
    std::string text = captionFileText(caption);
    // Only a read-only file needs its attribute changed; the others are left untouched.
    if (isReadOnly(path))
        clearReadOnly(path);
    else if (holds(path, text))
        return true;  // most captions of a large album are unchanged: no rewrite
    std::FILE* file = std::fopen(nativePath(path).c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    // A full disk may show up only when the buffer is flushed at closing.
    bool closed = std::fclose(file) == 0;
    return written && closed;
}

// A caption file that cannot be written is never passed over in silence: the user's caption would
// be lost without a word.
int writeCaptionFiles(PassContext& context, const std::string& albumPrefix) {
    PassPrompt prompt(context.feedback);
    for (int i = 0; i < context.rows.count(); ++i) {
        std::string path = albumPrefix + context.rows.text(i) + ".txt";
        if (!writeCaptionFile(path, context.rows.entry(i)->caption())) {
            if (context.logging)
                eventLog.writeLabeled("ERROR:", "Could not write caption file " + path);
            std::string details =
                "An error was encountered while trying to write the caption file\r\nassociated with the following "
                "album entry:\r\n\r\n" +
                context.rows.text(i) + "\r\n\r\nWould you like to continue?";
            if (!prompt.goOn(details))
                return 0;
        }
        context.feedback.stepProgress();
    }
    return 1;
}
