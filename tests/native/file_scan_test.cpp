#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/fs/aligned_buffer.h"
#include "platform/fs/dir_listing.h"
#include "platform/fs/sequential_reader.h"
#include "search/file_scan.h"
#include "search/rtf_to_text.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace trovex::search;
namespace stdfs = std::filesystem;

namespace {

constexpr std::size_t kChunk = 512 * 1024;  // 512-byte sectors (both test systems)

class FileScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = stdfs::temp_directory_path() / ("trovex-scan-" + std::to_string(std::random_device{}()));
    stdfs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    stdfs::remove_all(dir_, ignored);
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const stdfs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  std::optional<std::uint64_t> Search(const std::string& path, const SearchQuery& query,
                                      const MatchOptions& options = {}) {
    return SearchFile(path, query, options, state_, cancel_);
  }

  stdfs::path dir_;
  ScanState state_;
  std::atomic<bool> cancel_{false};
};

// The tests that hold for every way of reading a file: by default (through the
// cache, files larger than a sixteenth of memory unbuffered), unbuffered where the
// volume allows, and through the cache.
enum class ReadPath { Default, Unbuffered, Cached };

class FileScanPathsTest : public FileScanTest, public ::testing::WithParamInterface<ReadPath> {
 protected:
  void SetUp() override {
    FileScanTest::SetUp();
    state_.readThroughCache = GetParam() == ReadPath::Cached;
    state_.bypassEveryFile = GetParam() == ReadPath::Unbuffered;
  }
};

INSTANTIATE_TEST_SUITE_P(ReadPaths, FileScanPathsTest,
                         ::testing::Values(ReadPath::Default, ReadPath::Unbuffered,
                                           ReadPath::Cached),
                         [](const auto& info) {
                           return info.param == ReadPath::Default      ? "Default"
                                  : info.param == ReadPath::Unbuffered ? "Unbuffered"
                                                                       : "Cached";
                         });

SearchQuery TextQuery(const std::string& text) {
  SearchQuery query;
  query.pattern = text;
  query.patternLength = static_cast<int>(text.size());
  for (unsigned char c : text) query.allAlphanumeric = query.allAlphanumeric && std::isalnum(c);
  return query;
}

std::string Filler(std::size_t size) {
  std::string bytes(size, '.');
  for (std::size_t i = 0; i < size; i += 61) bytes[i] = '\n';
  return bytes;
}

}  // namespace

TEST_F(FileScanTest, EmptyFilesNeverMatchEmptyPatternsMatchAtZero) {
  EXPECT_FALSE(Search(Write("empty.txt", ""), TextQuery("")));
  EXPECT_EQ(Search(Write("one.txt", "x"), TextQuery("")), 0u);
  EXPECT_FALSE(Search((dir_ / "missing.txt").string(), TextQuery("x")));
  EXPECT_FALSE(Search(dir_.string(), TextQuery("x")));
}

TEST_P(FileScanPathsTest, FindsTheFirstMatchAcrossChunkBoundaries) {
  std::string bytes = Filler(3 * kChunk + 1000);
  // Straddles the end of the first chunk; a later copy must not win.
  bytes.replace(kChunk - 3, 6, "needle");
  bytes.replace(2 * kChunk + 5, 6, "needle");
  bytes.replace(bytes.size() - 4, 4, "tail");
  const std::string path = Write("big.bin", bytes);
  EXPECT_EQ(Search(path, TextQuery("needle")), kChunk - 3);
  // Longer than a sector: covers the overlap of two reads and more.
  std::string longWord(3000, 'q');
  longWord.back() = 'z';
  bytes.replace(2 * kChunk - 1500, longWord.size(), longWord);
  EXPECT_EQ(Search(Write("long.bin", bytes), TextQuery(longWord)), 2 * kChunk - 1500);
  // Runs into the end of the file: no match.
  EXPECT_FALSE(Search(Write("end.bin", bytes.substr(0, 2 * kChunk)), TextQuery(longWord)));
  // The last bytes of the file.
  EXPECT_EQ(Search(path, TextQuery("tail")), bytes.size() - 4);
  EXPECT_FALSE(Search(path, TextQuery("tail.")));
}

TEST_P(FileScanPathsTest, HitsPastTwoGibibytesKeepTheirWholeOffset) {
  const std::uint64_t at = (std::uint64_t{1} << 31) + 5;
  const stdfs::path path = dir_ / "sparse.bin";
  {
    std::ofstream out(path, std::ios::binary);
    out.seekp(static_cast<std::streamoff>(at));
    out.write("needle", 6);
  }
  ASSERT_EQ(stdfs::file_size(path), at + 6);
  EXPECT_EQ(Search(path.string(), TextQuery("needle")), at);
}

TEST_P(FileScanPathsTest, CancelBeforeAReadGivesNoHit) {
  std::string large = Filler(2 * kChunk + 10);
  large.replace(large.size() - 3, 3, "abc");
  const std::pair<std::string, std::uint64_t> files[] = {
      {Write("a.txt", "abc"), 0}, {Write("large.txt", large), large.size() - 3}};
  for (const auto& [path, at] : files) {
    cancel_ = true;
    EXPECT_FALSE(Search(path, TextQuery("abc")));
    cancel_ = false;
    EXPECT_EQ(Search(path, TextQuery("abc")), at);
  }
}

// Files handed over by a walk are opened by name in the listed folder: same
// answers as by path.
TEST_P(FileScanPathsTest, ListedFilesReadAsTheirPaths) {
  std::string big = Filler(2 * kChunk + 100);
  big.replace(2 * kChunk + 50, 6, "needle");
  Write("big.txt", big);
  Write("small.txt", "..needle");
  Write("empty.txt", "");
  Write("none.txt", "needl");
  const std::string folder = dir_.string() + "/";
  trovex::fs::DirectoryListing listing(folder, trovex::fs::ListingDetail::NamesAndKinds);
  trovex::fs::DirEntry entry;
  int files = 0;
  while (listing.Next(entry)) {
    if (entry.isDirectory) continue;
    ++files;
    const trovex::fs::ListedFile listed{listing.FolderHandle(), entry.name.c_str(), !entry.isLink};
    const std::string path = folder + entry.name;
    EXPECT_EQ(SearchFile(path, TextQuery("needle"), {}, state_, cancel_, listed),
              Search(path, TextQuery("needle")))
        << entry.name;
  }
  EXPECT_EQ(files, 4);
  EXPECT_EQ(Search(folder + "big.txt", TextQuery("needle")), 2 * kChunk + 50);
}

// A name listed as a plain file that has since become a folder or (POSIX) a FIFO
// is unreadable: no hit, and no wait on the FIFO.
TEST_F(FileScanTest, ListedFileThatChangedKindIsUnreadable) {
  stdfs::create_directory(dir_ / "was-file");
  std::vector<std::string> names{"was-file"};
#ifndef _WIN32
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  names.push_back("fifo");
#endif
  trovex::fs::DirectoryListing listing(dir_.string() + "/");
  for (const std::string& name : names) {
    const trovex::fs::ListedFile listed{listing.FolderHandle(), name.c_str(), true};
    EXPECT_FALSE(SearchFile((dir_ / name).string(), TextQuery("x"), {}, state_, cancel_, listed))
        << name;
  }
}

TEST_F(FileScanTest, DocFilesAreSearchedInUtf16UnlessTheTextIsAlphanumeric) {
  SearchQuery query = TextQuery("\x83\x65\x83\x58\x83\x67");  // テスト
  query.widePattern = std::string("\xC6\x30\xB9\x30\xC8\x30", 6);
  query.wideLength = 6;
  const std::string wide = std::string("xx\xC6\x30\xB9\x30\r\0\xC8\x30", 10);
  EXPECT_EQ(Search(Write("a.DOC", wide), query), std::nullopt);
  MatchOptions skip;
  skip.skipLineBreaks = true;
  EXPECT_EQ(Search(Write("b.doc", wide), query, skip), 2u);
  // Not a .doc: the Shift-JIS bytes.
  EXPECT_FALSE(Search(Write("c.txt", wide), query, skip));
  // Letters and digits only: the narrow pattern, also in a .doc.
  SearchQuery abc = TextQuery("abc");
  abc.widePattern = std::string("a\0b\0c\0", 6);
  abc.wideLength = 6;
  EXPECT_EQ(Search(Write("d.doc", "zzabc"), abc), 2u);
}

TEST_F(FileScanTest, RtfFilesAreSearchedInTheirWholeReducedText) {
  EXPECT_EQ(Search(Write("a.RTF", "{\\rtf1 Hello}"), TextQuery("Hello")), 1u);
  // Markup that is not text: no match in the reduction.
  EXPECT_FALSE(Search(Write("b.rtf", "{\\rtf1 Hello}"), TextQuery("rtf1")));
  // Text far past the first read is found; the offset counts reduced bytes.
  std::string rtf = "{\\rtf1 ";
  rtf += std::string(3 * kChunk, 'a');
  rtf += "\\par needle}";
  EXPECT_EQ(Search(Write("c.rtf", rtf), TextQuery("needle")), 1 + 3 * kChunk + 1);
  // Reduction stops at the first zero byte of the file.
  EXPECT_FALSE(
      Search(Write("d.rtf", std::string("{\\rtf1 ab\0 needle}", 18)), TextQuery("needle")));
}

TEST_F(FileScanTest, NumbersModeComparesExactly) {
  SearchQuery query = TextQuery(std::string("\x00\x0D\x0A\x41", 4));
  query.mode = SearchMode::Numbers;
  MatchOptions loose;
  loose.skipLineBreaks = true;
  const std::string path = Write("n.bin", std::string("\x00\x0D\x0A\x61\x00\x0D\x0A\x41", 8));
  EXPECT_EQ(Search(path, query, loose), 4u);
}

#ifndef _WIN32
namespace {

// Runs `scan` on a thread; should it not end within `limit` it is stopped
// through `cancel` (a read loop stops before its next read) and counts as stuck.
struct BoundedScan {
  bool ended = false;
  std::optional<std::uint64_t> hit;
};

BoundedScan ScanWithin(const std::function<std::optional<std::uint64_t>()>& scan,
                       std::atomic<bool>& cancel, std::chrono::seconds limit) {
  auto result = std::async(std::launch::async, scan);
  BoundedScan bounded;
  bounded.ended = result.wait_for(limit) == std::future_status::ready;
  if (!bounded.ended) cancel = true;
  bounded.hit = result.get();
  cancel = false;
  return bounded;
}

trovex::fs::ListedFile ListedAs(const trovex::fs::DirectoryListing& listing,
                                const trovex::fs::DirEntry& entry) {
  return {listing.FolderHandle(), entry.name.c_str(), !entry.isLink};
}

}  // namespace

// A name listed as a plain file, replaced by a link before it is opened: the link
// is not followed, neither to /dev/zero (which reads without end) nor to a file.
// A name that was a link when listed is followed, but never into a device.
TEST_F(FileScanTest, ALinkPutInPlaceOfAListedFileIsNotFollowed) {
  const std::string path = Write("f.txt", "needle");
  Write("other.txt", "..needle");
  const std::string folder = dir_.string() + "/";
  trovex::fs::DirectoryListing listing(folder, trovex::fs::ListingDetail::NamesAndKinds);
  trovex::fs::DirEntry entry;
  while (listing.Next(entry) && entry.name != "f.txt") {
  }
  ASSERT_EQ(entry.name, "f.txt");
  ASSERT_FALSE(entry.isLink);
  const trovex::fs::ListedFile listed = ListedAs(listing, entry);
  for (const std::string& target : {std::string("/dev/zero"), (dir_ / "other.txt").string()}) {
    stdfs::remove(path);
    stdfs::create_symlink(target, path);
    const BoundedScan scan = ScanWithin(
        [&] { return SearchFile(path, TextQuery("needle"), {}, state_, cancel_, listed); }, cancel_,
        std::chrono::seconds(20));
    EXPECT_TRUE(scan.ended) << target;
    EXPECT_FALSE(scan.hit) << target;
  }
  // Listed as the link it now is: followed to the plain file.
  trovex::fs::DirectoryListing again(folder, trovex::fs::ListingDetail::Full);
  while (again.Next(entry) && entry.name != "f.txt") {
  }
  ASSERT_TRUE(entry.isLink);
  EXPECT_TRUE(entry.isRegularFile);
  EXPECT_EQ(SearchFile(path, TextQuery("needle"), {}, state_, cancel_, ListedAs(again, entry)), 2u);
  // The same link turned to /dev/zero: what was opened is no regular file.
  stdfs::remove(path);
  stdfs::create_symlink("/dev/zero", path);
  const BoundedScan scan = ScanWithin(
      [&] { return SearchFile(path, TextQuery("x"), {}, state_, cancel_, ListedAs(again, entry)); },
      cancel_, std::chrono::seconds(20));
  EXPECT_TRUE(scan.ended);
  EXPECT_FALSE(scan.hit);
}

// The race itself: the file is swapped with a link to /dev/zero over and over
// while it is listed and scanned. Every scan ends, and a hit is the plain file's.
TEST_F(FileScanTest, ScansEndWhileTheFileIsSwappedWithALinkToDevZero) {
  const std::string path = Write("f.txt", "..needle");
  const std::string link = (dir_ / "link.tmp").string();
  const std::string plain = (dir_ / "plain.tmp").string();
  std::atomic<bool> stop{false};
  std::thread swapper([&] {
    while (!stop) {
      stdfs::remove(link);
      if (symlink("/dev/zero", link.c_str()) == 0) rename(link.c_str(), path.c_str());
      std::ofstream(plain, std::ios::binary) << "..needle";
      rename(plain.c_str(), path.c_str());
    }
  });
  int scans = 0, stuck = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (std::chrono::steady_clock::now() < until && stuck == 0) {
    trovex::fs::DirectoryListing listing(dir_.string() + "/",
                                         trovex::fs::ListingDetail::NamesAndKinds);
    trovex::fs::DirEntry entry;
    while (listing.Next(entry)) {
      if (entry.name != "f.txt") continue;
      const trovex::fs::ListedFile listed = ListedAs(listing, entry);
      for (const bool byListing : {true, false}) {
        const BoundedScan scan = ScanWithin(
            [&] {
              return byListing ? SearchFile(path, TextQuery("needle"), {}, state_, cancel_, listed)
                               : SearchFile(path, TextQuery("needle"), {}, state_, cancel_);
            },
            cancel_, std::chrono::seconds(20));
        ++scans;
        if (!scan.ended) ++stuck;
        if (scan.hit) {
          EXPECT_EQ(*scan.hit, 2u);
        }
      }
    }
  }
  stop = true;
  swapper.join();
  EXPECT_EQ(stuck, 0);
  EXPECT_GT(scans, 20);
}

// By default a file bypasses the cache from a sixteenth of the memory on (at least
// 64 MiB), as far as its volume lets
// every file do so; a smaller one is read through the cache.
TEST_F(FileScanTest, OnlyLargeFilesBypassTheCacheByDefault) {
  const stdfs::path large = dir_ / "large.bin";
  {
    std::ofstream out(large, std::ios::binary);
    out.seekp(static_cast<std::streamoff>(trovex::fs::BypassCacheFrom() - 1));
    out.put('x');
  }
  const std::string small = Write("small.bin", std::string(4096, 'a'));
  using trovex::fs::CacheUse;
  trovex::fs::SequentialReader reader;
  ASSERT_TRUE(reader.Open(large.string(), 512, CacheUse::Bypass));
  const bool volumeBypasses = reader.Unbuffered();
  ASSERT_TRUE(reader.Open(large.string(), 512, CacheUse::BypassLarge));
  EXPECT_EQ(reader.Unbuffered(), volumeBypasses);
  ASSERT_TRUE(reader.Open(small, 512, CacheUse::BypassLarge));
  EXPECT_FALSE(reader.Unbuffered());
  ASSERT_TRUE(reader.Open(large.string(), 512, CacheUse::Through));
  EXPECT_FALSE(reader.Unbuffered());
  // A file switched to direct reads after opening reads the same bytes as through the
  // cache, to its last partial sector.
  std::string bytes = Filler(3 * kChunk + 100);
  bytes.replace(bytes.size() - 4, 4, "tail");
  const std::string three = Write("three.bin", bytes);
  trovex::fs::AlignedBuffer buffer;
  ASSERT_TRUE(buffer.Allocate(kChunk + 512, 512));
  std::string read[2];
  for (CacheUse use : {CacheUse::BypassLarge, CacheUse::Through}) {
    reader.SetBypassFrom(kChunk);
    ASSERT_TRUE(reader.Open(three, 512, use));
    EXPECT_EQ(reader.Unbuffered(), use == CacheUse::BypassLarge && volumeBypasses);
    std::string& out = read[use == CacheUse::Through];
    for (;;) {
      const std::uint64_t at = reader.Position();
      const auto got = reader.ReadNext(buffer.data());
      ASSERT_TRUE(got);
      if (*got == 0) break;
      out.resize(static_cast<std::size_t>(at));  // each read repeats the last sector
      out.append(buffer.data(), *got);
    }
  }
  EXPECT_EQ(read[0], bytes);
  EXPECT_EQ(read[1], bytes);
  using trovex::fs::BypassCacheFromMemory;
  EXPECT_EQ(BypassCacheFromMemory(std::uint64_t{16} << 30), std::uint64_t{1} << 30);
  EXPECT_EQ(BypassCacheFromMemory(std::uint64_t{512} << 20), std::uint64_t{64} << 20);
  EXPECT_EQ(BypassCacheFromMemory(0), std::uint64_t{64} << 20);  // the system did not say
}

// Reads end at the size the file had when it was opened: a file that grows while
// it is read ends, and a pseudo file of size 0 (which would read on for hundreds
// of gibibytes) reads nothing.
TEST_F(FileScanTest, ReadsEndAtTheSizeWhenOpened) {
  const std::string path = Write("growing.bin", std::string(1000, 'a'));
  trovex::fs::AlignedBuffer buffer;
  ASSERT_TRUE(buffer.Allocate(kChunk + 512, 512));
  char* const area = buffer.data();
  trovex::fs::SequentialReader reader;
  ASSERT_TRUE(reader.Open(path, 512, false));
  EXPECT_EQ(reader.Size(), 1000u);
  { std::ofstream(path, std::ios::binary | std::ios::app) << std::string(3 * kChunk, 'b'); }
  std::uint64_t total = 0;
  for (int reads = 0; reads < 10; ++reads) {
    const auto got = reader.ReadNext(area);
    ASSERT_TRUE(got);
    if (*got == 0) break;
    total += *got;
  }
  EXPECT_EQ(total, 1000u);
  EXPECT_EQ(std::string(area, 1000), std::string(1000, 'a'));

  ASSERT_TRUE(reader.Open("/proc/self/pagemap", 512, false));
  EXPECT_EQ(reader.Size(), 0u);
  EXPECT_EQ(reader.ReadNext(area), std::optional<std::size_t>(0));
  // Opened by the scan: nothing, and at once.
  const BoundedScan scan = ScanWithin(
      [&] { return SearchFile("/proc/self/pagemap", TextQuery(""), {}, state_, cancel_); }, cancel_,
      std::chrono::seconds(20));
  EXPECT_TRUE(scan.ended);
  EXPECT_FALSE(scan.hit);
}
#endif

namespace {

// Random RTF markup and text without the letter n, so that "needle" is only where
// a test puts it; no zero bytes.
std::string RandomRtfBody(std::mt19937& random, std::size_t length) {
  static const char* const pieces[] = {"{",     "}",      "\\b ",  "\\b0", "\\'82\\'a0",
                                       "\\'zz", "ab",     " ",     "  ",   "\r\n",
                                       "x y",   "\\par ", "\\'20", "\\\\", "'"};
  std::string text = "{\\rtf1 ";
  while (text.size() < length) text += pieces[random() % std::size(pieces)];
  return text;
}

}  // namespace

// A large ".rtf" is reduced read by read: hits and offsets are those of the whole
// file's reduction, also where escapes, control words and the hit itself straddle
// the ends of reads.
TEST_F(FileScanTest, RtfReducedReadByReadFindsWhatTheWholeReductionHolds) {
  std::mt19937 random(1906);
  MatchOptions exact;
  exact.caseSensitive = true;
  // "needle" spelled with escapes inside, and a near miss before it.
  const char* const spellings[] = {"\\'6e\\'65edle", "\\'6e\\'65\\'65\\'64\\'6c\\'65", "nee\\'64le",
                                   "needl\\'65", "needle"};
  int roundsWithHit = 0;
  for (int round = 0; round < 12; ++round) {
    std::string rtf = RandomRtfBody(random, 2 * kChunk + random() % kChunk);
    const std::size_t border = (1 + round % 2) * kChunk;  // where one read's new bytes end
    const std::string spelling = std::string(" x ") + spellings[round % std::size(spellings)];
    if (round % 6 != 5) {
      const std::size_t at = border - random() % (spelling.size() + 2);
      rtf.replace(at, spelling.size(), spelling);
      rtf.replace(at - 40, 7, "needl }");
    }
    if (round == 11) rtf.insert(border / 2, 1, '\0');  // the reduction ends there
    const std::string reduced = RtfToText(rtf.substr(0, rtf.find('\0')));
    const std::size_t found = reduced.find("needle");
    const std::optional<std::uint64_t> expected =
        found == std::string::npos ? std::nullopt : std::optional<std::uint64_t>(found);
    if (expected) ++roundsWithHit;
    EXPECT_EQ(Search(Write("r" + std::to_string(round) + ".rtf", rtf), TextQuery("needle"), exact),
              expected)
        << "round " << round;
  }
  EXPECT_GE(roundsWithHit, 8);
}
