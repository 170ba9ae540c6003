// The four entry points the program loads from the record manager's library; nothing else is
// exported. No exception crosses into the caller.
#include <cstdint>
#include <exception>

#include "platform/recmgr/Engine.h"

#define QN_RECMGR_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

int16_t dispatch(uint16_t operation, void* positionBlock, void* dataBuffer, uint16_t* dataLength, void* keyBuffer,
                 int8_t keyNumber, const uint8_t* clientId) {
  using namespace qn::recmgr;
  Call call;
  call.operation = operation;
  call.positionBlock = static_cast<uint8_t*>(positionBlock);
  call.data = static_cast<uint8_t*>(dataBuffer);
  call.dataLength = dataLength;
  call.key = static_cast<uint8_t*>(keyBuffer);
  call.keyNumber = keyNumber;
  call.clientId = clientId;
  try {
    return Engine::instance().call(call);
  } catch (const std::exception&) {
    return status::ioError;
  }
}

}  // namespace

// keyLength carries nothing: key sizes come from the key definitions, names from their zero.
QN_RECMGR_EXPORT int16_t BTRCALL(uint16_t operation, void* positionBlock, void* dataBuffer, uint16_t* dataLength,
                                 void* keyBuffer, uint8_t /*keyLength*/, int8_t keyNumber) {
  return dispatch(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyNumber, nullptr);
}

QN_RECMGR_EXPORT int16_t BTRCALLID(uint16_t operation, void* positionBlock, void* dataBuffer, uint16_t* dataLength,
                                   void* keyBuffer, uint8_t /*keyLength*/, int8_t keyNumber,
                                   const uint8_t* clientId) {
  return dispatch(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyNumber, clientId);
}

QN_RECMGR_EXPORT uint16_t WBTRVINIT(const char* /*initText*/) {
  try {
    return static_cast<uint16_t>(qn::recmgr::Engine::instance().initialize());
  } catch (const std::exception&) {
    return static_cast<uint16_t>(qn::recmgr::status::ioError);
  }
}

QN_RECMGR_EXPORT uint16_t WBTRVSTOP(void) {
  try {
    return static_cast<uint16_t>(qn::recmgr::Engine::instance().stopAll());
  } catch (const std::exception&) {
    return static_cast<uint16_t>(qn::recmgr::status::ioError);
  }
}
