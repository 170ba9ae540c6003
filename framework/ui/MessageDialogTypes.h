#pragma once
// The kinds, buttons and answers of the message boxes.
#include <initializer_list>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };

// A set of buttons; the box shows them in its own order, whatever the order they were named in.
class TMsgDlgButtons {
 public:
  TMsgDlgButtons() = default;
  TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
    for (TMsgDlgBtn b : buttons) *this << b;
  }
  TMsgDlgButtons& operator<<(TMsgDlgBtn button) {
    bits_ |= 1u << button;
    return *this;
  }
  bool Contains(TMsgDlgBtn button) const { return bits_ & (1u << button); }
  bool Empty() const { return bits_ == 0; }
  bool operator==(const TMsgDlgButtons&) const = default;

 private:
  unsigned bits_ = 0;
};

inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// What a modal box or form answers; the numbers are those of the platform's button ids.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

// The answer a button gives.
TModalResult ModalResultOf(TMsgDlgBtn button);
