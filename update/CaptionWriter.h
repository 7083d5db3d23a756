#pragma once
#include <string>

struct PassContext;

// Writes a caption to its caption file: carriage returns are dropped and every line feed is written
// as CR LF, with no line break added after the last line. An existing file loses its read-only
// attribute first and is then truncated; a writable file that holds exactly these bytes already is
// left as it is. Returns false when the file could not be opened or written.
bool writeCaptionFile(const std::string& path, const std::string& caption);

// Writes every row's caption to albumPrefix + row text + ".txt", one progress step per row. A file
// that cannot be written is logged and put to the user, who may go on or stop the update; returns
// 1 when every row was handled and 0 when the user stopped.
int writeCaptionFiles(PassContext& context, const std::string& albumPrefix);
