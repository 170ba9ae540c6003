#include "recordmgr/ConversionFailure.h"

#include <cstring>

#include "recordmgr/BtrieveError.h"
#include "recordmgr/ConverterOptions.h"

void ReadFailure(void* value, size_t size) {
  if (!ConverterOptions.Read) RaiseBtrieveError(ConversionFailedStatus);
  if (value != nullptr) std::memset(value, 0, size);
}

void WriteFailure() {
  if (!ConverterOptions.Write) RaiseBtrieveError(ConversionFailedStatus);
}
