#include "datagrid/RichEditIntl.h"

void TdcRichEditMenuLabels::PublishProperties(PropertyPublisher<TdcRichEditMenuLabels>& publish) {
  using Self = TdcRichEditMenuLabels;
  publish.String("FileCaption", &Self::FileCaption, &Self::FileCaption);
  publish.String("LoadCaption", &Self::LoadCaption, &Self::LoadCaption);
  publish.String("SaveAsCaption", &Self::SaveAsCaption, &Self::SaveAsCaption);
  publish.String("SaveExitCaption", &Self::SaveExitCaption, &Self::SaveExitCaption);
  publish.String("PrintCaption", &Self::PrintCaption, &Self::PrintCaption);
  publish.String("PageSetupCaption", &Self::PageSetupCaption, &Self::PageSetupCaption);
  publish.String("ExitCaption", &Self::ExitCaption, &Self::ExitCaption);
  publish.String("EditCaption", &Self::EditCaption, &Self::EditCaption);
  publish.String("UndoCaption", &Self::UndoCaption, &Self::UndoCaption);
  publish.String("CutCaption", &Self::CutCaption, &Self::CutCaption);
  publish.String("CopyCaption", &Self::CopyCaption, &Self::CopyCaption);
  publish.String("PasteCaption", &Self::PasteCaption, &Self::PasteCaption);
  publish.String("ClearCaption", &Self::ClearCaption, &Self::ClearCaption);
  publish.String("SelectallCaption", &Self::SelectallCaption, &Self::SelectallCaption);
  publish.String("FindCaption", &Self::FindCaption, &Self::FindCaption);
  publish.String("FindNextCaption", &Self::FindNextCaption, &Self::FindNextCaption);
  publish.String("ReplaceCaption", &Self::ReplaceCaption, &Self::ReplaceCaption);
  publish.String("InsertObjectCaption", &Self::InsertObjectCaption, &Self::InsertObjectCaption);
  publish.String("ViewCaption", &Self::ViewCaption, &Self::ViewCaption);
  publish.String("ToolbarCaption", &Self::ToolbarCaption, &Self::ToolbarCaption);
  publish.String("FormatBarCaption", &Self::FormatBarCaption, &Self::FormatBarCaption);
  publish.String("ViewStatusBarCaption", &Self::ViewStatusBarCaption, &Self::ViewStatusBarCaption);
  publish.String("OptionsCaption", &Self::OptionsCaption, &Self::OptionsCaption);
  publish.String("FormatCaption", &Self::FormatCaption, &Self::FormatCaption);
  publish.String("FontCaption", &Self::FontCaption, &Self::FontCaption);
  publish.String("BulletStyleCaption", &Self::BulletStyleCaption, &Self::BulletStyleCaption);
  publish.String("ParagraphCaption", &Self::ParagraphCaption, &Self::ParagraphCaption);
  publish.String("TabsCaption", &Self::TabsCaption, &Self::TabsCaption);
  publish.String("HelpCaption", &Self::HelpCaption, &Self::HelpCaption);
}

void TdcRichEditPopupMenuLabels::PublishProperties(PropertyPublisher<TdcRichEditPopupMenuLabels>& publish) {
  using Self = TdcRichEditPopupMenuLabels;
  publish.String("EditCaption", &Self::EditCaption, &Self::EditCaption);
  publish.String("ViewCaption", &Self::ViewCaption, &Self::ViewCaption);
  publish.String("CutCaption", &Self::CutCaption, &Self::CutCaption);
  publish.String("CopyCaption", &Self::CopyCaption, &Self::CopyCaption);
  publish.String("PasteCaption", &Self::PasteCaption, &Self::PasteCaption);
  publish.String("FontCaption", &Self::FontCaption, &Self::FontCaption);
  publish.String("BulletStyleCaption", &Self::BulletStyleCaption, &Self::BulletStyleCaption);
  publish.String("BoldCaption", &Self::BoldCaption, &Self::BoldCaption);
  publish.String("ItalicCaption", &Self::ItalicCaption, &Self::ItalicCaption);
  publish.String("UnderlineCaption", &Self::UnderlineCaption, &Self::UnderlineCaption);
  publish.String("ParagraphCaption", &Self::ParagraphCaption, &Self::ParagraphCaption);
  publish.String("TabsCaption", &Self::TabsCaption, &Self::TabsCaption);
  publish.String("FindCaption", &Self::FindCaption, &Self::FindCaption);
  publish.String("ReplaceCaption", &Self::ReplaceCaption, &Self::ReplaceCaption);
  publish.String("InsertObjectCaption", &Self::InsertObjectCaption, &Self::InsertObjectCaption);
}

void TdcRichEditParagraphDlg::PublishProperties(PropertyPublisher<TdcRichEditParagraphDlg>& publish) {
  using Self = TdcRichEditParagraphDlg;
  publish.String("ParagraphDlgCaption", &Self::ParagraphDlgCaption, &Self::ParagraphDlgCaption);
  publish.String("IndentationGroupBoxCaption", &Self::IndentationGroupBoxCaption, &Self::IndentationGroupBoxCaption);
  publish.String("LeftEditHint", &Self::LeftEditHint, &Self::LeftEditHint);
  publish.String("RightEditHint", &Self::RightEditHint, &Self::RightEditHint);
  publish.String("FirstLineEditHint", &Self::FirstLineEditHint, &Self::FirstLineEditHint);
  publish.String("AlignmentHint", &Self::AlignmentHint, &Self::AlignmentHint);
  publish.String("LeftEditCaption", &Self::LeftEditCaption, &Self::LeftEditCaption);
  publish.String("RightEditCaption", &Self::RightEditCaption, &Self::RightEditCaption);
  publish.String("FirstLineEditCaption", &Self::FirstLineEditCaption, &Self::FirstLineEditCaption);
  publish.String("SpacingGroupCaption", &Self::SpacingGroupCaption, &Self::SpacingGroupCaption);
  publish.String("BeforeParagraphCaption", &Self::BeforeParagraphCaption, &Self::BeforeParagraphCaption);
  publish.String("AfterParagraphCaption", &Self::AfterParagraphCaption, &Self::AfterParagraphCaption);
  publish.String("WithinParagraphCaption", &Self::WithinParagraphCaption, &Self::WithinParagraphCaption);
  publish.String("WithinParagraphAtCaption", &Self::WithinParagraphAtCaption, &Self::WithinParagraphAtCaption);
  publish.String("AlignmentCaption", &Self::AlignmentCaption, &Self::AlignmentCaption);
  publish.String("AlignLeft", &Self::AlignLeft, &Self::AlignLeft);
  publish.String("AlignRight", &Self::AlignRight, &Self::AlignRight);
  publish.String("AlignCenter", &Self::AlignCenter, &Self::AlignCenter);
}

void TdcRichEditTabDlg::PublishProperties(PropertyPublisher<TdcRichEditTabDlg>& publish) {
  using Self = TdcRichEditTabDlg;
  publish.String("TabDlgCaption", &Self::TabDlgCaption, &Self::TabDlgCaption);
  publish.String("TabGroupBoxCaption", &Self::TabGroupBoxCaption, &Self::TabGroupBoxCaption);
  publish.String("SetTabButtonCaption", &Self::SetTabButtonCaption, &Self::SetTabButtonCaption);
  publish.String("ClearTabButtonCaption", &Self::ClearTabButtonCaption, &Self::ClearTabButtonCaption);
  publish.String("ClearAllButtonCaption", &Self::ClearAllButtonCaption, &Self::ClearAllButtonCaption);
  publish.String("TabPositionEditHint", &Self::TabPositionEditHint, &Self::TabPositionEditHint);
  publish.String("ListBoxHint", &Self::ListBoxHint, &Self::ListBoxHint);
  publish.String("SetButtonHint", &Self::SetButtonHint, &Self::SetButtonHint);
  publish.String("ClearButtonHint", &Self::ClearButtonHint, &Self::ClearButtonHint);
  publish.String("ClearAllButtonHint", &Self::ClearAllButtonHint, &Self::ClearAllButtonHint);
}

void TdcDBRichEditIntl::PublishProperties(PropertyPublisher<TdcDBRichEditIntl>& publish) {
  using Self = TdcDBRichEditIntl;
  publish.String("FontNameComboHint", &Self::FontNameComboHint, &Self::FontNameComboHint);
  publish.String("FontSizeComboHint", &Self::FontSizeComboHint, &Self::FontSizeComboHint);
  publish.String("NewButtonHint", &Self::NewButtonHint, &Self::NewButtonHint);
  publish.String("LoadButtonHint", &Self::LoadButtonHint, &Self::LoadButtonHint);
  publish.String("SaveAsButtonHint", &Self::SaveAsButtonHint, &Self::SaveAsButtonHint);
  publish.String("PrintButtonHint", &Self::PrintButtonHint, &Self::PrintButtonHint);
  publish.String("FindButtonHint", &Self::FindButtonHint, &Self::FindButtonHint);
  publish.String("CutButtonHint", &Self::CutButtonHint, &Self::CutButtonHint);
  publish.String("CopyButtonHint", &Self::CopyButtonHint, &Self::CopyButtonHint);
  publish.String("UndoButtonHint", &Self::UndoButtonHint, &Self::UndoButtonHint);
  publish.String("PasteButtonHint", &Self::PasteButtonHint, &Self::PasteButtonHint);
  publish.String("BoldButtonHint", &Self::BoldButtonHint, &Self::BoldButtonHint);
  publish.String("UnderlineButtonHint", &Self::UnderlineButtonHint, &Self::UnderlineButtonHint);
  publish.String("ItalicButtonHint", &Self::ItalicButtonHint, &Self::ItalicButtonHint);
  publish.String("LeftButtonHint", &Self::LeftButtonHint, &Self::LeftButtonHint);
  publish.String("CenterButtonHint", &Self::CenterButtonHint, &Self::CenterButtonHint);
  publish.String("RightButtonHint", &Self::RightButtonHint, &Self::RightButtonHint);
  publish.String("BulletButtonHint", &Self::BulletButtonHint, &Self::BulletButtonHint);
  publish.String("SaveExitHint", &Self::SaveExitHint, &Self::SaveExitHint);
  publish.String("PageSetupHint", &Self::PageSetupHint, &Self::PageSetupHint);
  publish.String("ExitHint", &Self::ExitHint, &Self::ExitHint);
  publish.String("ClearHint", &Self::ClearHint, &Self::ClearHint);
  publish.String("SelectAllHint", &Self::SelectAllHint, &Self::SelectAllHint);
  publish.String("FindNextHint", &Self::FindNextHint, &Self::FindNextHint);
  publish.String("ReplaceHint", &Self::ReplaceHint, &Self::ReplaceHint);
  publish.String("InsertObjectHint", &Self::InsertObjectHint, &Self::InsertObjectHint);
  publish.String("ToolbarHint", &Self::ToolbarHint, &Self::ToolbarHint);
  publish.String("FormatBarHint", &Self::FormatBarHint, &Self::FormatBarHint);
  publish.String("ViewStatusBarHint", &Self::ViewStatusBarHint, &Self::ViewStatusBarHint);
  publish.String("OptionsHint", &Self::OptionsHint, &Self::OptionsHint);
  publish.String("FontHint", &Self::FontHint, &Self::FontHint);
  publish.String("ParagraphHint", &Self::ParagraphHint, &Self::ParagraphHint);
  publish.String("TabsHint", &Self::TabsHint, &Self::TabsHint);
  publish.Object("MenuLabels", &Self::MenuLabels);
  publish.Object("PopupMenuLabels", &Self::PopupMenuLabels);
  publish.Object("ParagraphDialog", &Self::ParagraphDialog);
  publish.Object("TabDialog", &Self::TabDialog);
  publish.String("CAPLockCaption", &Self::CAPLockCaption, &Self::CAPLockCaption);
  publish.String("NUMLockCaption", &Self::NUMLockCaption, &Self::NUMLockCaption);
}
