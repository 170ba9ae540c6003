#pragma once
// What a navigator button does, the groups of those styles the navigator treats alike, and the
// other small types the navigator and its buttons share.
#include "framework/base/EnumSet.h"
#include "framework/base/PublishedProperties.h"

enum TdcNavButtonStyle {
  nbsFirst,
  nbsPrior,
  nbsNext,
  nbsLast,
  nbsInsert,
  nbsDelete,
  nbsEdit,
  nbsPost,
  nbsCancel,
  nbsRefresh,
  nbsPriorPage,
  nbsNextPage,
  nbsSaveBookmark,
  nbsRestoreBookmark,
  nbsFilterDialog,
  nbsRecordViewDialog,
  nbsLocateDialog,
  nbsSearchDialog,
  nbsCustom,
};
extern const EnumerationType kNavButtonStyleType;
using TdcNavButtonStyles = EnumSet<TdcNavButtonStyle>;

// Why the buttons' states are evaluated again.
enum TdcUpdateCause { ucRecordChanged, ucEditingChanged, ucActiveChanged, ucRefresh };

enum TdcNavAutoSizeStyle { asSizeNavigator, asSizeNavButtons, asNone };
extern const EnumerationType kNavAutoSizeStyleType;
enum TdcNavLayout { nlHorizontal, nlVertical };
extern const EnumerationType kNavLayoutType;
enum TdcNavOption { noConfirmDelete };
extern const EnumerationType kNavOptionType;
using TdcNavOptions = EnumSet<TdcNavOption>;

namespace qn::datagrid {

// The style's name without its "nbs" prefix ("First", "RecordViewDialog").
AnsiString navStyleName(TdcNavButtonStyle style);
// nbsFirst .. nbsRestoreBookmark: the styles a navigator can show by default.
bool isStandardNavStyle(TdcNavButtonStyle style);
bool isDialogNavStyle(TdcNavButtonStyle style);
// The movements repeated while the mouse is held down on their button.
bool isRepeatingNavStyle(TdcNavButtonStyle style);

}  // namespace qn::datagrid
