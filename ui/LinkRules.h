#pragma once
#include <cstdint>
#include <string>

// The parts of a hyperlink control that need no window: its style bits, the colour it is drawn in,
// the command line of the browser fallback and the words for a failed open.

namespace hyperlink {

inline constexpr unsigned Underlined = 0x01;
inline constexpr unsigned HoverColor = 0x02;
inline constexpr unsigned FitToText = 0x04;
inline constexpr unsigned OpenOnPress = 0x08;
inline constexpr unsigned FocusOnClick = 0x10;
inline constexpr unsigned NoCursor = 0x20;
inline constexpr unsigned NoActiveColor = 0x40;
inline constexpr unsigned DefaultStyle = Underlined | FitToText | FocusOnClick;

// COLORREF values, shared by every link of the program.
struct Colors {
    std::uint32_t link;
    std::uint32_t active;
    std::uint32_t visited;
    std::uint32_t hover;
};

struct State {
    bool active = false;
    bool hover = false;
    bool visited = false;
};

// Hover (when the style asks for it) before active (unless the style forbids it) before visited
// before the plain link colour.
std::uint32_t textColor(const State& state, unsigned style, const Colors& colors);

// The registered browser command with its document placeholder ("%1", quoted or not) cut off and
// the target appended after one space. The target is passed unquoted, as the browser's own
// command line expects the address.
std::string fallbackCommandLine(const std::string& registeredCommand, const std::string& target);

// Why ShellExecute or WinExec failed with this result (32 or less), as the user is told.
std::string openFailureReason(long long code);

}  // namespace hyperlink
