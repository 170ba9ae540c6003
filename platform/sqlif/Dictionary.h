#pragma once
// The dictionary files of an SQL database folder, read through the record manager: USER.DDF
// (62-byte records: user name 30, password 30, both blank-padded, flags 2) and PROC.DDF
// (1061-byte records: procedure name 30 blank-padded, statement text 1031 zero-terminated),
// each keyed without case on its name, both under the dictionary owner.
#include <string>

#include "platform/sqlif/Statuses.h"

namespace qn::sqlif {

inline constexpr size_t dictionaryNameSize = 30;
inline constexpr size_t userRecordSize = 62;
inline constexpr size_t procedureRecordSize = 1061;
inline constexpr char dictionaryOwner[] = "..KQ....";
inline constexpr char userFileName[] = "USER.DDF";
inline constexpr char procedureFileName[] = "PROC.DDF";

// ok for a known user with that password; 205 for an unknown user and a wrong password alike;
// 285 when USER.DDF cannot be read. `folder` is a Linux path.
Status checkUser(const std::string& folder, const std::string& user, const std::string& password);

// The statement text of a procedure; 222 for an unknown name, 285 when PROC.DDF cannot be read.
Status procedureText(const std::string& folder, const std::string& name, std::string& text);

// A name blank-padded to the dictionary's 30 bytes; nothing fits a longer name.
std::string paddedDictionaryName(const std::string& name);

}  // namespace qn::sqlif
