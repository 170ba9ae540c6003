#pragma once
// The record manager's library, loaded on demand and shared by the whole process, and the calls
// through its entry points.
//
// The library is never unloaded: sessions may still call the entry points while the process
// shuts down, and unloading would leave them dangling. Unloading stops the record manager
// instead (its stop entry point ends every client; record calls then answer 20) and the next load
// starts it again.
#include <cstdint>

// Loads the library when it is not loaded yet, then starts the record manager with initText and
// answers its status (1016 when it runs already). A library name "name.dll" (any letter case)
// stands for "libname.so", looked for in the program folder first and then where the system
// looks for libraries (OpenProgramLibrary); an empty or missing name asks for the default library. A library that
// cannot be loaded, or that lacks one of the four entry points, answers 20. Once a library is
// loaded it serves every later load, whatever name that asks for.
uint16_t LoadBtrieveEngine(const char* initText, const char* libraryName);

// Stops the record manager when it runs and answers the stop status; 0 when it does not run.
uint16_t UnloadBtrieveEngine();

// The record calls. Without a loaded library they answer 20 and touch nothing.
int16_t CallBtrieve(uint16_t op, void* posBlock, void* dataBuf, uint16_t* dataLen, void* keyBuf, uint8_t keyLen,
                    int8_t keyNum);
int16_t CallBtrieveId(uint16_t op, void* posBlock, void* dataBuf, uint16_t* dataLen, void* keyBuf, uint8_t keyLen,
                      int8_t keyNum, const uint8_t* clientId);
