#pragma once
#include <string>

// Moves a file (native path) into the freedesktop.org home Trash, $XDG_DATA_HOME/Trash or
// ~/.local/share/Trash, with its .trashinfo record. Returns 0 or an errno value; a file the Trash
// cannot take (no usable Trash folder, another file system) stays where it is.
int moveToTrash(const std::string& native);
