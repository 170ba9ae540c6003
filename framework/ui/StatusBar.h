#pragma once
// The line at the bottom of a form: panels side by side, each with its width, text, alignment and
// bevel (the last reaches the right edge), or one simple panel across the whole bar. A panel of
// style psOwnerDraw is drawn by DrawPanel (OnDrawPanel) on the bar's canvas, in the bar's font,
// with the panel's rectangle. With AutoHint the bar shows the application's current hint (the
// long part) as it changes: in the simple panel, or else in the first panel.
#include <functional>

#include "framework/base/Alignment.h"
#include "framework/base/Collection.h"
#include "framework/ui/Panel.h"
#include "framework/ui/SelfPaintedControl.h"

class StatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
extern const EnumerationType kStatusPanelStyleType;

class StatusPanel : public TCollectionItem {
  QN_CLASS(StatusPanel, TCollectionItem)
 public:
  explicit StatusPanel(TCollection* Collection);

  int Width() const { return width_; }
  void SetWidth(int Value);
  const AnsiString& Text() const { return text_; }
  void SetText(const AnsiString& Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TPanelBevel Value);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle Value);

 private:
  int width_ = 50;
  AnsiString text_;
  TAlignment alignment_ = taLeftJustify;
  TPanelBevel bevel_ = bvLowered;
  TStatusPanelStyle style_ = psText;
};

class StatusPanels : public TCollection {
  QN_CLASS(StatusPanels, TCollection)
 public:
  explicit StatusPanels(StatusBar* Owner);
  StatusPanel* Items(int Index) const { return static_cast<StatusPanel*>(TCollection::Items(Index)); }
  StatusPanel* Add() { return static_cast<StatusPanel*>(TCollection::Add()); }

 protected:
  void Update(TCollectionItem* Item) override;
};

using TDrawPanelEvent = std::function<void(StatusBar* Bar, StatusPanel* Panel, const TRect& Rect)>;

class StatusBar : public SelfPaintedControl {
  QN_PUBLISHED_CLASS(StatusBar, SelfPaintedControl)
 public:
  explicit StatusBar(TComponent* AOwner);
  ~StatusBar() override;

  StatusPanels* Panels() const { return panels_.get(); }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool Value);
  const AnsiString& SimpleText() const { return simpleText_; }
  void SetSimpleText(const AnsiString& Value);
  bool AutoHint() const { return autoHint_; }
  void SetAutoHint(bool Value);

  // Where panel Index lies on the bar; the last panel reaches the right edge.
  TRect PanelRect(int Index) const;
  // The panel under a client point; -1 when none.
  int PanelAt(TPoint Point) const;

  TDrawPanelEvent OnDrawPanel;

 protected:
  void Paint() override;
  // Draws an owner-drawn panel; the base calls OnDrawPanel.
  virtual void DrawPanel(StatusPanel* Panel, const TRect& Rect);

 private:
  void paintPanelFace(const TRect& rect, TPanelBevel bevel, const AnsiString& text, TAlignment alignment);
  void showApplicationHint();

  std::unique_ptr<StatusPanels> panels_;
  bool simplePanel_ = false;
  AnsiString simpleText_;
  bool autoHint_ = false;
};
