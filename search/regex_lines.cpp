#include "search/regex_lines.h"

#include <algorithm>
#include <cstring>

namespace trovex::search {
namespace {

// Whether `bytes` are well-formed text in `encoding`: a match counts only where the
// line up to its end is, so that a pattern in one encoding does not find characters
// made of the halves of another encoding's (日 in UTF-8 ends with the EUC-JP
// katakana lead byte 0xA5).
bool WellFormed(std::string_view bytes, TextEncoding encoding) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    switch (encoding) {
      case TextEncoding::ShiftJis:
        if (b >= 0xA1 && b <= 0xDF) {
          ++i;
        } else if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < n &&
                   p[i + 1] >= 0x40 && p[i + 1] <= 0xFC && p[i + 1] != 0x7F) {
          i += 2;
        } else {
          return false;
        }
        break;
      case TextEncoding::EucJp: {
        const std::size_t len = b == 0x8F ? 3 : 2;
        if (!(b == 0x8E || b == 0x8F || (b >= 0xA1 && b <= 0xFE)) || i + len > n) return false;
        for (std::size_t k = 1; k < len; ++k)
          if (p[i + k] < 0xA1 || p[i + k] > 0xFE) return false;
        i += len;
        break;
      }
      case TextEncoding::Utf8: {
        const std::size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
        if (len == 0 || b > 0xF4 || i + len > n) return false;
        for (std::size_t k = 1; k < len; ++k)
          if ((p[i + k] & 0xC0) != 0x80) return false;
        i += len;
        break;
      }
      default:
        return true;  // UTF-16: any code unit pairs
    }
  }
  return true;
}

}  // namespace

RegexLineScanner::RegexLineScanner(const RegexSet& set, EncodingSet encodings,
                                   std::uint64_t textOffset, std::uint64_t earliestHit)
    : textStart_(textOffset), earliestHit_(earliestHit) {
  for (const auto& regex : set.Regexes()) {
    const TextEncoding e = regex->Encoding();
    if (!encodings.Has(e)) continue;
    const bool wide = e == TextEncoding::Utf16Le || e == TextEncoding::Utf16Be;
    // A UTF-16 lane's first line starts at the first even offset.
    const std::uint64_t cursor = textOffset + (wide ? textOffset % 2 : 0);
    lanes_.push_back(Lane{regex.get(), wide ? 2u : 1u, e == TextEncoding::Utf16Be, cursor});
  }
}

bool RegexLineScanner::Done() const {
  return decided_ || refused_ ||
         std::all_of(lanes_.begin(), lanes_.end(), [](const Lane& l) { return l.finished; });
}

std::optional<RegexHit> RegexLineScanner::Feed(std::string_view piece) {
  if (Done()) return std::nullopt;
  text_.append(piece);
  return Search(false);
}

std::optional<RegexHit> RegexLineScanner::Finish() {
  if (decided_ || refused_) return std::nullopt;
  return Search(true);
}

std::size_t RegexLineScanner::FindLineFeed(const Lane& lane, std::size_t from,
                                           std::size_t to) const {
  const char* data = text_.data();
  for (std::size_t at = from; at < to;) {
    const void* found = std::memchr(data + at, '\n', to - at);
    if (!found) return std::string::npos;
    const std::size_t p = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    if (lane.unit == 1) return p;
    // UTF-16: the unit 0A 00 (LE) or 00 0A (BE) at an even file offset.
    const std::size_t start = lane.bigEndian ? p - 1 : p;
    if ((!lane.bigEndian || p > from) && (textStart_ + start) % 2 == 0 && start + 1 < to &&
        data[lane.bigEndian ? start : start + 1] == 0)
      return start;
    at = p + 1;
  }
  return std::string::npos;
}

std::size_t RegexLineScanner::FindLastLineFeed(const Lane& lane, std::size_t from,
                                               std::size_t to) const {
  const char* data = text_.data();
  for (std::size_t p = to; p > from;) {
    --p;
    if (data[p] != '\n') continue;
    if (lane.unit == 1) return p;
    const std::size_t start = lane.bigEndian ? p - 1 : p;
    if ((!lane.bigEndian || p > from) && (textStart_ + start) % 2 == 0 && start + 1 < to &&
        data[lane.bigEndian ? start : start + 1] == 0)
      return start;
  }
  return std::string::npos;
}

// The line [lineStart, feed) alone, without its CR: a match there and the text up to
// its end well-formed. A line has the library's limits to itself.
std::optional<RegexHit> RegexLineScanner::SearchLine(const Lane& lane, std::size_t lineStart,
                                                     std::size_t feed) {
  std::size_t lineEnd = feed;
  if (lineEnd >= lineStart + lane.unit) {
    const char* unit = text_.data() + lineEnd - lane.unit;
    const bool cr = lane.unit == 1 ? unit[0] == '\r'
                                   : (lane.bigEndian ? unit[0] == 0 && unit[1] == '\r'
                                                     : unit[0] == '\r' && unit[1] == 0);
    if (cr) lineEnd -= lane.unit;
  }
  const std::string_view line(text_.data() + lineStart, lineEnd - lineStart);
  // Matches before earliestHit_ are passed over, from a code unit's start.
  const std::uint64_t lineOffset = textStart_ + lineStart;
  std::uint64_t skip = earliestHit_ > lineOffset ? earliestHit_ - lineOffset : 0;
  skip = std::min<std::uint64_t>((skip + lane.unit - 1) / lane.unit * lane.unit, line.size());
  const RegexMatch m = lane.regex->Search(line, static_cast<std::size_t>(skip), line.size(), work_);
  if (m.outcome == RegexOutcome::Refused) refused_ = true;
  if (m.outcome != RegexOutcome::Found ||
      !WellFormed(line.substr(0, m.offset + m.length), lane.regex->Encoding()))
    return std::nullopt;
  return RegexHit{lineOffset + m.offset, m.length, lane.regex->Encoding()};
}

// The lines of [from, to) one search call each.
std::optional<RegexHit> RegexLineScanner::SearchEachLine(const Lane& lane, std::size_t from,
                                                         std::size_t to) {
  while (from < to && !refused_) {
    const std::size_t feed = FindLineFeed(lane, from, to);
    const std::size_t end = feed == std::string::npos ? to : feed;
    if (auto hit = SearchLine(lane, from, end)) return hit;
    from = feed == std::string::npos ? to : feed + lane.unit;
  }
  return std::nullopt;
}

std::optional<RegexHit> RegexLineScanner::SearchLines(const Lane& lane, std::uint64_t from,
                                                      std::uint64_t to) {
  // One search call over the block finds the first line that may hold a match; the
  // line alone decides (a match may have run past it, and \A, \z and look-around see
  // the line's ends, not the block's).
  const std::string_view block(text_.data() + from, to - from);
  std::size_t pos = 0;
  while (pos < block.size()) {
    const RegexMatch m = lane.regex->Search(block, pos, block.size(), work_);
    // The limits count per call: over many lines a pattern that backtracks a little
    // in each runs out of them, so the lines are searched each on its own.
    if (m.outcome == RegexOutcome::Refused) return SearchEachLine(lane, from + pos, to);
    if (m.outcome == RegexOutcome::None) return std::nullopt;
    const std::size_t at = from + m.offset;
    const std::size_t lastFeed = at > from ? FindLastLineFeed(lane, from, at) : std::string::npos;
    const std::size_t lineStart = lastFeed == std::string::npos ? from : lastFeed + lane.unit;
    const std::size_t feed = FindLineFeed(lane, at, to);
    if (auto hit = SearchLine(lane, lineStart, feed == std::string::npos ? to : feed)) return hit;
    if (refused_) return std::nullopt;
    pos = (feed == std::string::npos ? to : feed + lane.unit) - from;
  }
  return std::nullopt;
}

void RegexLineScanner::SearchLane(Lane& lane, bool atEnd) {
  const std::uint64_t dataEnd = textStart_ + text_.size();
  while (!lane.finished && lane.cursor < dataEnd) {
    // Matches that start after the best one found in another encoding do not count.
    if (best_ && lane.cursor > best_->offset) {
      lane.finished = true;
      return;
    }
    const std::size_t from = static_cast<std::size_t>(lane.cursor - textStart_);
    std::size_t cut;
    const std::size_t feed = FindLastLineFeed(lane, from, text_.size());
    const bool longLine = text_.size() - from >= kLineBound &&
                          FindLineFeed(lane, from, from + kLineBound) == std::string::npos;
    if (longLine) {
      cut = from + kLineBound;  // a line that long is cut here, wherever it ends
    } else if (feed != std::string::npos) {
      cut = feed + lane.unit;
    } else if (atEnd) {
      cut = from + (text_.size() - from) / lane.unit * lane.unit;
    } else {
      return;  // the line goes on in the next piece
    }
    if (cut <= from) {  // an odd byte at the end of UTF-16 text
      lane.cursor = dataEnd;
      return;
    }
    const auto hit = SearchLines(lane, from, cut);
    if (refused_) return;
    if (hit) {
      lane.finished = true;
      // At the same offset the encoding first in TextEncoding's order wins.
      if (!best_ || hit->offset < best_->offset ||
          (hit->offset == best_->offset && hit->encoding < best_->encoding))
        best_ = hit;
      return;
    }
    lane.cursor = textStart_ + cut;
  }
}

std::optional<RegexHit> RegexLineScanner::Search(bool atEnd) {
  for (Lane& lane : lanes_) {
    SearchLane(lane, atEnd);
    if (refused_) return std::nullopt;
  }
  const bool allPast = std::all_of(lanes_.begin(), lanes_.end(), [&](const Lane& l) {
    return l.finished || (best_ && l.cursor > best_->offset);
  });
  if (atEnd || (best_ && allPast)) {
    decided_ = true;
    return best_;
  }
  // Keep the bytes from the first line not yet searched in any encoding.
  std::uint64_t keepFrom = textStart_ + text_.size();
  for (const Lane& l : lanes_)
    if (!l.finished) keepFrom = std::min(keepFrom, l.cursor);
  text_.erase(0, static_cast<std::size_t>(keepFrom - textStart_));
  textStart_ = keepFrom;
  return std::nullopt;
}

}  // namespace trovex::search
