#include "command_table.h"

#include <algorithm>

bool IsCommandChecked(const CommandRow& row, const MenuCheckState& state) {
  switch (row.check) {
    case MenuCheck::ChartMode: return row.mode == state.chartMode;
    case MenuCheck::ShowShift: return state.showShift;
    case MenuCheck::None: break;
  }
  return false;
}

std::vector<CommandRow> AcceleratorRows() {
  std::vector<CommandRow> rows;
  for (const CommandRow& row : kCommandRows)
    if (row.key.key != 0) rows.push_back(row);
  std::sort(rows.begin(), rows.end(),
            [](const CommandRow& a, const CommandRow& b) { return a.id < b.id; });
  return rows;
}

const CommandRow* FindCommandRow(int id) {
  for (const CommandRow& row : kCommandRows)
    if (row.id == id && id != 0) return &row;
  return nullptr;
}
