#include "update/CaptionWriter.h"

#include "diag/EventLog.h"
#include "platform/FileSystem.h"
#include "platform/ShellFileOps.h"
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
    std::optional<std::string> bytes = readFileBytes(path);
    return bytes && *bytes == text;
}
}  // namespace

int writeCaptionFile(FileOperations& ops, const std::string& path, const std::string& caption) {
    std::string text = captionFileText(caption);
    // Only a read-only file needs its attribute changed; the others are left untouched.
    if (isReadOnly(path))
        clearReadOnly(path);
    else if (holds(path, text))
        return 0;  // most captions of a large album are unchanged: no rewrite
    std::string draft = path + CaptionDraftSuffix;
    if (ops.exists(draft))
        ops.remove(draft, true);  // our own, left by a run that was cut short
    if (int result = ops.writeNewFile(draft, text))
        return result;
    int result = ops.replaceFile(draft, path);
    if (result)
        ops.remove(draft, true);
    return result;
}

// A caption file that cannot be written is never passed over in silence: the user's caption would
// be lost without a word.
int writeCaptionFiles(PassContext& context, const std::string& albumPath) {
    PassPrompt prompt(context.feedback);
    for (int i = 0; i < context.rows.count(); ++i) {
        if (context.rows.row(i).flagged()) {
            context.feedback.stepProgress();
            continue;
        }
        std::string path = albumPath + "\\" + context.rows.entry(i)->baseName() + ".txt";
        if (writeCaptionFile(context.ops, path, context.rows.entry(i)->caption()) != 0) {
            if (context.logging)
                eventLog.writeLabeled("ERROR:", "Could not write caption file " + path);
            std::string details =
                "An error was encountered while trying to write the caption file\r\nassociated with the following "
                "album entry:\r\n\r\n" +
                context.rows.text(i) + "\r\n\r\nWould you like to continue?";
            if (!prompt.goOn(details))
                return 0;
            ++context.unwrittenCaptions;
        }
        context.feedback.stepProgress();
    }
    return 1;
}
