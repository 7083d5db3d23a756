#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/ShellFileOps.h"

// Wraps the real file operations and makes chosen ones fail: every operation that changes the disk
// (remove, move, copy, write, replace, folder creation and removal, clearing read-only) is counted
// (from 1) and recorded; when failsWhen says so, it returns 5 (access denied) without touching
// anything. afterEach runs after every operation that was carried out.
class FaultyFileOps : public FileOperations {
public:
    static constexpr int InjectedFailure = 5;

    explicit FaultyFileOps(FileOperations& real) : real(real) {}

    std::function<bool(int index, const std::string& path)> failsWhen;
    std::function<void(int index)> afterEach;
    // "remove <path>", "move <from>", "copy <from>", "write <path>", "replace <replaced>",
    // "create <folder>", "rmdir <folder>", "writable <path>", one per counted operation
    std::vector<std::string> operations;
    int failedIndex = 0;  // the last operation made to fail, 0 for none

    int remove(const std::string& path, bool permanently) override {
        return run("remove", path, [&] { return real.remove(path, permanently); });
    }
    int move(const std::string& from, const std::string& to) override {
        return run("move", from, [&] { return real.move(from, to); });
    }
    int copy(const std::string& from, const std::string& to) override {
        return run("copy", from, [&] { return real.copy(from, to); });
    }
    int writeNewFile(const std::string& path, const std::string& bytes) override {
        return run("write", path, [&] { return real.writeNewFile(path, bytes); });
    }
    int replaceFile(const std::string& replacement, const std::string& replaced) override {
        return run("replace", replaced, [&] { return real.replaceFile(replacement, replaced); });
    }
    int createFolder(const std::string& path) override {
        return run("create", path, [&] { return real.createFolder(path); });
    }
    int removeFolder(const std::string& path) override {
        return run("rmdir", path, [&] { return real.removeFolder(path); });
    }
    int clearReadOnly(const std::string& path) override {
        return run("writable", path, [&] { return real.clearReadOnly(path); });
    }
    bool exists(const std::string& path) override { return real.exists(path); }

private:
    int run(const char* name, const std::string& path, const std::function<int()>& operation) {
        operations.push_back(std::string(name) + " " + path);
        int index = int(operations.size());
        if (failsWhen && failsWhen(index, path)) {
            failedIndex = index;
            return InjectedFailure;
        }
        int result = operation();
        if (afterEach)
            afterEach(index);
        return result;
    }

    FileOperations& real;
};
