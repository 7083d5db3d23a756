#pragma once
#include <string>

// Message box styles and answers, with the values of the Win32 MB_ and ID constants, so that the
// core states its message boxes exactly as the Windows program shows them.
namespace msgbox {
inline constexpr unsigned Ok = 0x0000;
inline constexpr unsigned YesNo = 0x0004;
inline constexpr unsigned IconError = 0x0010;
inline constexpr unsigned IconQuestion = 0x0020;
inline constexpr unsigned IconWarning = 0x0030;
inline constexpr unsigned IconExclamation = 0x0030;
inline constexpr unsigned IconInformation = 0x0040;
inline constexpr unsigned DefButton2 = 0x0100;

inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
}  // namespace msgbox

// The answers of the error prompt that follows a failed file operation.
enum class PromptAnswer { Yes, YesToAll, No, NoToAll };

// Everything the core tells the user or asks of them goes through this interface: the main view
// implements it with real windows, tests with a script.
class UserFeedback {
public:
    virtual ~UserFeedback() = default;

    // A modal message box; returns the msgbox::Id... of the button pressed.
    virtual int messageBox(const std::string& title, const std::string& text, unsigned style) = 0;
    // The "Program Error" prompt with its details text (CR LF line breaks).
    virtual PromptAnswer errorPrompt(const std::string& details) = 0;

    // Status-bar message pane; an empty text brings back the idle text.
    virtual void setStatusText(const std::string& text) = 0;

    // The view's progress bar. The range is passed to the control as 16-bit values.
    virtual void setProgressRange(int low, int high) = 0;
    virtual void setProgressPosition(int position) = 0;
    virtual void setProgressStep(int step) = 0;
    virtual void stepProgress() = 0;

    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class ScopedWaitCursor {
public:
    explicit ScopedWaitCursor(UserFeedback& feedback) : feedback(feedback) { feedback.beginWaitCursor(); }
    ScopedWaitCursor(const ScopedWaitCursor&) = delete;
    ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;
    ~ScopedWaitCursor() { feedback.endWaitCursor(); }

private:
    UserFeedback& feedback;
};

// Whether an answer lets a pass go on, and whether it stops the prompts for the rest of the pass.
inline bool goesOn(PromptAnswer answer) { return answer == PromptAnswer::Yes || answer == PromptAnswer::YesToAll; }
