#pragma once
#include <string>

// The core builds every path as Windows text ("C:\Game\UserData\PhotoAlbum"), because the log and
// the messages show paths byte for byte. nativePath() turns such a path into what the operating
// system's own calls take: unchanged on Windows, backslashes as slashes on POSIX.
std::string nativePath(const std::string& windowsPath);
