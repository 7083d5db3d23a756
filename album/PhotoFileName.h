#pragma once
#include <string>

// Whether a file found with the pattern "*.jpg" really ends in ".jpg" (in any case). Windows also
// matches the pattern against a file's short 8.3 name, so "*.jpg" finds "x.jpeg" too; such a file
// is no photo of the game's, and its base name would point at a ".jpg" that does not exist.
bool hasJpgExtension(const std::string& fileName);

// The file name without its ".jpg" extension.
std::string baseNameOf(const std::string& jpgFileName);
