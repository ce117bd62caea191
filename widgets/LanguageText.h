#pragma once

#include <QString>
#include <string>

namespace corsel {

// A text of the language tables for a plain-text control: their line breaks
// come as "\r\n" (and a few as "\n\r").
QString plainTextOf(const std::string& text);

}  // namespace corsel
