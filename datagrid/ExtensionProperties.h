#pragma once
// The per-field extension properties of datasets and data-aware controls, read and written by
// name: the library never asks for a dataset class, so any object that publishes a property of the
// right name and kind takes part. A missing property, or one of another kind, reads as the
// default named at each reader and is never an error; a write answers whether it was done.
#include <functional>

#include "framework/base/AnsiString.h"

struct TClassInfo;
class TObject;
class TStrings;
class TDataSet;
class TField;

// Called for a field whose text fails its picture mask, before the post is refused.
using TdcInvalidValueEvent = std::function<void(TDataSet* DataSet, TField* Field)>;

// The string lists; nullptr when absent.
TStrings* GetControlTypeList(const TObject* Component);
TStrings* GetPictureMaskList(const TObject* Component);
TStrings* GetLookupFieldList(const TObject* Component);
TStrings* GetLookupLinkList(const TObject* Component);

bool GetValidateWithMask(const TObject* Component);  // False when absent
TdcInvalidValueEvent GetOnInvalidValue(const TObject* Component);  // unassigned when absent
bool GetControlInfoInDataSet(const TObject* Dialog);  // True when absent

// Filtering enabled: the first member of OnFilterOptions; on a client dataset its Filtered flag.
bool GetFilterOptionsEnabled(const TObject* DataSet);
// Sets or clears that first member; False when there is no OnFilterOptions.
bool SetFilterOptionsEnabled(TObject* DataSet, bool Enabled);

AnsiString GetDatabaseName(const TObject* Component);
bool SetDatabaseName(TObject* Component, const AnsiString& Value);
AnsiString GetSessionName(const TObject* Component);
TObject* GetDataSourceOf(const TObject* Component);
// Written on windowed controls only.
bool SetDataSourceOf(TObject* Component, TObject* Value);
AnsiString GetDataFieldOf(const TObject* Component);
bool SetDataFieldOf(TObject* Component, const AnsiString& Value);
TObject* GetMasterSource(const TObject* DataSet);
bool GetParamCheck(const TObject* DataSet);
bool SetParamCheck(TObject* DataSet, bool Value);
bool SetSQL(TObject* DataSet, TStrings* Value);

// Whether the class or an ancestor has that name, compared without case.
bool ClassInheritsFromName(const TClassInfo* ClassType, const AnsiString& Name);
// The library's own datasets, by class name, and any dataset that publishes ControlType.
bool IsExtendedDataSet(const TObject* DataSet);
