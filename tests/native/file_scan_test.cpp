#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/fs/dir_listing.h"
#include "search/file_scan.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace trovex::search;
namespace stdfs = std::filesystem;

namespace {

constexpr std::size_t kChunk = 512 * 1024;  // 512-byte sectors (both test systems)

class FileScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = stdfs::temp_directory_path() /
           ("trovex-scan-" + std::to_string(std::random_device{}()));
    stdfs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    stdfs::remove_all(dir_, ignored);
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const stdfs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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

// The tests that hold for both ways of reading a file: unbuffered where the
// volume allows, and through the cache (readThroughCache).
class FileScanPathsTest : public FileScanTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    FileScanTest::SetUp();
    state_.readThroughCache = GetParam();
  }
};

INSTANTIATE_TEST_SUITE_P(ReadPaths, FileScanPathsTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Cached" : "Unbuffered"; });

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
  const std::pair<std::string, std::uint64_t> files[] = {{Write("a.txt", "abc"), 0},
                                                         {Write("large.txt", large), large.size() - 3}};
  for (const auto& [path, at] : files) {
    cancel_ = true;
    EXPECT_FALSE(Search(path, TextQuery("abc")));
    cancel_ = false;
    EXPECT_EQ(Search(path, TextQuery("abc")), at);
  }
}

// Files handed over by a walk are opened by name in the listed folder and, when
// listed as plain files, read without asking their kind: same answers as by path.
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
    const trovex::fs::ListedFile listed{listing.FolderHandle(), entry.name.c_str(), entry.isRegularFile};
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
    EXPECT_FALSE(SearchFile((dir_ / name).string(), TextQuery("x"), {}, state_, cancel_, listed)) << name;
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
  EXPECT_FALSE(Search(Write("d.rtf", std::string("{\\rtf1 ab\0 needle}", 18)), TextQuery("needle")));
}

TEST_F(FileScanTest, NumbersModeComparesExactly) {
  SearchQuery query = TextQuery(std::string("\x00\x0D\x0A\x41", 4));
  query.mode = SearchMode::Numbers;
  MatchOptions loose;
  loose.skipLineBreaks = true;
  const std::string path = Write("n.bin", std::string("\x00\x0D\x0A\x61\x00\x0D\x0A\x41", 8));
  EXPECT_EQ(Search(path, query, loose), 4u);
}
