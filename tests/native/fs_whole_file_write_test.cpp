#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/fs/read_at.h"
#include "platform/fs/whole_file_write.h"
#include "walk_test_tree.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

using namespace trovex;
using trovex::testing::WalkTestTree;

namespace {

// The names in the folder, to see that no temporary file stays behind.
std::size_t EntriesIn(const std::string& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

}  // namespace

TEST(WholeFileWrite, ReplaceCreatesAndReplacesLeavingNothingBeside) {
  WalkTestTree tree;
  const std::string path = tree.PathOf("h.txd");
  ASSERT_TRUE(fs::ReplaceWholeFile(path, "first"));
  EXPECT_EQ(fs::ReadAllBytes(path), "first");
  ASSERT_TRUE(fs::ReplaceWholeFile(path, std::string("a\0b\r\n", 5)));
  EXPECT_EQ(fs::ReadAllBytes(path), std::string("a\0b\r\n", 5));
  ASSERT_TRUE(fs::ReplaceWholeFile(path, ""));
  EXPECT_EQ(fs::ReadAllBytes(path), "");
  EXPECT_EQ(EntriesIn(tree.Root()), 1u);
  EXPECT_FALSE(fs::ReplaceWholeFile(tree.PathOf("missing/h.txd"), "x"));
}

TEST(WholeFileWrite, NewFileNeverReplacesWhatExists) {
  WalkTestTree tree;
  const std::string path = tree.PathOf("20261207 125300.txd");
  EXPECT_EQ(fs::WriteNewWholeFile(path, "one"), fs::NewFileOutcome::Written);
  EXPECT_EQ(fs::WriteNewWholeFile(path, "two"), fs::NewFileOutcome::AlreadyExists);
  EXPECT_EQ(fs::ReadAllBytes(path), "one");
  tree.Folder("taken");
  EXPECT_EQ(fs::WriteNewWholeFile(tree.PathOf("taken"), "x"), fs::NewFileOutcome::AlreadyExists);
  EXPECT_EQ(fs::WriteNewWholeFile(tree.PathOf("missing/x.txd"), "x"), fs::NewFileOutcome::Failed);
  EXPECT_EQ(EntriesIn(tree.Root()), 2u);
}

TEST(WholeFileWrite, FolderPathMadeWithEveryParent) {
  WalkTestTree tree;
  EXPECT_TRUE(fs::CreateFolderPath(tree.PathOf("a/b/c")));
  EXPECT_TRUE(std::filesystem::is_directory(tree.PathOf("a/b/c")));
  EXPECT_TRUE(fs::CreateFolderPath(tree.PathOf("a/b/c/")));  // exists already
  tree.File("file", "x");
  EXPECT_FALSE(fs::CreateFolderPath(tree.PathOf("file")));
  EXPECT_FALSE(fs::CreateFolderPath(tree.PathOf("file/under")));
}

#ifdef _WIN32
// A target another program holds open without sharing cannot be replaced: the
// old bytes stay and the new file is removed again.
TEST(WholeFileWrite, FailedReplaceLeavesTheOldFileWhole) {
  WalkTestTree tree;
  const std::string path = tree.PathOf("h.txd");
  ASSERT_TRUE(fs::ReplaceWholeFile(path, "old content"));
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(fs::ReplaceWholeFile(path, "new content"));
  CloseHandle(held);
  EXPECT_EQ(fs::ReadAllBytes(path), "old content");
  EXPECT_EQ(EntriesIn(tree.Root()), 1u);
}
#else
// A write that fails halfway (here: past the process's file size limit, which
// holds for root as well) leaves the old file whole and nothing beside it.
TEST(WholeFileWrite, FailedReplaceLeavesTheOldFileWhole) {
  WalkTestTree tree;
  const std::string path = tree.PathOf("h.txd");
  const std::string old(100, 'o');
  ASSERT_TRUE(fs::ReplaceWholeFile(path, old));

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 10;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool replaced = fs::ReplaceWholeFile(path, std::string(1000, 'n'));
  const fs::NewFileOutcome created =
      fs::WriteNewWholeFile(tree.PathOf("new.txd"), std::string(1000, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(replaced);
  EXPECT_EQ(created, fs::NewFileOutcome::Failed);
  EXPECT_EQ(fs::ReadAllBytes(path), old);
  EXPECT_EQ(EntriesIn(tree.Root()), 1u);
}
#endif
