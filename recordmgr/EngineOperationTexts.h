#pragma once
// String numbers of the texts that name what an engine object was asked and does not offer; each
// not-supported error (12289) carries its text as the error's extra text.
namespace EngineOperationText {

constexpr int Property = 15101;
constexpr int DescribeField = 15102;
constexpr int GetBookmark = 15103;
constexpr int SetToBookmark = 15104;
constexpr int ReadAtBookmark = 15105;
constexpr int ValidityCheck = 15106;
constexpr int GetSequenceNumber = 15107;
constexpr int SetToSequenceNumber = 15108;
constexpr int SwitchToIndex = 15109;
constexpr int AddIndex = 15110;
constexpr int DeleteIndex = 15111;
constexpr int EndCachedUpdates = 15112;
constexpr int OpenBlob = 15113;
constexpr int GetBlobSize = 15114;
constexpr int GetBlob = 15115;
constexpr int PutBlob = 15116;
constexpr int ApplyCachedUpdates = 15117;
constexpr int GetCacheTable = 15118;
constexpr int BeginCachedUpdates = 15119;
constexpr int DatabaseOperation = 15120;
constexpr int OpenValidityCheckList = 15121;
constexpr int BeginTransaction = 15122;
constexpr int EndTransaction = 15123;
constexpr int CreateDatabase = 15140;
constexpr int RegisterCallback = 15141;
constexpr int DeleteAlias = 15142;
constexpr int SessionOperation = 15143;

}  // namespace EngineOperationText
