#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/UserFeedback.h"

// A UserFeedback for tests: records every call as one line of text and answers message boxes and
// error prompts from scripts. An unscripted message box answers IdOk for Ok boxes and IdYes for
// Yes/No boxes; an unscripted prompt answers Yes.
class ScriptedFeedback : public UserFeedback {
public:
    std::vector<std::string> calls;
    std::deque<int> messageBoxAnswers;
    std::deque<PromptAnswer> promptAnswers;
    std::vector<std::string> promptDetails;
    std::string statusText;
    int progressLow = 0, progressHigh = 0, progressPosition = 0, progressStep = 0;
    int waitCursorDepth = 0;

    int messageBox(const std::string& title, const std::string& text, unsigned style) override;
    PromptAnswer errorPrompt(const std::string& details) override;
    void setStatusText(const std::string& text) override;
    void setProgressRange(int low, int high) override;
    void setProgressPosition(int position) override;
    void setProgressStep(int step) override;
    void stepProgress() override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

    // The recorded calls that start with prefix (e.g. "messageBox", "status").
    std::vector<std::string> callsStartingWith(const std::string& prefix) const;
};
