#include "datagrid/NavButtonStyles.h"

const EnumerationType kNavButtonStyleType{
    "TdcNavButtonStyle",
    {"nbsFirst", "nbsPrior", "nbsNext", "nbsLast", "nbsInsert", "nbsDelete", "nbsEdit", "nbsPost", "nbsCancel",
     "nbsRefresh", "nbsPriorPage", "nbsNextPage", "nbsSaveBookmark", "nbsRestoreBookmark", "nbsFilterDialog",
     "nbsRecordViewDialog", "nbsLocateDialog", "nbsSearchDialog", "nbsCustom"}};
const EnumerationType kNavAutoSizeStyleType{"TdcNavAutoSizeStyle", {"asSizeNavigator", "asSizeNavButtons", "asNone"}};
const EnumerationType kNavLayoutType{"TdcNavLayout", {"nlHorizontal", "nlVertical"}};
const EnumerationType kNavOptionType{"TdcNavOption", {"noConfirmDelete"}};

namespace qn::datagrid {

AnsiString navStyleName(TdcNavButtonStyle style) { return kNavButtonStyleType.NameOf(style).substr(3); }

bool isStandardNavStyle(TdcNavButtonStyle style) { return style >= nbsFirst && style <= nbsRestoreBookmark; }

bool isDialogNavStyle(TdcNavButtonStyle style) { return style >= nbsFilterDialog && style <= nbsSearchDialog; }

bool isRepeatingNavStyle(TdcNavButtonStyle style) {
  return TdcNavButtonStyles{nbsFirst, nbsPrior, nbsNext, nbsLast, nbsPriorPage, nbsNextPage}.Contains(style);
}

}  // namespace qn::datagrid
