#include "album/PhotoEntry.h"

std::string photoNumberOf(const std::string& baseName) {
    auto underscore = baseName.find_last_of('_');
    return underscore == std::string::npos ? baseName : baseName.substr(underscore + 1);
}

std::string photoNumberText(long long number) {
    std::string digits = std::to_string(number);
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    return digits;
}
