#include "recordmgr/StatusMap.h"

uint16_t MapStatus(std::span<const StatusPair> pairs, int status) {
  if (status == 0) return 0;
  for (const StatusPair& pair : pairs)
    if (pair.from == status) return pair.to;
  return static_cast<uint16_t>(status);
}
