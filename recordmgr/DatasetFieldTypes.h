#pragma once
// The field definition a dataset makes of an engine field descriptor: the framework's field type,
// its size and precision, and what a structure or an array brings along.
#include <cstdint>
#include <functional>

#include "framework/base/AnsiString.h"
#include "framework/db/DbTypes.h"
#include "recordmgr/FieldDescriptor.h"

struct DatasetFieldType {
  TFieldType Type = ftUnknown;
  int Size = 0;
  int Precision = 0;
  // A structure's descriptor that names no field of its own.
  bool Unnamed = false;
  // Descriptors of a structure's members that follow it; an array's number of elements.
  int Children = 0;
};

DatasetFieldType DatasetFieldTypeOf(const FieldDescriptor& descriptor);

// The name itself when not taken, otherwise "<name>_1", "<name>_2" ... the first one free.
AnsiString UniqueFieldDefName(const AnsiString& name, const std::function<bool(const AnsiString&)>& taken);

// The name of an array's one child definition.
AnsiString ArrayElementName(const AnsiString& arrayName);
