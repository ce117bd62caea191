#pragma once

#include <string>

namespace corsel {

// Tells the first running copy of the program from the others. A copy that
// ended without releasing (a crash) does not count.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when no other running copy holds the lock named `name`; this copy
    // then holds it until release() or its end.
    virtual bool acquire(const std::string& name) = 0;
    virtual void release() = 0;
};

}  // namespace corsel
