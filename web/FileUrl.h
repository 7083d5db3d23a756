#pragma once
#include <string>

// The file URL a browser is sent to for a page on disk, built from its Windows path:
//   "C:\Games\The Sims\UserData\Web Pages\a.html" -> "file:///C:/Games/The%20Sims/UserData/Web%20Pages/a.html"
//   "\\server\share\Web Pages\a.html"             -> "file://server/share/Web%20Pages/a.html"
// Backslashes become slashes. Spaces, control bytes and the characters a URL reads as its own
// ('%', '#', '?' and the like) are percent-encoded; every other byte, the code page's own letters
// among them, is kept, so the URL names the same file once it is widened from the code page.
std::string fileUrlOf(const std::string& windowsPath);
