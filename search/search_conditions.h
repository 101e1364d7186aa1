#pragma once
// The file selection conditions of a search, taken from the option panel at Start.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trovex::search {

// Initial value of both date pickers: 2006-08-23 09:49:05. The user edits only
// the date; the time of day stays this one's (and the range ignores it).
inline constexpr double kDatePickerInitialValue = 38952.4090902315;

struct SearchConditions {
  // When false the name, size and date conditions are not applied and an empty
  // search text is not treated specially.
  bool optionsOpen = false;
  // The content as typed; when empty (and optionsOpen) files are listed unread.
  std::string searchText;
  // Name fragments (see BuildNameTerms); already lower-cased when they were
  // built without case sensitivity.
  std::vector<std::string> nameTerms;
  bool excludeNames = false;
  bool nameCaseSensitive = false;
  bool sizeFilterOn = false;
  bool sizeAtLeast = false;             // false: at most
  std::uint64_t sizeLimit = 10 * 1024;  // bytes, inclusive
  bool dateFilterOn = false;
  std::string yearText;  // when not empty the date condition is this calendar year
  // Inclusive range of whole days (days since 1899-12-30; the time of day is not
  // compared).
  double dateFrom = kDatePickerInitialValue;
  double dateTo = kDatePickerInitialValue;
  bool excludeDates = false;
  // Also walk hidden / system files and folders, whatever optionsOpen says.
  bool includeHidden = false;
  bool includeSystem = false;
};

// The range of the size number of the panel.
inline constexpr int kSizeNumberMin = 1;
inline constexpr int kSizeNumberMax = 1024;

// The size number a typed text stands for, kept within the range: its digits as
// a number ("010" is 10; beyond 1024, however long, 1024); 0, an empty text or
// one with anything but digits give 1.
int SizeNumberFromText(std::string_view text);

// The unit of the panel's size number: its unit box's items, in their order.
enum class SizeUnit : int { B = 0, KB = 1, MB = 2, GB = 3 };

// The unit of the unit box's item `index`; no item chosen (-1), or an index outside
// the items, counts bytes.
constexpr SizeUnit SizeUnitFromIndex(int index) {
  return index >= 0 && index <= static_cast<int>(SizeUnit::GB) ? static_cast<SizeUnit>(index)
                                                               : SizeUnit::B;
}

// The size bound of the panel: `number` (1 to 1024) times 1024 to the power of the
// unit (B 0, KB 1, MB 2, GB 3), in 64 bits.
std::uint64_t ComputeSizeLimit(int number, SizeUnit unit);

}  // namespace trovex::search
