#pragma once
// The regular-expression library behind one narrow interface: compile a pattern in
// one encoding, find its first match in a range of a text, within fixed limits on
// backtracking so that no pattern runs for long.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "search/text_encoding.h"

namespace trovex::search {

enum class RegexOutcome {
  Found,
  None,
  Refused,  // the limits were reached: the library gave up on this text
};

struct RegexMatch {
  RegexOutcome outcome = RegexOutcome::None;
  std::size_t offset = 0;  // in the text
  std::size_t length = 0;
};

// What one searching thread needs besides the compiled pattern (the limits and the
// match's place). Not shared between threads.
class RegexWork {
 public:
  RegexWork();
  ~RegexWork();
  RegexWork(const RegexWork&) = delete;
  RegexWork& operator=(const RegexWork&) = delete;

  // Backtracking steps allowed at one start position, and in one search call over
  // all of them; the match stack's bound in entries.
  static constexpr unsigned long kRetriesPerMatch = 200'000;
  static constexpr unsigned long kRetriesPerSearch = 5'000'000;
  static constexpr unsigned kStackEntries = 1'000'000;

 private:
  friend class CompiledRegex;
  struct State;
  std::unique_ptr<State> state_;
};

class CompiledRegex {
 public:
  // Nothing when the library refuses `pattern` (bytes in `encoding`); then `error`
  // holds its message. `.` does not match a line feed; \d is an ASCII digit in every
  // encoding, so that the encodings agree.
  static std::unique_ptr<CompiledRegex> Compile(std::string_view pattern, TextEncoding encoding,
                                                bool caseSensitive, std::string& error);
  ~CompiledRegex();
  CompiledRegex(const CompiledRegex&) = delete;
  CompiledRegex& operator=(const CompiledRegex&) = delete;

  TextEncoding Encoding() const { return encoding_; }

  // The first match starting in [from, to) of `text`, whose whole is what the
  // pattern sees (^ and $ at its ends, look-behind within it).
  RegexMatch Search(std::string_view text, std::size_t from, std::size_t to, RegexWork& work) const;

 private:
  CompiledRegex() = default;
  void* regex_ = nullptr;  // the library's regex_t
  TextEncoding encoding_ = TextEncoding::ShiftJis;
};

}  // namespace trovex::search
