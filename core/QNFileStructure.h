#pragma once
// The record buffer of one file opened by the record-file layer (RecordFiles.h), optionally cut
// into named field descriptors. The structure owns its descriptors. Packing writes the fields
// back to back by size from the buffer's start; unpacking reads each field at its own offset.
// Neither ever touches a byte outside the buffer: a field beyond its end is cut when packed and
// read as zero bytes when unpacked.
#include <array>
#include <cstdint>
#include <memory>

#include "core/FieldInfo.h"
#include "framework/base/AnsiString.h"
#include "framework/base/Object.h"

// Milliseconds spent unpacking records since the program started.
extern uint32_t UnpackMilliseconds;

class TQNFileStructure : public TObject {
  QN_CLASS(TQNFileStructure, TObject)
 public:
  static constexpr int MaxFields = 256;

  TQNFileStructure() = default;
  TQNFileStructure(const TQNFileStructure&) = delete;
  TQNFileStructure& operator=(const TQNFileStructure&) = delete;

  bool GetEof() const { return Eof; }
  void SetAutoUnpack(bool flag) { AutoUnpack = flag; }
  // The record buffer itself: what callers change here the next pack or write sees.
  AnsiString& GetBuffer() { return Buffer; }
  void SetBufferLength(int n) { Buffer.resize(n, '\0'); }
  void FitBufferToRecord() { SetBufferLength(RecordLength); }

  // Takes the descriptor; an index already in use gives up its old descriptor. An index outside
  // 0..255 raises EListError.
  void AddField(int index, std::unique_ptr<TFieldInfo> descriptor);
  // The descriptor at index, or null.
  TFieldInfo* Field(int index) const;
  // The first descriptor of that name (names compare exactly), or null.
  TFieldInfo* FieldByName(const AnsiString& name) const;

  void PackFields();
  // With BindToControls on, each field is also shown in its bound control.
  void UnpackFields();
  // Whether unpacks fill the bound controls; every open of the record-file layer clears it.
  static bool BindToControls;

  // Reads of the layer on this structure's file and buffer, without locks (a write after them is
  // checked against another workstation's change, RecordFiles.h); First, Next and Find unpack
  // what they read when AutoUnpack is on.
  void First();
  void Next();
  bool Find(const AnsiString& key, int comparison);
  int SaveBookmark();
  void GotoBookmark();

  AnsiString Buffer;
  int FieldCount = 0;    // highest descriptor index + 1
  int RecordLength = 0;  // the sum of the descriptors' sizes
  int CurrentIndex = 0;  // the index of the descriptor added last
  uint8_t FileNumber = 0;
  bool Eof = false;
  bool AutoUnpack = false;

 private:
  std::array<std::unique_ptr<TFieldInfo>, MaxFields> fields_;
};
