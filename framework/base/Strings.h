#pragma once
// TStrings: the framework's abstract list of text lines, each with an optional object (never
// owned). A descendant supplies the storage primitives; everything else (name=value lines,
// comma and delimited text, text with CR LF, files, streams, update brackets) is built here.
// Lines are compared by CompareStrings: AnsiCompareText (without regard to case) unless a
// descendant says otherwise.
#include "framework/base/AnsiString.h"
#include "framework/base/Persistent.h"

class TStream;

class TStrings : public TPersistent {
  QN_CLASS(TStrings, TPersistent)
 public:
  TStrings() = default;
  // A list is copied with Assign, which leaves the target's identity and handlers alone.
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;

  // Storage primitives. An index outside 0..Count-1 raises EListError.
  virtual int Count() const = 0;
  virtual AnsiString Get(int index) const = 0;
  virtual TObject* GetObject(int index) const = 0;
  virtual void Put(int index, const AnsiString& s) = 0;
  virtual void PutObject(int index, TObject* object) = 0;
  virtual void InsertObject(int index, const AnsiString& s, TObject* object) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  AnsiString Strings(int index) const { return Get(index); }
  AnsiString operator[](int index) const { return Get(index); }
  void SetStrings(int index, const AnsiString& s) { Put(index, s); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  // Answer the index the line landed at (a sorted list decides it).
  virtual int AddObject(const AnsiString& s, TObject* object);
  int Add(const AnsiString& s) { return AddObject(s, nullptr); }
  void Insert(int index, const AnsiString& s) { InsertObject(index, s, nullptr); }
  // Adds every line and object of other.
  virtual void AddStrings(const TStrings& other);
  // Replaces the lines and objects by those of source.
  virtual void Assign(const TStrings& source);
  // Another string list is copied line by line; any other source is refused as TPersistent does.
  void Assign(TPersistent* Source) override;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  // Same count and the same lines, compared byte for byte.
  bool Equals(const TStrings& other) const;

  virtual int IndexOf(const AnsiString& s) const;
  int IndexOfObject(const TObject* object) const;

  // name=value lines. Names(i) is the text before the first separator (empty when there is
  // none); Values(name) the text after it on the first line with that name, empty when absent.
  // SetValues adds or replaces the line; an empty value deletes it.
  char NameValueSeparator() const { return nameValueSeparator_; }
  void SetNameValueSeparator(char c) { nameValueSeparator_ = c; }
  int IndexOfName(const AnsiString& name) const;
  AnsiString Names(int index) const;
  AnsiString ValueFromIndex(int index) const;
  AnsiString Values(const AnsiString& name) const;
  void SetValues(const AnsiString& name, const AnsiString& value);

  // Delimited text: lines joined by Delimiter; a line holding a blank, a control character,
  // the quote or the delimiter is quoted (quotes inside doubled). Reading it back splits at
  // delimiters and also at blanks outside quotes, so "a b,c" gives three lines.
  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char c) { delimiter_ = c; }
  char QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(char c) { quoteChar_ = c; }
  AnsiString DelimitedText() const;
  void SetDelimitedText(const AnsiString& text);
  // The same with ',' and '"'.
  AnsiString CommaText() const;
  void SetCommaText(const AnsiString& text);

  // Every line followed by CR LF. Setting splits at CR LF, CR or LF; a last line without a
  // break counts, an empty text gives no lines.
  AnsiString Text() const;
  virtual void SetText(const AnsiString& text);

  // Reading replaces the lines with the stream's rest (or the file's bytes); writing writes Text().
  // A descendant that holds more than text (formatted paragraphs) reads and writes its own form.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  // Brackets around many changes: a descendant hears one change for the whole bracket.
  // Brackets nest.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

 protected:
  // Told when the outermost bracket opens (true) and closes (false).
  virtual void SetUpdateState(bool updating) {}
  virtual int CompareStrings(const AnsiString& a, const AnsiString& b) const;

 private:
  AnsiString joined(char delimiter, char quoteChar) const;
  void split(const AnsiString& text, char delimiter, char quoteChar);

  int updateCount_ = 0;
  char delimiter_ = ',';
  char quoteChar_ = '"';
  char nameValueSeparator_ = '=';
};
