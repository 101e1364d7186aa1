#pragma once
// Which commands of a result window can be used, from its state. One busy state
// decides for every command that changes or reloads the rows: while rows are being
// produced (a search, a load, a search within the list) none of them runs, so no
// second load can start inside the first.
#include <cstddef>

namespace trovex::results {

struct ResultWindowStatus {
  bool producingRows = false;  // 中止 is shown: a worker runs or rows are being added
  std::size_t rowCount = 0;
  std::size_t selectedCount = 0;
  bool modified = false;
};

struct CommandStates {
  // ファイル: 検索履歴を開く
  bool openHistory = false;
  // 編集
  bool undo = false;
  bool renameHistory = false;
  bool selectMismatches = false;
  bool selectAll = false;
  bool invertSelection = false;
  // 検索
  bool refine = false;
  bool listSearch = false;
  // オプション: both items
  bool snippetOptions = false;
  // The context menu's items are shown only with a selected row; 削除 also needs
  // the rows to stand still.
  bool contextItemsVisible = false;
  bool deleteRows = false;
  // The menus ファイル's first item, 検索 and 編集 as a whole: off during a run.
  bool menusEnabled = false;
};

CommandStates CommandStatesFor(const ResultWindowStatus& status);

}  // namespace trovex::results
