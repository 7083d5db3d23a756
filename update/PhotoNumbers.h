#pragma once
#include <functional>
#include <string>

// Larger numbers are read as this one: far beyond any album, and far from overflowing.
inline constexpr long long MaxPhotoNumber = 999999999999LL;

// The value of the digits a photo number text starts with; 0 when it starts with none.
long long photoNumberValue(const std::string& text);

// The first number from `first` on that no photo of the family uses: none of its three file
// names (fileHeader + number text + ".jpg", ".txt" or "_thumb.jpg") is taken, as `taken` says of
// a base name.
long long firstFreePhotoNumber(long long first, const std::function<bool(const std::string& baseName)>& taken,
                               const std::string& fileHeader);

// The highest number among the family's photos named in a folder (base names containing the file
// header whose photo number is all digits); -1 when there is none.
class FolderNames;
long long highestPhotoNumber(const FolderNames& names, const std::string& fileHeader);
