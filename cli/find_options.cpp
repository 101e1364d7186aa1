#include "cli/find_options.h"

#include <functional>

#include "platform/fs/date_time.h"

namespace trovex::cli {
namespace {

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "YYYY/MM/DD" as a date-time with the date pickers' time of day.
std::optional<double> ParsePickerDate(const std::string& text) {
  const std::size_t first = text.find('/');
  const std::size_t second = first == std::string::npos ? first : text.find('/', first + 1);
  if (second == std::string::npos) return std::nullopt;
  const std::string y = text.substr(0, first);
  const std::string m = text.substr(first + 1, second - first - 1);
  const std::string d = text.substr(second + 1);
  if (!AllDigits(y) || !AllDigits(m) || !AllDigits(d) || y.size() > 4 || m.size() > 2 ||
      d.size() > 2) {
    return std::nullopt;
  }
  const int year = std::stoi(y), month = std::stoi(m), day = std::stoi(d);
  if (year < 1 || month < 1 || month > 12 || day < 1) return std::nullopt;
  const fs::CalendarDate check = fs::DecodeDate(fs::EncodeDate(year, month, day));
  if (check.month != month || check.day != day) return std::nullopt;  // 2023/02/29 and such
  const double timeOfDay = search::kDatePickerInitialValue - fs::EncodeDate(2006, 8, 23);
  return fs::EncodeDate(year, month, day) + timeOfDay;
}

struct OptionSpec {
  const char* name;
  bool takesValue;
  // Applies the option; returns an error text, empty on success.
  std::function<std::string(FindOptions&, const std::string& value)> apply;
};

std::string Flag(bool FindOptions::*field, bool value, FindOptions& o) {
  o.*field = value;
  return {};
}

const std::vector<OptionSpec>& OptionTable() {
  static const std::vector<OptionSpec> table = {
      {"--options", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::OptionChkBox, true, o); }},
      {"--case", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::BigSmlChkBox, true, o); }},
      {"--fold", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::FullHalfChkBox, false, o); }},
      {"--comma-text", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::CheckBox1, true, o); }},
      {"--utf16", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::Utf16ChkBox, true, o); }},
      {"--skip-breaks", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::CheckBox2, true, o); }},
      {"--hidden", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::HideChkBox, true, o); }},
      {"--system", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::SysChkBox, true, o); }},
      {"--name", true, [](FindOptions& o, const std::string& v) { o.Edit2Text = v; return std::string(); }},
      {"--exclude-names", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::JogaiChkBox1, true, o); }},
      {"--size", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         if (!AllDigits(v) || v.size() > 4 || std::stoi(v) < 1 || std::stoi(v) > 1024)
           return "--size takes a number from 1 to 1024";
         o.SizeChkBox = true;
         o.sizeNumber = std::stoi(v);
         return {};
       }},
      {"--unit", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         static const char* const units[] = {"B", "KB", "MB", "GB"};
         for (int i = 0; i < 4; ++i) {
           if (v == units[i]) {
             o.SizeChkBox = true;
             o.sizeUnitIndex = i;
             return {};
           }
         }
         return "--unit takes B, KB, MB or GB";
       }},
      {"--at-least", false, [](FindOptions& o, const std::string&) { o.SizeChkBox = true; o.sizeAtLeast = true; return std::string(); }},
      {"--at-most", false, [](FindOptions& o, const std::string&) { o.SizeChkBox = true; o.sizeAtLeast = false; return std::string(); }},
      {"--year", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         if (!AllDigits(v)) return "--year takes a year of digits, such as 2024";
         o.DateChkMenu = true;
         o.yearText = v;
         return {};
       }},
      {"--from", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         const auto date = ParsePickerDate(v);
         if (!date) return "--from takes a date YYYY/MM/DD";
         o.DateChkMenu = true;
         o.dateFrom = *date;
         return {};
       }},
      {"--to", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         const auto date = ParsePickerDate(v);
         if (!date) return "--to takes a date YYYY/MM/DD";
         o.DateChkMenu = true;
         o.dateTo = *date;
         return {};
       }},
      {"--exclude-dates", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::JogaiChkBox2, true, o); }},
      {"--cached", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::cached, true, o); }},
      {"--count", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::count, true, o); }},
      {"--snippet", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::snippet, true, o); }},
      {"--binary-display", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         if (v != "hex" && v != "chars") return "--binary-display takes hex or chars";
         o.RadioGroup1 = v == "hex" ? 0 : 1;
         return {};
       }},
      {"--from-utf8", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::fromUtf8, true, o); }},
      {"--from-utf16", false, [](FindOptions& o, const std::string&) { return Flag(&FindOptions::fromUtf16, true, o); }},
  };
  return table;
}

const OptionSpec* FindSpec(const std::string& name) {
  for (const OptionSpec& option : OptionTable()) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

}  // namespace

const char* FindUsage() {
  return "usage: trovex-find [--options] [--case] [--fold] [--comma-text] [--utf16] "
         "[--skip-breaks] [--hidden] [--system] [--name TEXT] [--exclude-names] [--size N] "
         "[--unit B|KB|MB|GB] [--at-least|--at-most] [--year YYYY | --from YYYY/MM/DD "
         "--to YYYY/MM/DD] [--exclude-dates] [--cached] [--count] [--snippet] "
         "[--binary-display hex|chars] [--from-utf8|--from-utf16] [--] CONTENT [LOCATION...]";
}

std::optional<FindOptions> ParseFindOptions(const std::vector<std::string>& arguments,
                                            std::string& error) {
  FindOptions options;
  std::vector<std::string> operands;
  bool fromGiven = false, toGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") {
      operands.insert(operands.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                      arguments.end());
      break;
    }
    if (argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
      operands.push_back(argument);
      continue;
    }
    // "--name=TEXT" and "--name TEXT" are both accepted.
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionSpec* option = FindSpec(name);
    if (!option) {
      error = "unknown option " + name;
      return std::nullopt;
    }
    std::string value;
    if (option->takesValue) {
      if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        error = name + " needs a value";
        return std::nullopt;
      }
    } else if (equals != std::string::npos) {
      error = name + " takes no value";
      return std::nullopt;
    }
    if (std::string problem = option->apply(options, value); !problem.empty()) {
      error = problem;
      return std::nullopt;
    }
    fromGiven |= name == "--from";
    toGiven |= name == "--to";
  }
  if (fromGiven != toGiven) {
    error = "--from and --to go together";
    return std::nullopt;
  }
  if (fromGiven && !options.yearText.empty()) {
    error = "--year cannot be combined with --from and --to";
    return std::nullopt;
  }
  if (operands.empty()) {
    error = "CONTENT is missing";
    return std::nullopt;
  }
  options.content = operands.front();
  options.locations.assign(operands.begin() + 1, operands.end());
  return options;
}

}  // namespace trovex::cli
