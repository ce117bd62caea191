#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include "platform/Prompter.h"

namespace corsel::testing {

// Records every message and answers from a script (Ok or Yes when the script
// is empty, so that no test hangs on a question it did not expect).
class RecordingPrompter final : public Prompter {
public:
    PromptAnswer ask(const PromptRequest& request) override {
        std::lock_guard lock(mutex_);
        shown_.push_back(request);
        if (!answers_.empty()) {
            const PromptAnswer answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return request.buttons == PromptButtons::YesNo ||
                       request.buttons == PromptButtons::YesNoCancel
                   ? PromptAnswer::Yes
                   : PromptAnswer::Ok;
    }

    void answerNext(PromptAnswer answer) {
        std::lock_guard lock(mutex_);
        answers_.push_back(answer);
    }

    std::vector<PromptRequest> shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<PromptRequest> shown_;
    std::deque<PromptAnswer> answers_;
};

}  // namespace corsel::testing
