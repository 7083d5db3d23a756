#pragma once
#include <string>

// The photo-count pane: two tabs (which right-align the text in the pane), the number of rows and
// " Photo" for exactly one, " Photos" otherwise.
std::string photoCountText(int rows);

// The main window's title: the application title, followed by " - <family> Family Photo Album"
// once an album of a named family is open.
std::string mainWindowTitle(const std::string& applicationTitle, const std::string& familyName);
