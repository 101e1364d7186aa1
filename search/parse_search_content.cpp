#include "search/parse_search_content.h"

#include <algorithm>
#include <utility>

#include "platform/text/cp932.h"
#include "platform/text/lower_case.h"
#include "search/encoded_forms.h"
#include "search/file_start.h"
#include "search/number_entries.h"
#include "search/regex_pattern.h"
#include "search/text_helpers.h"

namespace trovex::search {
namespace {

constexpr const char* kInvalidValueMessage = "不正な値が入力されています。";

std::string InvalidEntryMessage(std::string_view entry) {
  std::string message = "[";
  message.append(entry);
  message += "]\n";
  message += kInvalidValueMessage;
  return message;
}

bool IsAsciiAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool ContainsComma(std::string_view text) { return text.find(',') != std::string_view::npos; }

void SetPattern(SearchQuery& query, std::string pattern) {
  query.pattern = std::move(pattern);
  query.patternLength = static_cast<int>(query.pattern.size());
}

// Numbers mode: the byte list becomes the pattern. False at the first entry that
// is not a byte value, which is reported.
bool BuildNumbersQuery(std::string_view list, const MessageSink& report, SearchQuery& query) {
  query.mode = SearchMode::Numbers;
  EntryBytes parsed = EntriesToBytes(ExpandWideValues(SplitNumberEntries(list)));
  SetPattern(query, std::move(parsed.bytes));
  if (parsed.invalidEntry) {
    query.complete = false;
    if (report) report(InvalidEntryMessage(*parsed.invalidEntry));
    return false;
  }
  return true;
}

// Folding: the half-width katakana form is the primary pattern, the full-width
// forms with kana as hiragana and as katakana are tried beside it.
void AddFoldedForms(std::string_view typed, bool caseSensitive, SearchQuery& query) {
  const std::string text = caseSensitive ? std::string(typed) : text::AnsiLowerCase(typed);
  SetPattern(query, MapWidthKana(text, text::WidthKana::HalfWidthKatakana));
  const std::string fullWidth = MapWidthKana(text, text::WidthKana::FullWidthKatakana);
  query.hiraganaForm = MapWidthKana(fullWidth, text::WidthKana::Hiragana);
  query.katakanaForm = MapWidthKana(fullWidth, text::WidthKana::Katakana);
  query.formLength = static_cast<int>(query.hiraganaForm.size());

  query.widePattern = ToWide(query.pattern);
  query.wideLength = query.widePattern ? static_cast<int>(query.widePattern->size()) : 0;
  query.wideHiraganaForm = ToWide(query.hiraganaForm).value_or(std::string());
  query.wideKatakanaForm = ToWide(query.katakanaForm).value_or(std::string());
  query.wideFormLength = static_cast<int>(query.wideKatakanaForm.size());
  query.folded = true;
}

void BuildTextQuery(std::string_view text, const SearchOptions& options, SearchQuery& query) {
  query.mode = SearchMode::Text;
  SetPattern(query, std::string(text));
  query.widePattern = ToWide(text);
  query.wideLength = query.widePattern ? static_cast<int>(query.widePattern->size()) : 0;
  query.allAlphanumeric = std::all_of(text.begin(), text.end(), IsAsciiAlphanumeric);
  const bool fold = options.optionsOpen && !options.distinguishWidthAndKana;
  if (fold) AddFoldedForms(text, options.caseSensitive, query);
  query.encodings = TextEncodingsFor(options);
  std::vector<EncodedForm> forms =
      BuildEncodedForms(text, query.encodings, fold, options.caseSensitive);
  // ASCII text has the same bytes in UTF-8 and EUC-JP as in Shift-JIS: searched once.
  if (!fold && query.encodings.Has(TextEncoding::ShiftJis)) {
    std::erase_if(forms, [&](const EncodedForm& form) {
      const bool same =
          (form.encoding == TextEncoding::Utf8 || form.encoding == TextEncoding::EucJp) &&
          form.bytes == query.pattern;
      if (same) query.sameBytesAsPattern.Add(form.encoding);
      return same;
    });
  }
  query.fileStartForms = std::make_shared<const FileStartForms>(
      BuildFileStartForms(text, query.encodings, fold, options.caseSensitive, forms));
  query.encodedForms = std::make_shared<const std::vector<EncodedForm>>(std::move(forms));
  if (query.allAlphanumeric && !text.empty() && query.encodings.ShiftJisOnly())
    query.docWideForms = std::make_shared<const std::vector<EncodedForm>>(BuildEncodedForms(
        text, EncodingSet::Only(TextEncoding::Utf16Le), fold, options.caseSensitive));
}

// A regular expression: compiled for every encoding searched. A pattern the library
// refuses is reported and leaves the previous query in force.
bool BuildRegexQuery(std::string_view text, const SearchOptions& options, const MessageSink& report,
                     SearchQuery& query) {
  const EncodingSet encodings = TextEncodingsFor(options);
  const bool fold = options.optionsOpen && !options.distinguishWidthAndKana;
  std::string error;
  auto regex = CompileRegexSet(text, encodings, options.caseSensitive, fold, error);
  if (!regex) {
    if (report) report(RegexErrorMessage(text, error));
    return false;
  }
  query = SearchQuery{};
  query.displayText = std::string(text);
  query.mode = SearchMode::Text;
  SetPattern(query, std::string(text));
  query.allAlphanumeric = false;
  query.encodings = encodings;
  query.folded = fold;
  query.regex = std::move(regex);
  // The required run as a text of two characters or more (a shorter one passes
  // over few files), in the encodings and with the folding of the pattern.
  if (const auto units = text::DecodeCp932(text)) {
    const std::u16string literal = RequiredLiteral(*units);
    const std::string cp932 = text::EncodeCp932(literal);
    if (literal.size() >= 2 && cp932.find(',') == std::string::npos) {
      auto part = std::make_shared<SearchQuery>();
      BuildTextQuery(cp932, options, *part);
      query.literalPart = std::move(part);
    }
  }
  return true;
}

}  // namespace

bool ParseSearchContent(std::string_view text, const SearchOptions& options,
                        const MessageSink& report, SearchQuery& query) {
  if (text.empty() && options.nameFilter.empty()) {
    if (report) report(kEmptyContentMessage);
    return false;
  }
  if (SearchesByRegex(options) && !text.empty())
    return BuildRegexQuery(text, options, report, query);
  query = SearchQuery{};
  query.displayText =
      options.conversionSource.empty() ? std::string(text) : options.conversionSource;

  const bool commaIsContent = options.optionsOpen && options.commaIsContent;
  if (options.searchUtf16 && !text.empty() && (options.commaIsContent || !ContainsComma(text))) {
    const auto list = ToUtf16ByteList(text);
    if (!list) {
      // The text is not valid CP932, so it has no UTF-16 bytes to search.
      query.mode = SearchMode::Numbers;
      query.complete = false;
      if (report) report(InvalidEntryMessage(text));
      return false;
    }
    return BuildNumbersQuery(*list, report, query);
  }
  if (ContainsComma(text) && !commaIsContent) return BuildNumbersQuery(text, report, query);
  BuildTextQuery(text, options, query);
  return true;
}

}  // namespace trovex::search
