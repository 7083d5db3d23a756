#include "platform/FileSystem.h"

#include <cctype>
#include <cstdio>
#include <memory>

#include "platform/NativePath.h"

std::optional<std::string> readFileBytes(const std::string& path) {
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(nativePath(path).c_str(), "rb"));
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get()))
        return std::nullopt;
    return bytes;
}

bool wildcardMatch(const std::string& pattern, const std::string& name) {
    std::size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}
