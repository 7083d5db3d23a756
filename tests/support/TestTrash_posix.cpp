#include "tests/support/TestTrash.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "platform/NativePath.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

TestTrash::TestTrash() {
    if (const char* dataHome = std::getenv("XDG_DATA_HOME")) {
        hadDataHome = true;
        savedDataHome = dataHome;
    }
    static std::atomic<int> counter{0};
    ownFolder = (fs::temp_directory_path() /
                 ("velmora-trash-" + std::to_string(::getpid()) + "-" + std::to_string(counter++)))
                    .string();
    fs::create_directories(ownFolder);
    ::setenv("XDG_DATA_HOME", ownFolder.c_str(), 1);
    filesFolder = ownFolder + "/Trash/files";
    for (auto& c : filesFolder)
        if (c == '/')
            c = '\\';
}

TestTrash::~TestTrash() {
    if (hadDataHome)
        ::setenv("XDG_DATA_HOME", savedDataHome.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
    std::error_code error;
    fs::remove_all(ownFolder, error);
}

std::vector<std::string> TestTrash::trashedFiles() const {
    std::vector<std::string> paths;
    for (const auto& name : folderListing(filesFolder))
        paths.push_back(filesFolder + "\\" + name);
    return paths;
}
