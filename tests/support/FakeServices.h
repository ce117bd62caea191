#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/InstanceLock.h"
#include "platform/Shell.h"

namespace corsel::testing {

class FakeInstanceLock final : public InstanceLock {
public:
    bool acquire(const std::string& name) override {
        names.push_back(name);
        held = !otherCopyRunning;
        return held;
    }
    void release() override { held = false; }

    bool otherCopyRunning = false;
    bool held = false;
    std::vector<std::string> names;
};

class FakeShell final : public Shell {
public:
    void open(const std::string& path) override { opened.push_back(path); }
    std::vector<std::string> opened;
};

// A folder of its own for one test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("corsel-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace corsel::testing
