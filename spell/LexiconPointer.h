#pragma once
// What a main dictionary's file stands for: a ".dct" file is a letter-trie dictionary, an ".aff"
// file a Hunspell dictionary (its ".dic" beside it), and any other file a pointer: one line naming
// a ".dct" or ".aff" file by path (relative to the pointer's folder when not absolute), or empty,
// naming none. The spell engine's main lexicon files are such pointers.
#include "framework/base/AnsiString.h"

enum class LexiconKind { Trie, Hunspell, Empty, Invalid };

struct LexiconTarget {
  LexiconKind kind = LexiconKind::Invalid;
  AnsiString path;  // the dictionary file, for Trie and Hunspell
};

// Invalid for a missing or unreadable pointer, one of more than one line, or one naming a file of
// another kind. The file a pointer names is not looked at here.
LexiconTarget ResolveLexicon(const AnsiString& Path);
