#pragma once
#include <string>

class FileOperations;
struct PassContext;

// Writes a caption to its caption file: carriage returns are dropped and every line feed is written
// as CR LF, with no line break added after the last line. The new text is written beside the old
// file and then put in its place in one step, so a failed write leaves the old caption whole. A
// read-only file loses that attribute first and keeps its others; a writable file that holds
// exactly these bytes already is left as it is. Returns 0, or the result of the failed operation.
int writeCaptionFile(FileOperations& ops, const std::string& path, const std::string& caption);
// The same for the file's bytes already made from the caption.
int writeCaptionText(FileOperations& ops, const std::string& path, const std::string& text);

// A caption's bytes in its file: carriage returns dropped, each line feed written as CR LF.
std::string captionFileText(const std::string& caption);

// Writes the caption of every row that is kept to albumPath + "\" + base name + ".txt", one
// progress step per row (photos flagged for deletion get none), and remembers each file as it
// wrote it. A file that cannot be written is
// logged and put to the user, who may go on or stop the update; returns 1 when every row was
// handled and 0 when the user stopped.
int writeCaptionFiles(PassContext& context, const std::string& albumPath);
