#pragma once
// Paper sizes by the platform's paper numbers (1 letter, 5 legal, 9 A4 ...), the numbers that
// printer settings are stored with.
#include <QPageSize>
#include <optional>

namespace qn::ui {

// nullopt for a number the table does not know.
std::optional<QPageSize::PageSizeId> pageSizeForPaperNumber(int paper);
// 0 for a size no number stands for.
int paperNumberForPageSize(QPageSize::PageSizeId size);

}  // namespace qn::ui
