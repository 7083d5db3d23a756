#pragma once
#include <string>
#include <vector>

// A fresh folder for one test, removed with everything in it when the object goes away. Paths are
// handed out in the core's Windows-style form (backslashes), so tests build paths as the program does.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& path() const { return root; }
    // root + "\" + relative (relative may use either slash)
    std::string file(const std::string& relative) const;

private:
    std::string root;
};

// Small file helpers for tests; paths in the core's form.
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
void makeFolders(const std::string& path);
// Names of the entries of a folder, sorted.
std::vector<std::string> folderListing(const std::string& folder);
// Copies a folder tree (e.g. the sample game installation) into place.
void copyTree(const std::string& from, const std::string& to);
