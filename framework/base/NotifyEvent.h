#pragma once
// TNotifyEvent: the plain event of the framework, told only who fired it. Unassigned is empty.
#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;
