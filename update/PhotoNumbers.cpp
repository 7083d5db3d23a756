#include "update/PhotoNumbers.h"

#include <algorithm>

#include "album/AlbumLoader.h"
#include "album/PhotoEntry.h"
#include "update/PhotoFiles.h"

long long photoNumberValue(const std::string& text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(MaxPhotoNumber, value * 10 + (c - '0'));
    }
    return value;
}

long long firstFreePhotoNumber(long long first, const std::function<bool(const std::string&)>& taken,
                               const std::string& fileHeader) {
    long long number = std::max(0LL, first);
    while (taken(fileHeader + photoNumberText(number)))
        ++number;
    return number;
}

long long highestPhotoNumber(const FolderNames& names, const std::string& fileHeader) {
    long long highest = -1;
    for (const std::string& name : names.all()) {
        std::string base = photoBaseOfFile(name);
        if (base.empty() || !isAlbumPhotoName(base, fileHeader))
            continue;
        std::string number = photoNumberOf(base);
        if (!number.empty() && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            highest = std::max(highest, photoNumberValue(number));
    }
    return highest;
}
