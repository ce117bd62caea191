#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "link/FaultLists.h"
#include "pages/FaultCodePageView.h"

namespace corsel {

class Program;

// The logic of the fault-code page: the list of every stored code with its
// meaning and occurrence, drawn afresh whenever the set of codes changes.
class FaultCodePage {
public:
    static constexpr int kTickMs = 10;

    FaultCodePage(Program& program, FaultCodePageView& view);

    void initialise();
    void tick();

    // Appends one row (nothing for code 0) and its texts to FaultRows.
    void AddFaultRow(std::int32_t code, bool isCurrent);

private:
    using CodeSet = std::pair<std::array<std::int32_t, FaultLists::kCapacity>,
                              std::array<std::int32_t, FaultLists::kCapacity>>;

    void buildColumns();
    void redraw(const CodeSet& codes);

    Program& program_;
    FaultCodePageView& view_;
    // The codes the list shows; nothing while it was not drawn.
    std::optional<CodeSet> shownCodes_;
};

}  // namespace corsel
