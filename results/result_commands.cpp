#include "results/result_commands.h"

namespace trovex::results {

CommandStates CommandStatesFor(const ResultWindowStatus& status) {
  const bool idle = !status.producingRows;
  const bool rows = status.rowCount > 0;
  CommandStates s;
  s.menusEnabled = idle;
  s.openHistory = idle;
  s.undo = idle && status.modified;
  s.renameHistory = idle && rows;
  s.selectMismatches = rows;
  s.selectAll = rows;
  s.invertSelection = rows;
  s.refine = idle && rows;
  s.listSearch = idle && rows;
  s.snippetOptions = idle;
  s.contextItemsVisible = status.selectedCount > 0;
  s.deleteRows = idle && status.selectedCount > 0;
  return s;
}

}  // namespace trovex::results
