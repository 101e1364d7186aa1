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

// A hypervisor's disk claims to spin but is read in parallel: its driver or its
// vendor says what it is, for the disk and for a partition in it.
TEST(SeekPenalty, AVirtualDiskHasNone) {
  WalkTestTree sys;
  sys.File("vda/queue/rotational", "1\n");
  sys.Folder("vda/vda1");
  sys.Folder("bus/virtio/drivers/virtio_blk");
  sys.Folder("vda/device");
  std::filesystem::create_directory_symlink(sys.PathOf("bus/virtio/drivers/virtio_blk"),
                                            sys.PathOf("vda/device/driver").c_str());
  sys.File("sda/queue/rotational", "1\n");
  sys.File("sda/device/vendor", "QEMU    \n");
  sys.Folder("sda/device/driver");  // "sd": a SCSI disk, named by its vendor
  sys.File("sdb/queue/rotational", "1\n");
  sys.File("sdb/device/vendor", "ATA     \n");
  sys.File("ssd/queue/rotational", "0\n");
  sys.File("ssd/device/vendor", "QEMU\n");
  sys.File("sdc/queue/rotational", "1\n");  // an emulated SATA disk: vendor "ATA"
  sys.File("sdc/device/vendor", "ATA     \n");
  sys.File("sdc/device/model", "VBOX HARDDISK   \n");
  // LVM on the virtio disk, and on the virtio and the ATA disk.
  sys.File("dm-0/queue/rotational", "1\n");
  sys.Folder("dm-0/slaves");
  std::filesystem::create_directory_symlink(sys.PathOf("vda/vda1"),
                                            sys.PathOf("dm-0/slaves/vda1").c_str());
  sys.File("dm-1/queue/rotational", "1\n");
  sys.Folder("dm-1/slaves");
  std::filesystem::create_directory_symlink(sys.PathOf("vda"),
                                            sys.PathOf("dm-1/slaves/vda").c_str());
  std::filesystem::create_directory_symlink(sys.PathOf("sdb"),
                                            sys.PathOf("dm-1/slaves/sdb").c_str());
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("vda")), false);
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("vda/vda1")), false);
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("sda")), false);
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("sdb")), true);
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("ssd")), false);
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("sdc")), false);
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("dm-0")), false);
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("dm-1")), true);
  EXPECT_EQ(SeekPenaltyOfBlockFolder(sys.PathOf("missing")), std::nullopt);
  EXPECT_TRUE(IsVirtualDiskVendor("VMware, "));
  EXPECT_TRUE(IsVirtualDiskVendor("Msft    "));
  EXPECT_FALSE(IsVirtualDiskVendor("QEMUX"));
  EXPECT_FALSE(IsVirtualDiskVendor(""));
  EXPECT_TRUE(IsVirtualDiskModel("QEMU HARDDISK   "));
  EXPECT_FALSE(IsVirtualDiskModel("WDC WD40EFRX-68N"));
}

TEST(SeekPenalty, AMissingPathHasNoAnswerAndARealOneAgreesWithSys) {
  WalkTestTree tree;
  EXPECT_EQ(HasSeekPenalty(tree.PathOf("missing")), std::nullopt);
  // Whatever the machine's disk: a solid disk has no penalty, nor has a virtio one.
  struct stat info {};
  ASSERT_EQ(stat(tree.Root().c_str(), &info), 0);
  const std::string folder = "/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                             std::to_string(minor(info.st_dev));
  std::ifstream flag(folder + "/queue/rotational");
  int value = -1;
  if (flag >> value) {
    EXPECT_TRUE(HasSeekPenalty(tree.Root()).has_value());
    if (value == 0) {
      EXPECT_EQ(HasSeekPenalty(tree.Root()), false);
    }
    std::error_code error;
    const auto driver = std::filesystem::read_symlink(folder + "/device/driver", error);
    if (!error && driver.filename() == "virtio_blk") {
      EXPECT_EQ(HasSeekPenalty(tree.Root()), false);
    }
  }
}
#endif
