#pragma once
// The four entry points of a record-manager library, as the loader resolves them by name.
#include <cstdint>

using BtrCallEntry = int16_t (*)(uint16_t op, void* posBlock, void* dataBuf, uint16_t* dataLen, void* keyBuf,
                                 uint8_t keyLen, int8_t keyNum);
using BtrCallIdEntry = int16_t (*)(uint16_t op, void* posBlock, void* dataBuf, uint16_t* dataLen, void* keyBuf,
                                   uint8_t keyLen, int8_t keyNum, const uint8_t* clientId);
using WbtrvInitEntry = uint16_t (*)(const char* initText);
using WbtrvStopEntry = uint16_t (*)();
