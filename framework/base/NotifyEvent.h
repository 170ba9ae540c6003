#pragma once
// The plain event of the framework: a handler told which object raised it. Empty means no handler.
#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;
