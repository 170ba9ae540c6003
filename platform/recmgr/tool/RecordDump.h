#pragma once
// The record-dump format of qnrecmgr: one JSON object a line, {"position":n,"hex":"..."}, with
// a readable "text" (non-printable bytes as '.') when dumping; a line to load carries "hex" or
// "text" (Windows-1252 bytes written as UTF-8).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qn::recmgr {

class RecordDumpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string dumpLine(uint32_t position, std::string_view record);
// The record bytes of a line; throws RecordDumpError.
std::string recordFromLine(const std::string& line);

}  // namespace qn::recmgr
