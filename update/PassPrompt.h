#pragma once
#include <string>

#include "platform/UserFeedback.h"

// The error prompt of one pass over a list of files: asks after a failure until the user answers
// Yes to All, after which the failures of the same pass are only logged.
class PassPrompt {
public:
    explicit PassPrompt(UserFeedback& feedback) : feedback(feedback) {}

    // Whether the pass goes on after a failure described by details.
    bool goOn(const std::string& details) {
        if (yesToAll)
            return true;
        PromptAnswer answer = feedback.errorPrompt(details);
        yesToAll = answer == PromptAnswer::YesToAll;
        return goesOn(answer);
    }

private:
    UserFeedback& feedback;
    bool yesToAll = false;
};
