#pragma once
// Translation of one numbering of statuses into another by an ordered list of pairs.
#include <cstdint>
#include <span>

struct StatusPair {
  int16_t from;
  uint16_t to;
};

// 0 stays 0; otherwise the `to` of the first pair whose `from` equals the status, or the status
// itself (as a 16-bit code) when no pair names it.
uint16_t MapStatus(std::span<const StatusPair> pairs, int status);
