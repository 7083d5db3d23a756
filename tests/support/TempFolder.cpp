#include "tests/support/TempFolder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/NativePath.h"

namespace fs = std::filesystem;

namespace {
std::string corePath(const fs::path& path) {
    std::string text = path.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}
}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path folder = fs::temp_directory_path() /
                      ("velmora-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(folder);
    root = corePath(folder);
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Read-only files left by a test must not keep their folder alive.
    for (auto it = fs::recursive_directory_iterator(nativePath(root), error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(nativePath(root), error);
}

std::string TempFolder::file(const std::string& relative) const {
    std::string path = root + "\\" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void writeFile(const std::string& path, const std::string& bytes) {
    fs::path native = nativePath(path);
    fs::create_directories(native.parent_path());
    std::ofstream out(native, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string readFile(const std::string& path) {
    std::ifstream in(nativePath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return fs::exists(nativePath(path), error);
}

void makeFolders(const std::string& path) { fs::create_directories(nativePath(path)); }

std::vector<std::string> folderListing(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (auto it = fs::directory_iterator(nativePath(folder), error); !error && it != fs::directory_iterator();
         it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void copyTree(const std::string& from, const std::string& to) {
    fs::create_directories(nativePath(to));
    fs::copy(nativePath(from), nativePath(to), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}
