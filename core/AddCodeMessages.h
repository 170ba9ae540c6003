#pragma once
// The seven window messages by which the program asks the suite's main program to add a code.
// They are registered by name when the main window is first shown, before any code entry is
// validated; the lookup-entry validation sends them.
#include <array>
#include <cstdint>

#include "framework/base/AnsiString.h"

// In the order they are registered.
inline const std::array<AnsiString, 7> AddCodeMessageNames = {
    "QN_Message_AddNarrCode",  "QN_Message_AddDept",       "QN_Message_AddCaseType",   "QN_Message_AddStmtmsg",
    "QN_Message_AddGroupcode", "QN_Message_AddOfficecode", "QN_Message_AddClientType",
};

// The messages' identifiers; 0 until RegisterAddCodeMessages ran.
extern std::uint16_t QN_Message_AddNarrCode;
extern std::uint16_t QN_Message_AddDept;
extern std::uint16_t QN_Message_AddCaseType;
extern std::uint16_t QN_Message_AddStmtmsg;
extern std::uint16_t QN_Message_AddGroupcode;
extern std::uint16_t QN_Message_AddOfficecode;
extern std::uint16_t QN_Message_AddClientType;

// Registers the seven names in the order above and keeps their identifiers.
void RegisterAddCodeMessages();
