#pragma once
// RtfToText in pieces: the same reduction fed with the text a piece at a time, so
// that a large ".rtf" is reduced while it is read, in as little memory as a read
// takes. Feeding the pieces of a text and then calling Finish gives exactly
// RtfToText of the whole text, wherever the pieces are cut.
#include <string>
#include <string_view>

namespace trovex::search {

class RtfStreamReducer {
 public:
  // Appends to `out` the reduced bytes that `piece`, the next bytes of the text,
  // settles. A few bytes are held back until the bytes after them are known.
  void Feed(std::string_view piece, std::string& out);

  // The text has ended: appends what the held bytes give. Feed and Finish after
  // this add nothing until Reset.
  void Finish(std::string& out);

  // True once nothing more can be added: the text ended, the reduction met a zero
  // byte (its result ends there), or an escape was cut off by the end.
  bool Done() const { return done_; }

  void Reset();

 private:
  // Reduces text[i, stop) and returns where the reduction goes on. `atEnd`: the
  // text ends with `text`, so the last position's lookahead is final.
  std::size_t Reduce(std::string_view text, std::size_t i, std::size_t stop, bool atEnd,
                     std::string& out);

  std::string held_;  // undecided bytes, at most kRtfUnicodeSpan
  bool skipping_ = false;
  bool done_ = false;
  int fallbackCount_ = 1;  // \ucN
  int fallback_ = 0;       // fallback characters of a \uN still to drop
};

}  // namespace trovex::search
