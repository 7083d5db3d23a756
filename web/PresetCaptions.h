#pragma once
#include <cstddef>
#include <string>

// The expansion index page carries the first photos' captions as lines of a script block, one
// double-quoted value per photo, for the page's script to show beside the thumbnails.

// The index template line that starts the block; the template's next lines are replaced by it.
inline constexpr const char* PresetCaptionsMarker = "// preset captions";
// The game's index pages hold this many captions, whatever the number of photos.
inline constexpr int PresetCaptionCount = 200;
// A longer value is cut and ends in "...", within this many characters.
inline constexpr std::size_t PresetCaptionMaxLength = 50;

// A caption as it stands in its preset line: encoded for HTML, then shortened to at most 50
// characters. It must stay a valid script string that displays as text, so a line break becomes a
// space and a backslash its character reference, and a cut never splits an entity.
std::string presetCaptionValue(const std::string& caption);

// c<number>="<value>";
std::string presetCaptionLine(int number, const std::string& value);
