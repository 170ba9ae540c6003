#pragma once
// The statement text as the SQL interface reads it: every ":" outside single quotes becomes "@"
// (a variable), then each "?", quoted or not, becomes the next numbered variable "@QVAR0000",
// "@QVAR0001", and so on. The rewrite is never cut; a text whose rewrite would pass the
// interface's 16-bit length is refused with invalid parameter (9986).
#include "framework/base/AnsiString.h"

AnsiString RewriteSqlText(const AnsiString& text);

// The name a "?" is substituted under, without its "@": "QVAR0000" for 0.
AnsiString SqlParameterName(int index);
