#pragma once

#include "platform/Shell.h"

namespace corsel {

// Opens files with the desktop's handler for their type.
class QtShell final : public Shell {
public:
    void open(const std::string& path) override;
};

}  // namespace corsel
