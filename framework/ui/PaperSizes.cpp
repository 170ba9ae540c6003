#include "framework/ui/PaperSizes.h"

#include <array>
#include <utility>

namespace qn::ui {
namespace {

// Where two numbers stand for one size (a "small" variant of a sheet), the first is the one
// a size maps back to.
constexpr std::array<std::pair<int, QPageSize::PageSizeId>, 29> paperTable{{
    {1, QPageSize::Letter},       {2, QPageSize::Letter},       {3, QPageSize::Tabloid},
    {4, QPageSize::Ledger},       {5, QPageSize::Legal},        {6, QPageSize::Statement},
    {7, QPageSize::Executive},    {8, QPageSize::A3},           {9, QPageSize::A4},
    {10, QPageSize::A4},          {11, QPageSize::A5},          {12, QPageSize::JisB4},
    {13, QPageSize::JisB5},       {14, QPageSize::Folio},       {15, QPageSize::Quarto},
    {16, QPageSize::Imperial10x14}, {17, QPageSize::Tabloid},   {18, QPageSize::Letter},
    {19, QPageSize::Envelope9},   {20, QPageSize::Envelope10},  {21, QPageSize::Envelope11},
    {22, QPageSize::Envelope12},  {23, QPageSize::Envelope14},  {27, QPageSize::EnvelopeDL},
    {28, QPageSize::EnvelopeC5},  {29, QPageSize::EnvelopeC3},  {30, QPageSize::EnvelopeC4},
    {31, QPageSize::EnvelopeC6},  {34, QPageSize::EnvelopeB5},
}};

}  // namespace

std::optional<QPageSize::PageSizeId> pageSizeForPaperNumber(int paper) {
  for (const auto& [number, size] : paperTable)
    if (number == paper) return size;
  return std::nullopt;
}

int paperNumberForPageSize(QPageSize::PageSizeId size) {
  for (const auto& [number, id] : paperTable)
    if (id == size) return number;
  return 0;
}

}  // namespace qn::ui
