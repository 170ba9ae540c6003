#pragma once
// TNarrF: the narrative code picker above the description editor. A code chosen goes into the
// description as its token; Expand shows the description with every token replaced by its code's
// text (read-only) and contracts it again. Further tabs list the electronic-billing task,
// activity or expense codes of the same code table.
#include "dialogs/CodeLookF.h"

class GlyphButton;
class TabStrip;
class TPanel;

class TNarrF : public TCodeLookF {
  QN_CLASS(TNarrF, TCodeLookF)
 public:
  explicit TNarrF(TComponent* AOwner);
  ~TNarrF() override;

  TabStrip* TabControl1;
  GlyphButton* InsertBitBtn;
  GlyphButton* ExpandBitBtn;
  TPanel* TabPanel;
  TextLabel* LabelEBF;
  TextLabel* LabelNDesc;
  TPanel* PanelCover;
  TdcTbTable* NarrCodes_;

  // Once per run: the main window's panel step counts on and the code tables open on "N".
  void OpenNarrativeCodes();
  // Builds NarrativeList from the code table. A database error is shown and the operation that
  // wanted the list ends (silent abort).
  void BuildNarrativeList();

  void FormActivate(TObject* Sender);
  void Codes1_CalcFields(TDataSet* DataSet) override;
  void TableCodeEnter(TObject* Sender) override;
  void TableCodeDblClick(TObject* Sender);
  void TableCodeCloseUp(TObject* Sender, TDataSet* LookupTable, TDataSet* FillTable, bool Modified) override;
  void InsertBitBtnClick(TObject* Sender);
  void ExpandBitBtnClick(TObject* Sender);
  void Copy1Click(TObject* Sender);
  void TabControl1Change(TObject* Sender);

  // The token Copy1Click formed last.
  const AnsiString& CopiedToken() const { return copiedToken_; }

 private:
  bool opened_ = false;
  AnsiString copiedToken_;
};

extern TNarrF* NarrF;
