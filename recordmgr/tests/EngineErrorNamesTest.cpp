#include <gtest/gtest.h>

#include <set>

#include "platform/os/Resources.h"
#include "recordmgr/EngineErrorNames.h"

namespace {

struct NamedCode {
  uint16_t code;
  const char* name;
};

// The first and last name of every run of the table, and the codes the library names itself.
const NamedCode kNamedCodes[] = {
    {0, "DBIERR_NONE"},
    {8449, "DBIERR_SYSFILEOPEN"},         {8458, "DBIERR_CANTLOADLIBRARY"},
    {8705, "DBIERR_BOF"},                 {8706, "DBIERR_EOF"},
    {8708, "DBIERR_RECDELETED"},          {8715, "DBIERR_LDNOTFOUND"},
    {8961, "DBIERR_HEADERCORRUPT"},       {8969, "DBIERR_FOREIGNINDEX"},
    {9217, "DBIERR_READERR"},             {9222, "DBIERR_ACCESSDISABLED"},
    {9473, "DBIERR_NOMEMORY"},            {9498, "DBIERR_BLOBLIMIT"},
    {9729, "DBIERR_KEYVIOL"},             {9750, "DBIERR_FIELDMULTILINKED"},
    {9985, "DBIERR_OUTOFRANGE"},          {10065, "DBIERR_INVALIDPROCEDURENAME"},
    {9986, "DBIERR_INVALIDPARAM"},        {9990, "DBIERR_INVALIDHNDL"},
    {10022, "DBIERR_INVALIDINDEXNAME"},   {10024, "DBIERR_NOSUCHTABLE"},
    {10241, "DBIERR_LOCKED"},             {10260, "DBIERR_OPTRECLOCKRECDEL"},
    {10497, "DBIERR_NOTSUFFFIELDRIGHTS"}, {10504, "DBIERR_NOTSUFFSQLRIGHTS"},
    {10753, "DBIERR_NOTABLOB"},           {10772, "DBIERR_CONNECTNOTSHARED"},
    {10756, "DBIERR_NA"},                 {10758, "DBIERR_NOTINITIALIZED"},
    {10759, "DBIERR_MULTIPLEINIT"},
    {11009, "DBIERR_OSEINVFNC"},          {11021, "DBIERR_OSEINVDAT"},
    {11023, "DBIERR_OSENODEV"},           {11030, "DBIERR_OSEXDEV"},
    {11041, "DBIERR_OSEDOM"},             {11043, "DBIERR_OSEEXIST"},
    {11047, "DBIERR_OSUNKNOWN"},
    {11058, "DBIERR_OSSHAREVIOL"},        {11059, "DBIERR_OSLOCKVIOL"},
    {11109, "DBIERR_OSNETERR"},
    {11060, "DBIERR_OSINT24FAIL"},        {11061, "DBIERR_OSDRIVENOTREADY"},
    {11108, "DBIERR_NOTEXACT"},
    {11110, "DBIERR_OSUNKNOWNSRVERR"},    {11114, "DBIERR_NOSERVERSW"},
    {11265, "DBIERR_NETINITERR"},         {11276, "DBIERR_SERVERCOMMLOST"},
    {15873, "DBIERR_WRONGDRVNAME"},       {15879, "DBIERR_VENDINITFAIL"},
    {11777, "DBIERR_AMBJOASY"},           {11937, "DBIERR_QUERYTOOLONG"},
    {12033, "DBIERR_INTERFACEVER"},       {12039, "DBIERR_SERVERVERSION"},
    {12289, "DBIERR_NOTSUPPORTED"},       {12293, "DBIERR_NOMULTCONNECT"},
    {12545, "DBIERR_INVALIDDBSPEC"},      {12550, "DBIERR_INVALIDCFGPARAM"},
    {12801, "DBIERR_OBJIMPLICITLYDROPPED"}, {12812, "DBIERR_FIELDMUSTBETRIMMED"},
    {13057, "DBIERR_FILEEXISTS"},         {13061, "DBIERR_PDX10TABLE"},
    {13313, "DBIERR_DIFFSORTORDER"},      {13315, "DBIERR_PDX35LDDRIVER"},
    {11521, "DBIERR_REQOPTPARAM"},        {11522, "DBIERR_INVALIDOPTPARAM"},
};

TEST(EngineErrorNamesTest, CodesAreNamedByTheirFirstTableEntry) {
  for (const NamedCode& named : kNamedCodes)
    EXPECT_EQ(GetEngineErrorName(named.code, 255), named.name) << named.code;
}

TEST(EngineErrorNamesTest, KeyOrRecordDeletedSharesItsCodeWithTheEarlierEntry) {
  EXPECT_EQ(EngineErrorNameCode(14), 8708);
  EXPECT_EQ(EngineErrorNameCode(15), 8708);
  EXPECT_EQ(qn::os::loadResourceString(EngineErrorNamesBase + 15), "KEYORRECDELETED");
}

TEST(EngineErrorNamesTest, EveryEntryHasAName) {
  std::set<AnsiString> names;
  for (size_t i = 0; i < EngineErrorNameCount; ++i) {
    auto name = qn::os::loadResourceString(EngineErrorNamesBase + static_cast<int>(i));
    ASSERT_TRUE(name.has_value()) << i;
    EXPECT_FALSE(name->empty()) << i;
    names.insert(*name);
  }
  EXPECT_EQ(names.size(), EngineErrorNameCount) << "a name given twice";
  EXPECT_FALSE(qn::os::loadResourceString(EngineErrorNamesBase + static_cast<int>(EngineErrorNameCount)));
}

TEST(EngineErrorNamesTest, CodesTheTableLacksGetTheNumericForm) {
  EXPECT_EQ(GetEngineErrorName(1, 255), "Korvo (BDE) Error 1.");
  EXPECT_EQ(GetEngineErrorName(8716, 255), "Korvo (BDE) Error 8716.");
  EXPECT_EQ(GetEngineErrorName(65535, 255), "Korvo (BDE) Error 65535.");
}

TEST(EngineErrorNamesTest, NameIsCutToTheMaximumLength) {
  EXPECT_EQ(GetEngineErrorName(8706, 9), "DBIERR_EO");
  EXPECT_EQ(GetEngineErrorName(1, 5), "Korvo");
}

}  // namespace
