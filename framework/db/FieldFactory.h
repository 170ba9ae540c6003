#pragma once
// Makes the field object a field definition calls for: the class of its data type, named,
// sized and flagged (required, read-only) as the definition says.
#include "framework/db/FieldDefs.h"

class TComponent;
class TField;

// Raises "Field '%s' is of an unsupported type" for types no field class serves.
TField* CreateFieldOfType(const TFieldDef& def, TComponent* owner);
// Whether a field class serves the type.
bool HasFieldClass(TFieldType type);
