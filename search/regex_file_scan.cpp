#include "search/regex_file_scan.h"

#include <algorithm>
#include <cstring>

#include "platform/fs/read_at.h"
#include "search/file_start.h"

namespace trovex::search {

EncodingSet RegexEncodingsForFile(EncodingSet encodings, std::string_view firstRead) {
  if (const auto mark = ByteOrderMarkOf(firstRead); mark && encodings.Has(*mark))
    return EncodingSet::Only(*mark);
  if (std::memchr(firstRead.data(), 0, firstRead.size()) != nullptr) return encodings;
  EncodingSet narrowed = EncodingSet::None();
  for (TextEncoding e : kAllTextEncodings)
    if (encodings.Has(e) && e != TextEncoding::Utf16Le && e != TextEncoding::Utf16Be)
      narrowed.Add(e);
  return narrowed.Empty() ? encodings : narrowed;
}

std::optional<TextEncoding> RegexEncodingAt(const RegexSet& regex, std::string_view fileStart,
                                            std::string_view window, std::uint64_t windowOffset,
                                            std::uint64_t position) {
  if (position < windowOffset || position - windowOffset >= window.size()) return std::nullopt;
  const auto at = static_cast<std::size_t>(position - windowOffset);
  const std::size_t feed = at == 0 ? std::string_view::npos : window.rfind('\n', at - 1);
  // A line that starts before the window is read from the hit: the window may begin
  // inside a character.
  const std::size_t lineStart = feed != std::string_view::npos ? feed + 1
                                : windowOffset == 0            ? 0
                                                               : at;
  RegexLineScanner scanner(regex, RegexEncodingsForFile(regex.Encodings(), fileStart),
                           windowOffset + lineStart, position);
  std::optional<RegexHit> hit = scanner.Feed(window.substr(lineStart));
  if (!hit && !scanner.Done()) hit = scanner.Finish();
  if (!hit || hit->offset != position) return std::nullopt;
  return hit->encoding;
}

std::optional<TextEncoding> RegexEncodingInFile(const RegexSet& regex, const std::string& path,
                                                std::uint64_t position) {
  // A line's start within 4 KiB before the hit, and a match of up to 4 KiB, are
  // told apart; a longer line or match falls back to the caller's choice.
  constexpr std::size_t kAround = 4096;
  const std::uint64_t from = position - std::min<std::uint64_t>(position, kAround);
  const auto start = fs::ReadAt(path, 0, kAround);
  const auto window = fs::ReadAt(path, from, static_cast<std::size_t>(position - from) + kAround);
  if (!start || !window) return std::nullopt;
  return RegexEncodingAt(regex, *start, *window, from, position);
}

std::optional<RegexHit> ScanFileRegex(const std::string& path, const RegexSet& regex,
                                      ScanState& state, const std::atomic<bool>& cancel,
                                      const fs::ListedFile& listed) {
  constexpr std::uint32_t kSector = 512;
  static_assert(kSector * fs::SequentialReader::kSectorsPerChunk == kRegexFirstReadBytes);
  fs::SequentialReader reader;
  if (!reader.Open(path, kSector, fs::CacheUse::Through, listed)) {
    if (reader.Error() != 0 && state.fileFailure) state.fileFailure(path, reader.Error());
    return std::nullopt;
  }
  if (reader.Size() == 0u) return std::nullopt;
  if (!state.buffer || state.buffer.size() < reader.ReadSize()) {
    state.buffer.Release();
    if (!state.buffer.Allocate(reader.ReadSize(), kSector)) return std::nullopt;
    state.sectorSize = 0;  // the byte scan sizes the buffer again for its volume
  }
  char* const area = state.buffer.data();
  std::optional<RegexLineScanner> scanner;
  for (;;) {
    if (cancel.load(std::memory_order_relaxed)) return std::nullopt;
    const auto got = reader.ReadNext(area);
    if (!got) {
      if (reader.Error() != 0 && state.fileFailure) state.fileFailure(path, reader.Error());
      return std::nullopt;
    }
    // Each read repeats the last sector of the one before: only new bytes go in.
    const bool lastRead = *got < reader.ReadSize();
    const std::size_t take = lastRead ? *got : std::min(*got, reader.ChunkSize());
    const std::string_view piece(area, take);
    if (!scanner) scanner.emplace(regex, RegexEncodingsForFile(regex.Encodings(), piece));
    if (auto hit = scanner->Feed(piece)) return hit;
    if (scanner->Done()) return std::nullopt;
    if (lastRead) return scanner->Finish();
  }
}

}  // namespace trovex::search
