#pragma once
// A dataset step (an edit reading its record with a lock, a post writing it) that meets another
// workstation's lock is waited out as the record-file layer waits: tried again after short
// pauses, then the user is asked whether to go on; a refusal raises EAbort. Any other failure
// raises as it came.
#include <functional>

void RetryWhileRecordLocked(const std::function<void()>& step);
