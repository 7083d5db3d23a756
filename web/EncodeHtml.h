#pragma once
#include <string>

// A caption as scrapbook pages show it: the bytes that would break the markup or a double-quoted
// script value, and a fixed set of Windows-1252 accented letters and symbols, become HTML
// character entities; every other byte is copied unchanged. An entity already in the caption is
// encoded again ("&amp;" becomes "&amp;amp;"), since the caption is the player's text, not markup.
std::string EncodeHTML(std::string caption);
