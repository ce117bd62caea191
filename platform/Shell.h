#pragma once

#include <string>

namespace corsel {

// Opens a document or program with whatever the desktop uses for it. Failures
// are the desktop's to report.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const std::string& path) = 0;
};

}  // namespace corsel
