#pragma once
#include <string>
#include <vector>

// The Trash (freedesktop.org) that files sent to the Recycle Bin land in during a test, so that
// tests never touch the user's own. Natively each TestTrash points XDG_DATA_HOME at a fresh folder
// of its own for its lifetime; under Wine the Recycle Bin is that same Trash, found through the
// XDG_DATA_HOME the test run was started with (the test environment sets it).
class TestTrash {
public:
    TestTrash();
    TestTrash(const TestTrash&) = delete;
    TestTrash& operator=(const TestTrash&) = delete;
    ~TestTrash();

    // False where recycled files cannot be looked at (Windows itself, or no XDG_DATA_HOME).
    bool visible() const { return !filesFolder.empty(); }
    // Core-style path of the Trash's files folder.
    const std::string& files() const { return filesFolder; }
    // Core-style paths of every file now in the Trash.
    std::vector<std::string> trashedFiles() const;
    // Deletes everything in the Trash. Wine looks through the whole Trash for a free name each
    // time it recycles a file, so a test that recycles many files empties it between its rounds.
    void empty() const;

private:
    std::string filesFolder;
    std::string savedDataHome;
    bool hadDataHome = false;
    std::string ownFolder;
};
