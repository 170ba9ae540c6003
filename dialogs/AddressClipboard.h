#pragma once
// The address clipboard of a workstation: addrclip.<workstation> in the lookup data folder, a
// file of the suite holding one address in nine Windows-1252 lines with CR LF ends - a
// 30-blank line, then the name lines, address lines, city, state-zip-country and phones, each
// padded to its width.
#include <array>
#include <optional>

#include "framework/base/AnsiString.h"

// The eight parts of an address in their order on the clipboard.
struct ClipboardAddress {
  static constexpr int PartCount = 8;
  static constexpr std::array<const char*, PartCount> FieldNames = {
      "Name1", "Name2", "AddressLine1", "AddressLine2", "City", "StateZipCountry", "Phone1", "Phone2"};
  static constexpr std::array<int, PartCount> Widths = {60, 60, 60, 60, 30, 30, 20, 20};
  // Each padded to its width.
  std::array<AnsiString, PartCount> Parts;

  // Every part set from texts (padded); a missing one is blank.
  static ClipboardAddress of(const std::array<AnsiString, PartCount>& Texts);
};

AnsiString AddressClipboardFile();
// Makes the file, empty, when it is missing; false when it cannot be made.
bool PrepareAddressClipboard(const AnsiString& File);
bool WriteAddressClipboard(const AnsiString& File, const ClipboardAddress& Address);
// Empty when the file is missing or empty. Lines missing at its end read as blank parts.
std::optional<ClipboardAddress> ReadAddressClipboard(const AnsiString& File);
