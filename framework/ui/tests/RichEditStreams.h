#pragma once
// Rich edits loaded from and saved to bytes, through the streams their callers use.
#include <string>

#include "framework/base/MemoryStream.h"
#include "framework/ui/RichEdit.h"

namespace qn::ui::testing {

inline void loadBytes(TCustomRichEdit& edit, const std::string& bytes, bool selectionOnly, bool* answer = nullptr) {
  MemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  bool loaded = edit.loadFromStream(stream, selectionOnly);
  if (answer) *answer = loaded;
}

inline std::string savedBytes(const TCustomRichEdit& edit, bool selectionOnly = false) {
  MemoryStream stream;
  edit.saveToStream(stream, selectionOnly);
  std::string bytes(static_cast<size_t>(stream.Size()), '\0');
  stream.SetPosition(0);
  stream.ReadBuffer(bytes.data(), stream.Size());
  return bytes;
}

}  // namespace qn::ui::testing
