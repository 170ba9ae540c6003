#pragma once
// The record manager as this interface reaches it: the shared library beside this one, loaded by
// the same path as the driver loads it, so the process keeps one record manager. The interface
// calls it as a client of its own; stopping that client ends none of the driver's.
#include <cstdint>
#include <string>

namespace qn::sqlif {

class RecordManagerLink {
 public:
  static RecordManagerLink& instance();

  // Loads and starts the record manager (already started by the driver counts as started).
  // False when it cannot be loaded.
  bool start();
  // Ends this interface's client: its handles and locks; the driver's clients stay.
  void stopClient();

  // One record call as this interface's client; 20 when the record manager is not loaded.
  int16_t call(uint16_t operation, void* positionBlock, void* data, uint16_t* dataLength, void* key,
               int8_t keyNumber) const;

 private:
  RecordManagerLink() = default;
  using CallId = int16_t (*)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t, const uint8_t*);
  using Init = uint16_t (*)(const char*);
  void* library_ = nullptr;  // kept for the life of the process once loaded
  CallId callId_ = nullptr;
  Init init_ = nullptr;
};

// The folder holding the library this code runs in.
std::string libraryFolder();

}  // namespace qn::sqlif
