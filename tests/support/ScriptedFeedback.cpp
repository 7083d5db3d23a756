#include "tests/support/ScriptedFeedback.h"

int ScriptedFeedback::messageBox(const std::string& title, const std::string& text, unsigned style) {
    calls.push_back("messageBox|" + title + "|" + text + "|" + std::to_string(style));
    if (!messageBoxAnswers.empty()) {
        int answer = messageBoxAnswers.front();
        messageBoxAnswers.pop_front();
        return answer;
    }
    return (style & 0xF) == msgbox::YesNo ? msgbox::IdYes : msgbox::IdOk;
}

PromptAnswer ScriptedFeedback::errorPrompt(const std::string& details) {
    calls.push_back("errorPrompt|" + details);
    promptDetails.push_back(details);
    if (!promptAnswers.empty()) {
        PromptAnswer answer = promptAnswers.front();
        promptAnswers.pop_front();
        return answer;
    }
    return PromptAnswer::Yes;
}

void ScriptedFeedback::setStatusText(const std::string& text) {
    calls.push_back("status|" + text);
    statusText = text;
}

void ScriptedFeedback::setProgressRange(int low, int high) {
    calls.push_back("progressRange|" + std::to_string(low) + "|" + std::to_string(high));
    progressLow = low;
    progressHigh = high;
}

void ScriptedFeedback::setProgressPosition(int position) {
    calls.push_back("progressPosition|" + std::to_string(position));
    progressPosition = position;
}

void ScriptedFeedback::setProgressStep(int step) {
    calls.push_back("progressStep|" + std::to_string(step));
    progressStep = step;
}

void ScriptedFeedback::stepProgress() {
    calls.push_back("stepProgress");
    progressPosition += progressStep;
}

void ScriptedFeedback::beginWaitCursor() {
    calls.push_back("beginWaitCursor");
    ++waitCursorDepth;
}

void ScriptedFeedback::endWaitCursor() {
    calls.push_back("endWaitCursor");
    --waitCursorDepth;
}

std::vector<std::string> ScriptedFeedback::callsStartingWith(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const auto& call : calls)
        if (call.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(call);
    return matching;
}
