#pragma once

#include <array>
#include <string>

namespace corsel {

// The list control of the fault-code page.
class FaultCodePageView {
public:
    virtual ~FaultCodePageView() = default;

    // Width of the list's client area, in pixels.
    virtual int listWidth() const = 0;
    // Replaces the three columns: left-aligned titles with their widths.
    virtual void setColumns(const std::array<std::string, 3>& titles,
                            const std::array<int, 3>& widths) = 0;
    virtual void clearRows() = 0;
    virtual void addRow(const std::array<std::string, 3>& texts) = 0;
};

}  // namespace corsel
