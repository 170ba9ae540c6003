#pragma once
// The options of a spelling configuration, one bit each, as the configuration file stores them.
#include <cstdint>

using SpellOptionSet = std::uint16_t;

enum SpellOption : SpellOptionSet {
  soUpcase = 0x0001,       // accept words written all in capitals
  soNumbers = 0x0002,      // accept words holding a digit
  soHTML = 0x0004,         // skip HTML tags
  soInternet = 0x0008,     // skip e-mail addresses and URLs
  soQuoted = 0x0010,       // skip quoted lines
  soAutoSuggest = 0x0020,  // list suggestions at each stop
  soPrimaryOnly = 0x0040,  // suggestions from the first main dictionary only
  soRecheck = 0x0080,      // check replaced words again
  soRepeated = 0x0100,     // stop on a repeated word
  soDualCaps = 0x0200,     // kept and shown only, like the four below
  soUser1 = 0x0400,
  soUser2 = 0x0800,
  soUser3 = 0x1000,
  soUser4 = 0x2000,
};
