#include "tests/support/TestTrash.h"

#include <filesystem>

#include "platform/NativePath.h"

void TestTrash::empty() const {
    if (!visible())
        return;
    std::error_code error;
    std::filesystem::path files = nativePath(filesFolder);
    for (const auto& folder : {files, files.parent_path() / "info"})
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            std::filesystem::remove_all(entry.path(), error);
}
