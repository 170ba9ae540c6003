#include "recordmgr/ConversionFailure.h"

#include <cstring>

#include "framework/base/ValueBytes.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/ConverterOptions.h"

void ReadFailure(void* value, size_t size) {
  if (!ConverterOptions.Read) RaiseBtrieveError(ConversionFailedStatus);
  if (value != nullptr) std::memset(value, 0, size);
}

void ReadDouble(void* value, std::optional<double> read) {
  if (read)
    ToBytes(value, *read);
  else
    ReadFailure(value, sizeof(double));
}

void WriteFailure() {
  if (!ConverterOptions.Write) RaiseBtrieveError(ConversionFailedStatus);
}
