#pragma once
// Each family keeps its constants in one table, one row per id.
#include <cstddef>

#include "items/CItem.h"

// The row of id in a family's table; null when the family has no such id.
template <class Row, std::size_t N>
const Row* FindItemRow(const Row (&table)[N], ItemId id) {
  for (const Row& row : table)
    if (row.Id == id) return &row;
  return nullptr;
}
