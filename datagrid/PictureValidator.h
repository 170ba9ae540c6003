#pragma once
// TdcPictureValidator: checks a text against a picture mask and, on request, completes it with the
// mask's literal characters. Masks come from the datasets' PictureMasks lists; the checks run
// before a record is posted, while the user types in an edit or a grid cell, and in the
// incremental search box.
//
// Mask language: # digit; ? letter (A-Z, a-z, codes above 128); & letter stored upper-cased;
// ~ letter stored lower-cased; ! any character stored upper-cased; @ any character; ; the next
// character is a literal; *[count] repetition of the item that follows; [ ] optional group;
// { } group; , alternatives; anything else a literal, matched without regard to case and stored
// in the mask's spelling.
//
// Positions are counted in the range of a byte: a mask or a text longer than 254 characters lies
// outside the validator, answered as a malformed mask (picSyntax) or a text that cannot match
// (picError), and never read beyond.
#include <cstdint>

#include "framework/base/AnsiString.h"
#include "framework/base/Object.h"

// Answers of Picture. picAmbiguous and picIncompleteNoFill only pass between the matcher's
// steps: Picture reports them as picComplete and picIncomplete.
enum PictureResult {
  picComplete = 0,          // the text fills the mask
  picIncomplete = 1,        // the text matches a beginning of the mask
  picEmpty = 2,             // the text is empty
  picError = 3,             // the text cannot match
  picSyntax = 4,            // the mask is malformed
  picAmbiguous = 5,         // complete, but more input could still match
  picIncompleteNoFill = 6,  // incomplete, and literals must not be filled in
};

// The longest mask and text the validator takes.
constexpr int kMaxPictureLength = 254;

class TdcPictureValidator : public TObject {
  QN_CLASS(TdcPictureValidator, TObject)
 public:
  // Options bits.
  static constexpr std::uint8_t optAutoFill = 1;  // IsValidInput completes literals
  static constexpr std::uint8_t optAlways = 4;    // set in every validator

  TdcPictureValidator(const AnsiString& Mask, bool AutoFill);

  // 0 for a well-formed mask, 1 when the mask failed the syntax check.
  std::uint8_t Status() const { return status_; }
  std::uint8_t Options() const { return options_; }
  const AnsiString& Mask() const { return mask_; }

  // Checks Text, completing it when the validator fills and SuppressFill is false. False only
  // when the text cannot match; true without a mask.
  virtual bool IsValidInput(AnsiString& Text, bool SuppressFill);
  // Whether Text is complete (or empty) for the mask, without changing it; true without a mask.
  virtual bool IsValid(const AnsiString& Text);
  // Matches Text against the mask: every character taken is replaced by its stored form, and with
  // AutoFill an incomplete text gets the literals that follow in the mask, and a text that
  // cannot match as typed gets the literals the mask opens with put before it when it then can.
  virtual PictureResult Picture(AnsiString& Text, bool AutoFill);
  // The matcher's steps in the last Picture (sections tried, mask items met, mask characters
  // scanned for a group's end or for parts that may stay empty): the work a mask asks of a
  // text, which must stay in proportion to the two lengths.
  std::uint64_t LastSteps() const { return steps_; }

 private:
  class Matcher;

  bool SyntaxCheck() const;
  int Match(AnsiString& Text, bool AutoFill);
  AnsiString WithLeadingLiterals(const AnsiString& Text) const;

  std::uint64_t steps_ = 0;
  std::uint8_t status_ = 0;
  std::uint8_t options_ = optAlways;
  AnsiString mask_;
};
