#pragma once
// The input model the system's handlers are written against: mouse buttons, the shift state of a
// key or mouse event, and the handler types of the key and mouse events.
#include <cstdint>
#include <functional>

#include "framework/base/EnumSet.h"

class TObject;

using WORD = std::uint16_t;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = EnumSet<TShiftStateFlag>;

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
