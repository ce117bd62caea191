#pragma once

#include <string>

namespace corsel {

enum class PromptButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// One modal message. An empty caption stands for the system's default caption
// ("Error"), as used by messages shown without an owner window.
struct PromptRequest {
    std::string text;
    std::string caption;
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::None;
    bool ownedByMainWindow = false;
};

// Shows modal messages and returns the user's answer: message boxes in the
// program, a script in tests.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual PromptAnswer ask(const PromptRequest& request) = 0;
};

}  // namespace corsel
