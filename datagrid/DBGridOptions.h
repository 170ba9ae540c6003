#pragma once
// The switches of the data-aware grid, in the order of their published property types.
#include "framework/base/EnumSet.h"

enum TdcDBGridOption {
  dgEditing,
  dgAlwaysShowEditor,
  dgTitles,
  dgIndicator,
  dgColumnResize,
  dgColLines,
  dgRowLines,
  dgTabs,
  dgRowSelect,
  dgAlwaysShowSelection,
  dgConfirmDelete,
  dgCancelOnExit,
  dgWordWrap,
  dgPerfectRowFit,
  dgMultiSelect,
  dgShowFooter,
  dgFooter3DCells,
  dgNoLimitColSize,
  dgTrailingEllipsis,
};
using TdcDBGridOptions = EnumSet<TdcDBGridOption>;

enum TdcDBGridKeyOption { dgEnterToTab, dgAllowDelete, dgAllowInsert };
using TdcDBGridKeyOptions = EnumSet<TdcDBGridKeyOption>;

enum TdcMultiSelectOption { msoAutoUnselect, msoShiftSelect };
using TdcMultiSelectOptions = EnumSet<TdcMultiSelectOption>;

enum TIndicatorColorType { icBlack, icYellow };

inline constexpr TdcDBGridOptions kDefaultDBGridOptions{dgEditing,  dgTitles, dgIndicator,     dgColumnResize,
                                                        dgColLines, dgRowLines, dgTabs,        dgConfirmDelete,
                                                        dgCancelOnExit, dgWordWrap};

// Memo cells of the published grid and its memo dialog.
enum TdcMemoAttribute { mSizeable, mWordWrap, mGridShow, mViewOnly, mDisableDialog };
using TdcMemoAttributes = EnumSet<TdcMemoAttribute>;
inline constexpr TdcMemoAttributes kDefaultMemoAttributes{mSizeable, mWordWrap};

// The switches of the edit controls the published grid mounts into its cells.
enum TdcEditControlOption {
  ecoCheckboxSingleClick,
  ecoSearchOwnerForm,
  ecoDisableCustomControls,
  ecoDisableDateTimePicker,
};
using TdcEditControlOptions = EnumSet<TdcEditControlOption>;
