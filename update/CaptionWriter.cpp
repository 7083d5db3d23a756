#include "update/CaptionWriter.h"

#include "diag/EventLog.h"
#include "platform/FileSystem.h"
#include "platform/ShellFileOps.h"
#include "update/AlbumPasses.h"
#include "update/PassPrompt.h"

namespace {
// A caption file the row knows, that holds these bytes and has not been touched since, is not read
// again: an update of a large album leaves most captions as they are.
bool holdsAlready(const AlbumRow& row, const std::string& path, const std::string& text) {
    if (!row.captionFile || row.captionFile->bytes != text)
        return false;
    std::optional<FileStamp> stamp = fileStampOf(path);
    return stamp && *stamp == row.captionFile->stamp && !stamp->readOnly;
}
}  // namespace

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

int writeCaptionFile(FileOperations& ops, const std::string& path, const std::string& caption) {
    return writeCaptionText(ops, path, captionFileText(caption));
}

int writeCaptionText(FileOperations& ops, const std::string& path, const std::string& text) {
    // Only a read-only file needs its attribute changed; the others are left untouched.
    FileComparison file = compareFileWith(path, text);
    if (file.readOnly)
        ops.clearReadOnly(path);
    else if (file.holds)
        return 0;  // most captions of a large album are unchanged: no rewrite
    return writeWholeFile(ops, path, text);
}

// A caption file that cannot be written is never passed over in silence: the user's caption would
// be lost without a word.
int writeCaptionFiles(PassContext& context, const std::string& albumPath) {
    PassPrompt prompt(context.feedback);
    for (int i = 0; i < context.rows.count(); ++i) {
        const AlbumRow& row = context.rows.row(i);
        std::string text = captionFileText(row.entry->caption());
        std::string path = albumPath + "\\" + row.entry->baseName() + ".txt";
        if (row.flagged() || holdsAlready(row, path, text)) {
            context.feedback.stepProgress();
            continue;
        }
        if (writeCaptionText(context.ops, path, text) == 0) {
            std::optional<FileStamp> stamp = fileStampOf(path);
            context.rows.setCaptionFile(i, stamp ? std::optional<KnownFile>(KnownFile{text, *stamp}) : std::nullopt);
        } else {
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
