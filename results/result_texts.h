#pragma once
// The texts a result window shows besides its rows: the counter and the question
// asked before its result is saved as a history.
#include <cstddef>
#include <cstdint>
#include <string>

namespace trovex::results {

// "<first>/<second>件".
std::string CounterText(std::uint64_t first, std::uint64_t second);

// UpdateCounter: during a live search files to examine over hits seen; otherwise
// hit lines over rows shown.
std::string UpdateCounterText(bool liveSearch, std::uint64_t totalFiles, std::size_t targetCount,
                              std::size_t rowCount);

// The name a result is saved under: the conversion source when there is one, else
// the searched content as shown.
std::string HistoryName(const std::string& conversionSource, const std::string& displayText);

// "検索内容を保存しますか？", or for a result with a shown content
// "履歴名 [ <name> ]\n" + ("変更した" when modified) + "検索内容を保存しますか？".
std::string SavePromptText(const std::string& name, const std::string& displayText, bool modified);

// The question is asked for a new result with rows, and for any changed result.
bool SavePromptAsks(std::size_t rowCount, bool unsavedNewResult, bool modified);

inline constexpr const char* kSavePromptCaption = "保存確認";
inline constexpr const char* kSaveFailedMessage = "保存に失敗しました。";

}  // namespace trovex::results
