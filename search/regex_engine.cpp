#include "search/regex_engine.h"

#include <oniguruma.h>

#include <mutex>

namespace trovex::search {
namespace {

OnigEncoding LibraryEncoding(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::ShiftJis:
      return ONIG_ENCODING_SJIS;
    case TextEncoding::Utf8:
      return ONIG_ENCODING_UTF8;
    case TextEncoding::Utf16Le:
      return ONIG_ENCODING_UTF16_LE;
    case TextEncoding::Utf16Be:
      return ONIG_ENCODING_UTF16_BE;
    case TextEncoding::EucJp:
      return ONIG_ENCODING_EUC_JP;
  }
  return ONIG_ENCODING_SJIS;
}

// The library sets up its encodings once per process, before any compiling.
void InitializeOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    OnigEncoding encodings[] = {ONIG_ENCODING_SJIS, ONIG_ENCODING_UTF8, ONIG_ENCODING_UTF16_LE,
                                ONIG_ENCODING_UTF16_BE, ONIG_ENCODING_EUC_JP};
    onig_initialize(encodings, sizeof encodings / sizeof encodings[0]);
  });
}

const OnigUChar* Bytes(std::string_view text) {
  return reinterpret_cast<const OnigUChar*>(text.data());
}

}  // namespace

struct RegexWork::State {
  OnigMatchParam* param = nullptr;
  OnigRegion* region = nullptr;
};

RegexWork::RegexWork() : state_(std::make_unique<State>()) {
  InitializeOnce();
  state_->param = onig_new_match_param();
  state_->region = onig_region_new();
  if (state_->param) {
    onig_initialize_match_param(state_->param);
    onig_set_retry_limit_in_match_of_match_param(state_->param, kRetriesPerMatch);
    onig_set_retry_limit_in_search_of_match_param(state_->param, kRetriesPerSearch);
    onig_set_match_stack_limit_size_of_match_param(state_->param, kStackEntries);
  }
}

RegexWork::~RegexWork() {
  if (state_->param) onig_free_match_param(state_->param);
  if (state_->region) onig_region_free(state_->region, 1);
}

std::unique_ptr<CompiledRegex> CompiledRegex::Compile(std::string_view pattern,
                                                      TextEncoding encoding, bool caseSensitive,
                                                      std::string& error) {
  InitializeOnce();
  OnigOptionType options = ONIG_OPTION_DIGIT_IS_ASCII;
  if (!caseSensitive) options |= ONIG_OPTION_IGNORECASE;
  regex_t* regex = nullptr;
  OnigErrorInfo info{};
  const int code = onig_new(&regex, Bytes(pattern), Bytes(pattern) + pattern.size(), options,
                            LibraryEncoding(encoding), ONIG_SYNTAX_RUBY, &info);
  if (code != ONIG_NORMAL) {
    OnigUChar message[ONIG_MAX_ERROR_MESSAGE_LEN] = {};
    onig_error_code_to_str(message, code, &info);
    error = reinterpret_cast<const char*>(message);
    if (regex) onig_free(regex);
    return nullptr;
  }
  std::unique_ptr<CompiledRegex> compiled(new CompiledRegex());
  compiled->regex_ = regex;
  compiled->encoding_ = encoding;
  return compiled;
}

CompiledRegex::~CompiledRegex() {
  if (regex_) onig_free(static_cast<regex_t*>(regex_));
}

RegexMatch CompiledRegex::Search(std::string_view text, std::size_t from, std::size_t to,
                                 RegexWork& work) const {
  RegexMatch match;
  if (!work.state_->param || !work.state_->region) {
    match.outcome = RegexOutcome::Refused;
    return match;
  }
  const OnigUChar* begin = Bytes(text);
  const OnigUChar* end = begin + text.size();
  OnigRegion* region = work.state_->region;
  const int at = onig_search_with_param(static_cast<regex_t*>(regex_), begin, end, begin + from,
                                        begin + to, region, ONIG_OPTION_NONE, work.state_->param);
  if (at == ONIG_MISMATCH) return match;
  if (at < 0) {
    match.outcome = RegexOutcome::Refused;
    return match;
  }
  match.outcome = RegexOutcome::Found;
  match.offset = static_cast<std::size_t>(at);
  match.length = region->num_regs > 0 && region->end[0] >= at
                     ? static_cast<std::size_t>(region->end[0] - at)
                     : 0;
  return match;
}

}  // namespace trovex::search
