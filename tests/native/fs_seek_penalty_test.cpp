#include <gtest/gtest.h>

#ifndef _WIN32
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "platform/fs/seek_penalty.h"
#include "walk_test_tree.h"

using namespace trovex::fs;
using trovex::testing::WalkTestTree;

// A block device's folder as /sys shows it: a disk with its queue, a partition
// inside it without one.
TEST(SeekPenalty, ReadFromTheDeviceOrItsDisksQueue) {
  WalkTestTree sys;
  sys.File("spinning/queue/rotational", "1\n");
  sys.Folder("spinning/spinning1");
  sys.File("solid/queue/rotational", "0\n");
  sys.Folder("solid/solid2");
  sys.File("odd/queue/rotational", "yes\n");
  sys.Folder("none");
  EXPECT_EQ(RotationalOfBlockFolder(sys.PathOf("spinning")), true);
  EXPECT_EQ(RotationalOfBlockFolder(sys.PathOf("spinning/spinning1")), true);
  EXPECT_EQ(RotationalOfBlockFolder(sys.PathOf("solid")), false);
  EXPECT_EQ(RotationalOfBlockFolder(sys.PathOf("solid/solid2")), false);
  EXPECT_EQ(RotationalOfBlockFolder(sys.PathOf("odd")), std::nullopt);
  EXPECT_EQ(RotationalOfBlockFolder(sys.PathOf("none")), std::nullopt);
}

TEST(SeekPenalty, AMissingPathHasNoAnswerAndARealOneAgreesWithSys) {
  WalkTestTree tree;
  EXPECT_EQ(HasSeekPenalty(tree.PathOf("missing")), std::nullopt);
  // Whatever the machine's disk, the answer is the device's own flag.
  struct stat info {};
  ASSERT_EQ(stat(tree.Root().c_str(), &info), 0);
  std::ifstream flag("/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                     std::to_string(minor(info.st_dev)) + "/queue/rotational");
  int value = -1;
  if (flag >> value) {
    EXPECT_EQ(HasSeekPenalty(tree.Root()), value == 1);
  }
}
#endif
