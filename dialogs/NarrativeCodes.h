#pragma once
// The narrative codes of a description: a code goes into the text as a token "+" and the code
// filled to three characters, and the program's list of codes gives each token its text.
#include <vector>

#include "framework/base/AnsiString.h"

// The list of narrative codes, built once when first needed and kept for the run: one entry per
// code, "%-3s" code, "%-120s" description, transaction type letter, sorted. Empty until built.
extern std::vector<AnsiString> NarrativeList;
extern bool NarrativeListBuilt;
// The description of the transaction editor shows its tokens expanded; read-only meanwhile.
extern bool DescriptionExpanded;
// The description as typed, with its tokens: kept while expanded and after every insert.
extern AnsiString UnexpandedDescription;
// The narrative picker is shown for reading only: nothing is inserted and the focus stays.
extern bool NarrativeViewOnly;

AnsiString NarrativeListEntry(const AnsiString& Code, const AnsiString& Description, const AnsiString& TransactionType);

// The list as the large editor shows it: three blanks after each entry's code.
std::vector<AnsiString> NarrativeEditorLines(const std::vector<AnsiString>& List);

// The token of a code: "+" and the code filled to three characters.
AnsiString NarrativeToken(const AnsiString& Code);

struct NarrativeInsertion {
  AnsiString text;
  int caret = 0;  // just after the token
};
// The code's token put into Text at Caret, after a blank unless the caret is at the start or
// follows a blank.
NarrativeInsertion InsertNarrativeToken(const AnsiString& Text, int Caret, const AnsiString& Code);

// The code letter of a tab of the narrative picker: 'N' narrative codes on tab 0; on tab 1 task
// ('T', captioned "Task") or activity ('K') codes of a time entry (kind 1), expense codes ('E') of
// a cost entry (kinds 2 and 3); activity codes on tab 2.
char NarrativeTabTypeCode(int TabIndex, const AnsiString& TabCaption, int TransactionKind);
// Narrative codes have three characters, the electronic-billing codes four.
inline int NarrativeTabMaxLength(int TabIndex) { return TabIndex == 0 ? 3 : 4; }

// The expanded view of a text: every token replaced by its code's text, every line left-trimmed.
AnsiString ExpandedDescription(const AnsiString& Text, const std::vector<AnsiString>& List);
// The expanded view's count label: the length of the right-trimmed text.
AnsiString ExpandedLengthText(const AnsiString& Expanded);
