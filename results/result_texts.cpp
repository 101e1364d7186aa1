#include "results/result_texts.h"

namespace trovex::results {

std::string CounterText(std::uint64_t first, std::uint64_t second) {
  return std::to_string(first) + "/" + std::to_string(second) + "件";
}

std::string UpdateCounterText(bool liveSearch, std::uint64_t totalFiles, std::size_t targetCount,
                              std::size_t rowCount) {
  return liveSearch ? CounterText(totalFiles, targetCount) : CounterText(targetCount, rowCount);
}

std::string HistoryName(const std::string& conversionSource, const std::string& displayText) {
  return conversionSource.empty() ? displayText : conversionSource;
}

std::string SavePromptText(const std::string& name, const std::string& displayText, bool modified) {
  static const std::string kQuestion = "検索内容を保存しますか？";
  if (displayText.empty()) return kQuestion;
  return "履歴名 [ " + name + " ]\n" + (modified ? "変更した" : "") + kQuestion;
}

bool SavePromptAsks(std::size_t rowCount, bool unsavedNewResult, bool modified) {
  return (rowCount > 0 && unsavedNewResult) || modified;
}

}  // namespace trovex::results
