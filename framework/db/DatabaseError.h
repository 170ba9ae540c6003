#pragma once
// Raising the framework's database errors, and the texts they carry.
#include "framework/base/AnsiString.h"

class TComponent;

// Raises EDatabaseError with message, prefixed "Name: " when the component has a name.
[[noreturn]] void DatabaseError(const AnsiString& message, const TComponent* component = nullptr);

// The texts, with %s where a name goes (filled in by Format).
namespace dbtext {
inline constexpr const char* kFieldInFilter = "Cannot access field '%s' in a filter";
inline constexpr const char* kNotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* kDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* kDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* kDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* kDataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr const char* kFieldNotFound = "Field '%s' not found";
inline constexpr const char* kFieldReadOnly = "Field '%s' cannot be modified";
inline constexpr const char* kFieldRequired = "Field '%s' must have a value";
inline constexpr const char* kFieldAccess = "Cannot access field '%s' as type %s";
inline constexpr const char* kNoDataSet = "Field '%s' has no dataset";
inline constexpr const char* kFieldTypeNotSupported = "Field '%s' is of an unsupported type";
inline constexpr const char* kRecordNotFound = "Record not found";
inline constexpr const char* kBookmarkNotFound = "Bookmark not found";
inline constexpr const char* kNoIndexForFields = "No index for fields '%s'";
inline constexpr const char* kIndexNotFound = "Index '%s' not found";
inline constexpr const char* kCircularDataLink = "Circular datalinks are not allowed";
inline constexpr const char* kNotIndexed = "Field '%s' is not indexed and cannot be modified";
inline constexpr const char* kNoActiveIndex = "No index currently active";
inline constexpr const char* kFieldIndexRange = "Field index out of range";
inline constexpr const char* kInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* kInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* kInvalidBoolean = "'%s' is not a valid boolean value for field '%s'";
inline constexpr const char* kOutOfRange =
    "%s is not a valid value for field '%s'. The allowed range is %s to %s";
inline constexpr const char* kDuplicateKey = "Key violation";
}  // namespace dbtext
