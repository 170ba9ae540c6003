#include "recordmgr/SessionList.h"

#include <algorithm>

#include "framework/base/FormatText.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DatabaseError.h"
#include "recordmgr/Session.h"

TttSessionlist::~TttSessionlist() { CloseAll(); }

void TttSessionlist::AddSession(TttSession* session) {
  std::lock_guard guard(lock_);
  if (sessions_.empty()) session->MarkDefault();
  sessions_.push_back(session);
}

void TttSessionlist::RemoveSession(TttSession* session) {
  std::lock_guard guard(lock_);
  std::erase(sessions_, session);
}

void TttSessionlist::CloseAll() {
  while (TttSession* last = [this]() -> TttSession* {
    std::lock_guard guard(lock_);
    return sessions_.empty() ? nullptr : sessions_.back();
  }())
    delete last;  // leaves the list on its way out
}

TttSession* TttSessionlist::FindSession(const AnsiString& name) {
  if (name.empty()) return DefaultSession();
  std::lock_guard guard(lock_);
  auto found = std::find_if(sessions_.begin(), sessions_.end(),
                            [&](TttSession* session) { return SameText(session->SessionName(), name); });
  return found == sessions_.end() ? nullptr : *found;
}

TttSession* TttSessionlist::GetSession(const AnsiString& name) {
  TttSession* session = FindSession(name);
  if (!session) DatabaseError(Format(session_texts::kInvalidSessionName, {name}));
  return session;
}

int TttSessionlist::Count() {
  std::lock_guard guard(lock_);
  return static_cast<int>(sessions_.size());
}

TttSession* TttSessionlist::Sessions(int index) {
  std::lock_guard guard(lock_);
  return sessions_.at(static_cast<size_t>(index));
}
