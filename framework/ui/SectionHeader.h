#pragma once
// A row of raised sections side by side, each with a width and a text: a header over columns, or
// a status line of a few fields (a table's name and its record position).
#include "framework/base/Collection.h"
#include "framework/ui/SelfPaintedControl.h"

class SectionHeader;

class HeaderSection : public TCollectionItem {
  QN_CLASS(HeaderSection, TCollectionItem)
 public:
  explicit HeaderSection(TCollection* Collection) : TCollectionItem(Collection) {}

  int Width() const { return width_; }
  void SetWidth(int Value);
  const AnsiString& Text() const { return text_; }
  void SetText(const AnsiString& Value);

 private:
  int width_ = 50;
  AnsiString text_;
};

class HeaderSections : public TCollection {
  QN_CLASS(HeaderSections, TCollection)
 public:
  explicit HeaderSections(SectionHeader* Owner);
  HeaderSection* Items(int Index) const { return static_cast<HeaderSection*>(TCollection::Items(Index)); }
  HeaderSection* Add() { return static_cast<HeaderSection*>(TCollection::Add()); }

 protected:
  void Update(TCollectionItem* Item) override;
};

class SectionHeader : public SelfPaintedControl {
  QN_CLASS(SectionHeader, SelfPaintedControl)
 public:
  explicit SectionHeader(TComponent* AOwner);

  HeaderSections* Sections() const { return sections_.get(); }
  // Where section Index lies; sections follow one another from the left edge.
  TRect SectionRect(int Index) const;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<HeaderSections> sections_;
};
