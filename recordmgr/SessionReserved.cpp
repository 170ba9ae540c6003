// The session's operations whose role this layer does not define: records cleared or barely
// filled, and refusals.
#include <cstring>

#include "recordmgr/BaseSession.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"
#include "recordmgr/ShortStringUtils.h"

namespace {

constexpr uint16_t kReservedRefusal = 9491;

[[noreturn]] void notSupported() { RaiseNotSupported(EngineOperationText::SessionOperation); }

void putWord(void* record, size_t offset, int16_t value) {
  std::memcpy(static_cast<char*>(record) + offset, &value, sizeof value);
}

}  // namespace

void TBaseSession::Reserved13() { notSupported(); }
void TBaseSession::Reserved14() { notSupported(); }
void TBaseSession::Reserved15() { notSupported(); }
void TBaseSession::Reserved16() { notSupported(); }
void TBaseSession::Reserved17() { notSupported(); }
void TBaseSession::Reserved18() { notSupported(); }

void TBaseSession::Reserved22(uint32_t, void* record) { std::memset(CheckParam(record), 0, 156); }

void TBaseSession::Reserved27() { notSupported(); }
void TBaseSession::Reserved29() { notSupported(); }
void TBaseSession::Reserved30() { notSupported(); }
void TBaseSession::Reserved31() { notSupported(); }
void TBaseSession::Reserved32() { notSupported(); }
void TBaseSession::Reserved33() { notSupported(); }
void TBaseSession::Reserved34() { notSupported(); }
void TBaseSession::Reserved38() { notSupported(); }
void TBaseSession::Reserved39() { notSupported(); }
void TBaseSession::Reserved40() { notSupported(); }
void TBaseSession::Reserved41() { notSupported(); }

void TBaseSession::Reserved43(void* record) { std::memset(CheckParam(record), 0, 32); }

void TBaseSession::Reserved44(void* record) {
  std::memset(CheckParam(record), 0, 346);
  putWord(record, 0, -1);
  putWord(record, 4, -1);
}

void TBaseSession::Reserved45(void* record) {
  std::memset(CheckParam(record), 0, 327);
  putWord(record, 32, static_cast<int16_t>(List() ? List()->Count() : 0));
  CopyTextZ(static_cast<char*>(record) + 34, networkDirectory_, DirectoryMax);
}

void TBaseSession::Reserved46() { RaiseEngineError(kReservedRefusal); }

void TBaseSession::Reserved47(void* record) {
  std::memset(CheckParam(record), 0, 14);
  putWord(record, 8, static_cast<int16_t>(List() ? List()->Count() : 0));
}

void TBaseSession::Reserved49(char* record) { GetNetworkUserName(CheckParam(record)); }

void TBaseSession::Reserved56() { notSupported(); }
void TBaseSession::Reserved57() { notSupported(); }
void TBaseSession::Reserved58() { notSupported(); }
void TBaseSession::Reserved59() { notSupported(); }
void TBaseSession::Reserved61() { notSupported(); }
void TBaseSession::Reserved66() { notSupported(); }
void TBaseSession::Reserved67() { notSupported(); }
void TBaseSession::Reserved68() { notSupported(); }
void TBaseSession::Reserved69() { notSupported(); }
void TBaseSession::Reserved70() { notSupported(); }
void TBaseSession::Reserved71() { notSupported(); }
