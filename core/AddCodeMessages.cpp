#include "core/AddCodeMessages.h"

#include "platform/os/RegisteredMessages.h"

std::uint16_t QN_Message_AddNarrCode = 0;
std::uint16_t QN_Message_AddDept = 0;
std::uint16_t QN_Message_AddCaseType = 0;
std::uint16_t QN_Message_AddStmtmsg = 0;
std::uint16_t QN_Message_AddGroupcode = 0;
std::uint16_t QN_Message_AddOfficecode = 0;
std::uint16_t QN_Message_AddClientType = 0;

void RegisterAddCodeMessages() {
  std::uint16_t* const identifiers[] = {&QN_Message_AddNarrCode,  &QN_Message_AddDept,       &QN_Message_AddCaseType,
                                        &QN_Message_AddStmtmsg,   &QN_Message_AddGroupcode,  &QN_Message_AddOfficecode,
                                        &QN_Message_AddClientType};
  for (std::size_t i = 0; i < AddCodeMessageNames.size(); ++i)
    *identifiers[i] = static_cast<std::uint16_t>(qn::os::registerWindowMessage(AddCodeMessageNames[i]));
}
