#pragma once

#include <QLockFile>
#include <memory>

#include "platform/InstanceLock.h"

namespace corsel {

// A lock file in the temporary folder. The file records the holder's process,
// so a copy that crashed while holding it does not keep others out.
class QtInstanceLock final : public InstanceLock {
public:
    ~QtInstanceLock() override;

    bool acquire(const std::string& name) override;
    void release() override;

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace corsel
