#pragma once
// The program's atom table: short texts known by a number, for code that hands a text on as a
// message parameter. Messages between programs carry their text themselves, so the table never
// leaves the process. Texts compare without regard to case; adding a text already present counts
// a reference, and deleting drops one.
#include <string>

namespace qn::os {

using Atom = unsigned short;

// The atom of text, from 0xC000 up; 0 when text is empty, longer than 255 bytes, or the table is
// full.
Atom addAtom(const std::string& text);

// The atom's text, as first added; empty when there is no such atom.
std::string atomName(Atom atom);

// Drops one reference; the atom goes when none is left. Answers whether the atom existed.
bool deleteAtom(Atom atom);

}  // namespace qn::os
