#pragma once
// One running configurator per user: a lock file in the temporary directory.
#include <QLockFile>
#include <memory>

class SingleInstance {
public:
    SingleInstance();
    // True when this process holds the lock; false when another instance does.
    bool acquired() const { return acquired_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};
