#pragma once
// Told after a change of an edit's text whether the text passes the edit's picture mask.
#include <functional>

class TObject;

using TdcValidateEvent = std::function<void(TObject* Sender, bool PassesPictureTest)>;
