#pragma once
#include <optional>
#include <string>

// A photo's caption as the game writes it: lines of single-byte text ended by CR LF (a bare LF
// ends a line too). The lines are joined with "\r\n"; a line break at the very end adds nothing,
// while an empty line before the end stays. A caption file that cannot be opened gives "".
std::string readCaptionFile(const std::string& path);

// The same, also giving the file as read (nothing when it could not be read).
struct KnownFile;
std::string readCaptionFile(const std::string& path, std::optional<KnownFile>& file);

// The same rule over text already in memory.
std::string captionFromText(const std::string& text);
