#pragma once
// The engine error codes the library names in its own code (category × 256 + subcode).
#include <cstdint>

constexpr uint16_t DBIERR_NONE = 0;
constexpr uint16_t DBIERR_BOF = 8705;
constexpr uint16_t DBIERR_EOF = 8706;
constexpr uint16_t DBIERR_RECDELETED = 8708;
constexpr uint16_t DBIERR_NOCURRREC = 8709;
constexpr uint16_t DBIERR_RECNOTFOUND = 8710;
constexpr uint16_t DBIERR_ENDOFBLOB = 8711;
constexpr uint16_t DBIERR_INVALIDPARAM = 9986;
constexpr uint16_t DBIERR_INVALIDHNDL = 9990;
constexpr uint16_t DBIERR_NOSUCHINDEX = 9997;
constexpr uint16_t DBIERR_INVALIDBLOBOFFSET = 9998;
constexpr uint16_t DBIERR_INVALIDRECSTRUCT = 10003;
constexpr uint16_t DBIERR_UNKNOWNDB = 10014;
constexpr uint16_t DBIERR_INVALIDINDEXNAME = 10022;
constexpr uint16_t DBIERR_INVALIDIDXDESC = 10023;
constexpr uint16_t DBIERR_NOSUCHTABLE = 10024;
constexpr uint16_t DBIERR_NOSUCHFILTER = 10050;
constexpr uint16_t DBIERR_INVALIDTABLECREATE = 10052;
constexpr uint16_t DBIERR_ACTIVETRAN = 10256;
constexpr uint16_t DBIERR_NOTABLOB = 10753;
constexpr uint16_t DBIERR_NA = 10756;
constexpr uint16_t DBIERR_NOTINDEXED = 10757;
constexpr uint16_t DBIERR_NOTINITIALIZED = 10758;
constexpr uint16_t DBIERR_MULTIPLEINIT = 10759;
constexpr uint16_t DBIERR_NOTSUPPORTED = 12289;
