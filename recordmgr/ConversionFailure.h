#pragma once
// What happens when a field's stored bytes cannot become an engine value, or an engine value
// cannot be stored: status 2999 from the record manager's error, unless the converter options
// ask for a cleared value (reading) or a cleared field (writing) instead.
#include <cstddef>
#include <optional>

// Status of a value the converters cannot convert; the record manager has no text for it.
constexpr int ConversionFailedStatus = 2999;

// With the Read option the size bytes of value are zeroed; otherwise raises status 2999.
void ReadFailure(void* value, size_t size);
// The number read into value as a double; none read is a read failure.
void ReadDouble(void* value, std::optional<double> read);
// With the Write option nothing happens (the field stays cleared); otherwise raises status 2999.
void WriteFailure();
