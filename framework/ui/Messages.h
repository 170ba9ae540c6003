#pragma once
// Numbered messages to controls: sent (handled at once, with a result) or posted (queued, handled
// once after the current handler returns, by whatever loop runs next). A posted message is
// addressed to the control, not to its window, so it survives a remade window and is dropped
// with a freed control.
#include <cstdint>

class TControl;

struct TMessage {
  unsigned Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCHAR = 0x0106;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_USER = 0x0400;

// Mouse messages carry the point in LParam: x in the low 16 bits, y in the high 16 bits.
constexpr std::intptr_t MakeLParam(int low, int high) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) | static_cast<std::uint32_t>(low & 0xFFFF));
}

// Handles the message in Control at once and answers its result.
std::intptr_t SendMessage(TControl* Control, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam);
// Queues the message for Control; nothing happens when Control is freed first.
void PostMessage(TControl* Control, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam);
