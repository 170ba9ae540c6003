#pragma once
// The languages a statement may be prepared in. The SQL driver runs SQL; query by example is no
// engine's here, so a statement in it is refused as not supported.
#include <cstdint>

enum QueryLanguage : uint16_t { qlQBE = 1, qlSQL = 2 };
