#include "search/file_scan.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

#include "platform/fs/sector_size.h"
#include "platform/fs/sequential_reader.h"
#include "search/file_extension.h"
#include "search/contained_scan.h"
#include "search/file_start.h"
#include "search/folder_path.h"
#include "search/regex_file_scan.h"
#include "search/rtf_stream.h"

namespace trovex::search {
namespace {

constexpr std::uint32_t kDefaultSectorSize = 512;

std::string Prefix(const std::string& bytes, int length) {
  return bytes.substr(0, static_cast<std::size_t>(std::max(length, 0)));
}

std::size_t RoundUp(std::size_t value, std::size_t unit) {
  return (value + unit - 1) / unit * unit;
}

// Takes the geometry of the file's volume when it differs from the last one.
// Reads through the cache need no sector alignment: no volume is looked up.
void UpdateGeometry(const std::string& path, ScanState& state) {
  if (state.readThroughCache) {
    if (state.sectorSize == 0) {
      state.sectorSize = kDefaultSectorSize;
      state.chunkSize = std::size_t{kDefaultSectorSize} * fs::SequentialReader::kSectorsPerChunk;
    }
    return;
  }
  // Volumes change only from folder to folder: the files of one folder need no lookup.
  const std::string_view folder = FolderPart(path);
  if (state.sectorSize != 0 && !folder.empty() && folder == state.lastFolder) return;
  state.lastFolder.assign(folder);
  const std::string root = fs::VolumeKeyOf(path);
  if (root == state.lastRoot && state.sectorSize != 0) return;
  const auto sector = fs::SectorSizeOf(path);
  state.lastRoot = root;
  state.unbuffered = sector.has_value();
  const std::uint32_t size = sector.value_or(kDefaultSectorSize);
  if (size != state.sectorSize) state.buffer.Release();
  state.sectorSize = size;
  state.chunkSize = std::size_t{size} * fs::SequentialReader::kSectorsPerChunk;
}

// Room before the read area for the bytes carried from one read to the next:
// the undecided start positions and the byte before them.
std::size_t CarryRoom(const ScanState& state, const BufferMatcher& matcher) {
  return RoundUp(matcher.MaxSpan() + BufferMatcher::kLookBackBytes, state.sectorSize);
}

bool EnsureBuffer(ScanState& state, std::size_t carryRoom) {
  const std::size_t needed = carryRoom + state.chunkSize + state.sectorSize;
  if (state.buffer && state.buffer.size() >= needed) return true;
  return state.buffer.Allocate(needed, state.sectorSize);
}

bool Prepared(const std::unique_ptr<BufferMatcher>& matcher, const MatchPatterns& patterns,
              const MatchOptions& options) {
  return matcher && matcher->Patterns() == patterns && matcher->Options() == options;
}

}  // namespace

const BufferMatcher& PreparedMatcher(const MatchPatterns& patterns, const MatchOptions& options,
                                     ScanState& state) {
  auto& slots = state.matchers;
  auto found = std::find_if(std::begin(slots), std::end(slots),
                            [&](const auto& slot) { return Prepared(slot, patterns, options); });
  if (found == std::end(slots)) {
    found = std::end(slots) - 1;  // the least recently used
    *found = std::make_unique<BufferMatcher>(patterns, options);
  }
  std::rotate(std::begin(slots), found, found + 1);
  return *slots[0];
}

namespace {

const BufferMatcher& MatcherFor(const MatchPatterns& patterns, const MatchOptions& options,
                                ScanState& state) {
  return PreparedMatcher(patterns, options, state);
}

void ReportFailure(const ScanState& state, const std::string& path,
                   const fs::SequentialReader& reader) {
  if (reader.Error() != 0 && state.fileFailure) state.fileFailure(path, reader.Error());
}

// The decided end of a read: every start position of `view` (the carried bytes and
// the new ones, `view[0]` at `viewStart`) is decided at the end of the data, else only
// those whose longest match fits in what has been read. Searches the decided
// positions from `pending` on and moves `pending` past them; returns the hit, its
// offset in `view`.
std::optional<BufferHit> SearchDecided(const BufferMatcher& matcher, std::string_view view,
                                       std::uint64_t viewStart, bool atEnd,
                                       std::uint64_t& pending) {
  const std::size_t maxSpan = matcher.MaxSpan();
  const std::uint64_t dataEnd = viewStart + view.size();
  std::uint64_t decidedEnd = dataEnd;
  if (!atEnd) decidedEnd = dataEnd >= maxSpan ? dataEnd - maxSpan + 1 : 0;
  if (decidedEnd <= pending) return std::nullopt;
  if (auto hit = matcher.FindFirst(view, pending - viewStart, decidedEnd - viewStart, viewStart))
    return hit;
  pending = decidedEnd;
  return std::nullopt;
}

// Keeps the bytes at a hit for its row when the view holds them all (a hit near
// the end of a read that is not the file's last leaves the row to read them).
void KeepFoundBytes(std::string_view view, std::uint64_t viewStart, bool atEnd,
                    const BufferHit& hit, ScanState& state) {
  const std::string_view rest = view.substr(hit.offset);
  if (rest.size() < kFoundBytes && !atEnd) return;
  state.found = std::make_shared<const FoundBytes>(
      FoundBytes{viewStart + hit.offset, std::string(rest.substr(0, kFoundBytes)), hit.encoding});
}

// Where the bytes carried to the next read begin: the undecided positions and the
// byte before them, never before the view.
std::uint64_t CarryFrom(std::uint64_t viewStart, std::uint64_t pending) {
  return std::max(viewStart,
                  pending - std::min<std::uint64_t>(pending, BufferMatcher::kLookBackBytes));
}

// ".rtf": the file up to its first zero byte, reduced, is what is searched. Each
// read is reduced as it comes and the reduced text goes through a carried window
// as the bytes of other files do, so that memory stays at about one read whatever
// the size of the file. Offsets count reduced bytes.
std::optional<std::uint64_t> ScanRtf(const std::string& path, fs::SequentialReader& reader,
                                     const BufferMatcher& matcher, ScanState& state,
                                     std::size_t carryRoom, const std::atomic<bool>& cancel) {
  const std::size_t maxSpan = matcher.MaxSpan();
  char* const area = state.buffer.data() + carryRoom;
  RtfStreamReducer reducer;
  std::string text;             // the carried reduced bytes, then the new ones
  std::uint64_t textStart = 0;  // reduced offset of text[0]
  std::uint64_t pending = 0;    // first start position not yet decided
  try {
    text.reserve(state.chunkSize + maxSpan + 1);
    for (;;) {
      if (cancel.load(std::memory_order_relaxed)) return std::nullopt;
      const auto got = reader.ReadNext(area);
      if (!got) {
        ReportFailure(state, path, reader);
        return std::nullopt;
      }
      // Each read repeats the last sector of the one before: only new bytes go in.
      const bool lastRead = *got < reader.ReadSize();
      const std::size_t take = lastRead ? *got : std::min(*got, state.chunkSize);
      const void* zero = std::memchr(area, 0, take);
      reducer.Feed(std::string_view(area, zero ? static_cast<const char*>(zero) - area : take),
                   text);
      const bool end = zero || lastRead || reducer.Done();
      if (end) reducer.Finish(text);
      if (auto hit = SearchDecided(matcher, text, textStart, end, pending))
        return textStart + hit->offset;
      if (end) return std::nullopt;
      const std::uint64_t keepFrom = CarryFrom(textStart, pending);
      text.erase(0, static_cast<std::size_t>(keepFrom - textStart));
      textStart = keepFrom;
    }
  } catch (const std::bad_alloc&) {
  }
  return std::nullopt;
}

}  // namespace

MatchPatterns PatternsForFile(const std::string& path, const SearchQuery& query) {
  const bool doc = HasExtension(path, ".doc");
  const bool text = query.mode == SearchMode::Text;
  MatchPatterns patterns;
  patterns.folded = text && query.folded;
  if (text && !query.encodings.ShiftJisOnly()) {
    // Every encoding of the set: the Shift-JIS bytes (a Word document's UTF-16LE
    // text is then the UTF-16LE form, found at any offset) beside the other forms.
    patterns.shiftJis = query.encodings.Has(TextEncoding::ShiftJis);
    patterns.pattern = Prefix(query.pattern, query.patternLength);
    if (patterns.folded) {
      patterns.hiraganaForm = Prefix(query.hiraganaForm, query.formLength);
      patterns.katakanaForm = Prefix(query.katakanaForm, query.formLength);
    }
    patterns.onBoundary = true;
    patterns.inDoc = doc;
    if (patterns.shiftJis) patterns.sameBytes = query.sameBytesAsPattern;
    patterns.others = query.encodedForms;
    if (!doc) patterns.fileStart = query.fileStartForms;
    return patterns;
  }
  patterns.wideDoc = doc && text && !query.allAlphanumeric && query.widePattern.has_value();
  patterns.onBoundary = text && !patterns.wideDoc;
  if (doc && text && query.allAlphanumeric && query.docWideForms) {
    // Word's text pieces are one-byte or UTF-16: ASCII words are looked for in both.
    patterns.others = query.docWideForms;
    patterns.inDoc = true;
  }
  patterns.pattern = patterns.wideDoc ? Prefix(*query.widePattern, query.wideLength)
                                      : Prefix(query.pattern, query.patternLength);
  // Forms exist only when the query was built with folding.
  if (patterns.folded) {
    patterns.hiraganaForm = doc ? Prefix(query.wideHiraganaForm, query.wideFormLength)
                                : Prefix(query.hiraganaForm, query.formLength);
    patterns.katakanaForm = doc ? Prefix(query.wideKatakanaForm, query.wideFormLength)
                                : Prefix(query.katakanaForm, query.formLength);
  }
  return patterns;
}

std::optional<std::uint64_t> SearchFile(const std::string& path, const SearchQuery& query,
                                        const MatchOptions& options, ScanState& state,
                                        const std::atomic<bool>& cancel,
                                        const fs::ListedFile& listed) {
  state.found.reset();
  if (query.regex) {
    if (query.literalPart) {
      // A file without the text every match holds has no match: passed over at
      // the literal search's speed. Its own bytes, as the pattern searches them.
      MatchOptions literal = options;
      literal.mode = SearchMode::Text;
      literal.lookInside = false;
      literal.skipLineBreaks = false;
      if (!SearchFile(path, *query.literalPart, literal, state, cancel, listed))
        return std::nullopt;
      state.found.reset();  // the literal's hit, not the pattern's
    }
    const auto hit = ScanFileRegex(path, *query.regex, state, cancel, listed);
    return hit ? std::optional<std::uint64_t>(hit->offset) : std::nullopt;
  }
  MatchOptions own = options;
  own.mode = query.mode;
  if (own.lookInside && own.mode == SearchMode::Text) {
    if (const auto kind = ContainerKindOf(path); kind != ContainerKind::None) {
      const ContainedScan scan = ScanContained(path, kind, query, own, state, cancel);
      if (scan.searched) return scan.hit;
    }
  }
  return ScanFile(path, PatternsForFile(path, query), own, state, cancel, listed);
}

std::optional<std::uint64_t> ScanFile(const std::string& path, const MatchPatterns& patterns,
                                      const MatchOptions& options, ScanState& state,
                                      const std::atomic<bool>& cancel,
                                      const fs::ListedFile& listed) {
  state.found.reset();
  UpdateGeometry(path, state);
  const BufferMatcher* matcher = &MatcherFor(patterns, options, state);
  const std::size_t carryRoom = CarryRoom(state, *matcher);
  if (!EnsureBuffer(state, carryRoom)) return std::nullopt;

  fs::SequentialReader reader;
  const fs::CacheUse cacheUse = !state.unbuffered || state.readThroughCache ? fs::CacheUse::Through
                                : state.bypassEveryFile                     ? fs::CacheUse::Bypass
                                                        : fs::CacheUse::BypassLarge;
  if (!reader.Open(path, state.sectorSize, cacheUse, listed)) {
    ReportFailure(state, path, reader);
    return std::nullopt;
  }
  // A volume that refuses unbuffered opening refuses it for every file: read its
  // other files through the cache without asking again.
  if (cacheUse == fs::CacheUse::Bypass && !reader.Unbuffered()) state.unbuffered = false;
  if (reader.Size() == 0u) return std::nullopt;
  if (HasExtension(path, ".rtf")) return ScanRtf(path, reader, *matcher, state, carryRoom, cancel);

  // The buffer holds [carried bytes | read area]. A start position is decided only
  // when every byte a match there could cover has been read (or the file ended),
  // so a match is found wherever it lies relative to the reads.
  char* const area = state.buffer.data() + carryRoom;
  std::uint64_t pending = 0;  // first start position not yet decided
  std::size_t carried = 0;    // bytes before `area` that belong to the view
  for (;;) {
    if (cancel.load(std::memory_order_relaxed)) return std::nullopt;
    const std::uint64_t readStart = reader.Position();
    const auto got = reader.ReadNext(area);
    if (!got) {
      ReportFailure(state, path, reader);
      return std::nullopt;
    }
    const bool atEnd = *got < reader.ReadSize();
    if (readStart == 0 && patterns.fileStart) {
      // The first read decides the forms searched in this file. They are a subset of
      // the query's, so the carry room already fits them.
      if (const auto narrowed = PatternsForFileStart(patterns, std::string_view(area, *got))) {
        if (!SearchesAnything(*narrowed)) return std::nullopt;
        matcher = &MatcherFor(*narrowed, options, state);
      }
    }
    const std::uint64_t viewStart = readStart - carried;
    const std::string_view view(area - carried, carried + *got);
    if (auto hit = SearchDecided(*matcher, view, viewStart, atEnd, pending)) {
      KeepFoundBytes(view, viewStart, atEnd, *hit, state);
      return viewStart + hit->offset;
    }
    if (atEnd) return std::nullopt;
    // Carry what the next view needs from before the next read's start.
    const std::uint64_t nextStart = reader.Position();
    const std::uint64_t keepFrom = CarryFrom(viewStart, pending);
    const std::size_t keep =
        keepFrom < nextStart ? static_cast<std::size_t>(nextStart - keepFrom) : 0;
    if (keep > 0) std::memmove(area - keep, view.data() + (keepFrom - viewStart), keep);
    carried = keep;
  }
}

}  // namespace trovex::search
