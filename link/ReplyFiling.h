#pragma once

#include <functional>
#include <string>

#include "link/ModuleReport.h"
#include "link/SessionRecords.h"

namespace corsel {

// Checks the frame of a poll reply and files it: into its TableStore block by
// table number, the status fault text from an 's' frame of page 0, and in
// playback the fault codes of recorded fault pages. A frame that fails its
// checksum counts against the current poll step; a valid one clears the count.
void ProcessReply(SessionRecords& records, const ModuleReport& reply,
                  const std::function<std::string(int code)>& faultName);

}  // namespace corsel
