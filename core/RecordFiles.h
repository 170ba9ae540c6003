#pragma once
// The record-file layer: record files opened by a small file number (0..255) into slots, each
// with its own call object, and record operations on raw record buffers. Every failure raises
// EAbort carrying the complete user text (the record manager's status and its text appended);
// callers catch it and show the text.
//
// Locks held by another workstation are retried quietly for LockRetryInterval, pausing a few
// milliseconds between tries, and then offered to the user as a Yes/No question; "No" raises
// "A record lock was encountered.". A read never writes past the caller's buffer: it reads the
// whole record and copies what fits.
//
// An update or delete of a record the slot last read without a lock first reads it again with a
// lock: when another workstation changed or deleted it since, nothing is written, the lock is
// given back and the layer raises ChangedAtAnotherWorkstation. After a locked read, or once the
// slot has written the record itself, the write goes ahead at once.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/QNFileStructure.h"
#include "framework/base/AnsiString.h"

class TWinBtr;

constexpr int RecordFileSlotCount = 256;
constexpr uint32_t LockRetryInterval = 3000;  // milliseconds
extern const char* const ChangedAtAnotherWorkstation;

// A slot without a call object is empty in every member; closing frees the members in the order
// they are declared.
struct RecordFileSlot {
  AnsiString FileName;  // the path opened, without the structure code; empty when closed
  uint32_t Bookmark = 0;  // the position SaveBookmark kept; 0: none
  // The whole current record as the slot read it without a lock; none after a locked read or the
  // slot's own write.
  std::optional<AnsiString> UnlockedImage;
  std::shared_ptr<TQNFileStructure> Structure;
  std::unique_ptr<TWinBtr> CallObject;  // present while the file is open
};

// Folder of the standard files (normally the data folder); set before OpenStandardFile.
extern AnsiString RecordFileDir;
// The record manager was loaded by this layer.
extern bool RecordEngineLoaded;
// The file whose call object began the running transaction; -1 when none.
extern int16_t TransactionFileNumber;
// While set, opens build their structures with field descriptors; callers set it around their
// opens and reset it.
extern bool UseFieldSchema;

const RecordFileSlot& RecordFileTable(uint8_t fileNo);
// The slot's structure, or null.
TQNFileStructure* RecordFileStructure(uint8_t fileNo);

// pathAndCode: a path, or a path, ";" and a structure code ("...\YClient.qf;CL").
void OpenRecordFile(uint8_t fileNo, const AnsiString& pathAndCode, uint8_t mode);
// Closes the file and empties its slot; a slot whose file is not open is left as it is.
void CloseRecordFile(uint8_t fileNo);
// Opens standard file n (1..15, see the table in the source) from RecordFileDir unless its file
// number is open. A failure is shown to the user and ends the application; nothing is raised.
void OpenStandardFile(int n);
// The file name entry of standard file n (1..21); empty for unused numbers.
AnsiString StandardFileEntry(int n);
bool IsRecordFileOpen(uint8_t fileNo);
void GetRecordLength(uint8_t fileNo, uint16_t& length);
uint32_t GetRecordCount(uint8_t fileNo);
void SetKeyPath(uint8_t fileNo, int key);

// lock: 1 a single-record lock, 2 a multiple-record lock, 0 none.
void GetFirstRecord(uint8_t fileNo, AnsiString& buffer, bool& eof, uint8_t lock);
void GetNextRecord(uint8_t fileNo, AnsiString& buffer, bool& eof, uint8_t lock);
bool GetEqualRecord(uint8_t fileNo, const AnsiString& key, AnsiString& buffer, bool lock);
// comparison: 0 equal, 1 greater, 2 less, 3 greater or equal, 4 less or equal. A locked record
// answers false at once.
bool FindRecord(uint8_t fileNo, const AnsiString& key, AnsiString& buffer, bool& eof, int comparison);

// Writes 4 zero bytes (the autoincrement key the record manager assigns) and then data. Records
// longer than 65535 bytes, here and in UpdateRecord, fail unwritten with status 28.
void InsertRecord(uint8_t fileNo, const AnsiString& data);
void InsertRawRecord(uint8_t fileNo, const AnsiString& data);
// Rewrites the current record: buffer's first 4 bytes (its key as last read), then data.
void UpdateRecord(uint8_t fileNo, const AnsiString& data, AnsiString& buffer);
void DeleteRecord(uint8_t fileNo);

int SaveBookmark(uint8_t fileNo, AnsiString& buffer);
void GotoPosition(uint8_t fileNo, AnsiString& buffer, uint32_t position);
void GotoBookmark(uint8_t fileNo, AnsiString& buffer);

void BeginFileTransaction();
void EndFileTransaction();
void AbortFileTransaction();

// One segment of a key of a new file; the segments of one key follow each other, keys in order
// from 0.
struct RecordKeySegment {
  int Key = 0;
  int Position = 0;  // 1-based
  int Length = 0;
  bool Duplicates = false;
  bool Modifiable = false;
  bool AutoIncrement = false;
};

// Creates a record file whose key 0 is a 4-byte autoincrement key. message: "KeyOnly" on entry
// asks for a key-only file; on return the refusal or the record manager's status text. True when
// the file was made.
bool CreateRecordFile(const AnsiString& fileName, int recordLength, int segmentCount, AnsiString& message,
                      bool failIfExists, const std::vector<RecordKeySegment>& segments);

// Empties every slot, freeing its call object (which closes its file).
void CloseAllRecordFiles();
