#include "tests/support/TestTrash.h"

#include <cstdlib>
#include <filesystem>

#include "platform/NativePath.h"
#include "tests/support/TempFolder.h"

// Wine keeps the Unix file system on drive Z: and sends recycled files to the XDG Trash of the
// environment the process started with.
TestTrash::TestTrash() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (!dataHome || dataHome[0] != '/')
        return;
    filesFolder = std::string("Z:") + dataHome + "/Trash/files";
    for (auto& c : filesFolder)
        if (c == '/')
            c = '\\';
}

TestTrash::~TestTrash() = default;

std::vector<std::string> TestTrash::trashedFiles() const {
    std::vector<std::string> paths;
    if (!visible())
        return paths;
    for (const auto& name : folderListing(filesFolder))
        paths.push_back(filesFolder + "\\" + name);
    return paths;
}
