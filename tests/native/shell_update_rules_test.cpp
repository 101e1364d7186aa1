#include "shell/update_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace trovex::shell {
namespace {

constexpr const char* kPrefix = "TrovexBeta_Up";

TEST(UpdateRules, PagePathTrimsTheFolderAndKeepsOneBlankAsNoFolder) {
  EXPECT_EQ(UpdatePagePath("DownLoadHtml", "UpdateFilePageFree.html"),
            "DownLoadHtml/UpdateFilePageFree.html");
  EXPECT_EQ(UpdatePagePath("  DownLoadHtml ", "p.html"), "DownLoadHtml/p.html");
  EXPECT_EQ(UpdatePagePath(" ", "p.html"), "p.html");
  EXPECT_EQ(UpdatePagePath("", "p.html"), "/p.html");
  EXPECT_EQ(UpdatePagePath("  ", "p.html"), "/p.html");  // trimmed to nothing
  EXPECT_EQ(ArchivePath("UpdateFile", "TrovexBeta_Up1132.zip"), "UpdateFile/TrovexBeta_Up1132.zip");
}

TEST(UpdateRules, ServerAddressIsRefusedBeyond255Characters) {
  const std::string base = "https://example.invalid/";
  EXPECT_EQ(ServerAddress(base, "a/b.html"), base + "a/b.html");
  EXPECT_TRUE(ServerAddress(base, std::string(255 - base.size(), 'x')).has_value());
  EXPECT_FALSE(ServerAddress(base, std::string(256 - base.size(), 'x')).has_value());
}

TEST(UpdateRules, ArchiveIsTheFirstPrefixFollowedByFourCharactersAndZip) {
  auto found = FindUpdateArchive("<a href=\"UpdateFile/TrovexBeta_Up1132.ZIP\">", kPrefix);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->name, "TrovexBeta_Up1132.ZIP");  // as it stands on the page
  EXPECT_EQ(found->version, "1132");

  // The name in running text, then a real one: the search goes on past the first.
  found = FindUpdateArchive("See TrovexBeta_Up for details. TrovexBeta_Up1131.zip", kPrefix);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->name, "TrovexBeta_Up1131.zip");

  // A zero byte before the name does not end the page.
  const std::string withZero = std::string("head\0er ", 8) + "TrovexBeta_Up1133.zip";
  found = FindUpdateArchive(withZero, kPrefix);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->version, "1133");
}

TEST(UpdateRules, NoArchiveWithoutAZipNameAfterThePrefix) {
  EXPECT_FALSE(FindUpdateArchive("no archive here", kPrefix));
  EXPECT_FALSE(FindUpdateArchive("TrovexBeta_Up1132.exe", kPrefix));
  EXPECT_FALSE(FindUpdateArchive("TrovexBeta_Up1132.zi", kPrefix));  // page ends early
  EXPECT_FALSE(FindUpdateArchive("TrovexBeta_Up1132.zip", ""));
  EXPECT_FALSE(FindUpdateArchive("", kPrefix));
}

TEST(UpdateRules, UnsafeArchiveNamesAreRefused) {
  EXPECT_TRUE(IsSafeArchiveName("TrovexBeta_Up1132.zip"));
  EXPECT_TRUE(IsSafeArchiveName("TrovexBeta_Up1132.ZIP"));
  for (const char* bad :
       {"TrovexBeta_Up/../.zip", "TrovexBeta_Up..\\a.zip", "TrovexBeta_Upc:12.zip",
        "TrovexBeta_Up1*32.zip", "TrovexBeta_Up1?32.zip", "TrovexBeta_Up\"132.zip",
        "TrovexBeta_Up<132.zip", "TrovexBeta_Up|132.zip", "TrovexBeta_Up\t132.zip",
        "TrovexBeta_Up\x7f"
        "132.zip",
        "TrovexBeta_Up\x95\x5c"
        "32.zip",
        "", ".."}) {
    EXPECT_FALSE(IsSafeArchiveName(bad)) << bad;
  }
}

TEST(UpdateRules, DownloadIsOfferedForANewerVersionOrWithoutTheCheck) {
  EXPECT_TRUE(OffersDownload("1131", "1132", false));
  EXPECT_FALSE(OffersDownload("1131", "1131", false));
  EXPECT_FALSE(OffersDownload("1131", "1130", false));
  EXPECT_TRUE(OffersDownload("1131", "1130", true));
  EXPECT_TRUE(OffersDownload("1131", "1131", true));
  // Byte-wise: a letter sorts after a digit, a high byte after both.
  EXPECT_TRUE(OffersDownload("1131", "113a", false));
  EXPECT_TRUE(OffersDownload("113z", "113\x81", false));
}

TEST(UpdateRules, ChunkAndProgressArithmetic) {
  EXPECT_EQ(DownloadChunkSize(0), 1024u);  // nothing reported: the designed chunk
  EXPECT_EQ(DownloadChunkSize(300), 300u);
  EXPECT_EQ(DownloadChunkSize(1024), 1024u);
  EXPECT_EQ(DownloadChunkSize(5000000000ull), 1024u);
  EXPECT_EQ(ProgressMaximum(0, 1024), 0u);
  EXPECT_EQ(ProgressMaximum(1, 1024), 1u);
  EXPECT_EQ(ProgressMaximum(1024, 1024), 1u);
  EXPECT_EQ(ProgressMaximum(1025, 1024), 2u);
  EXPECT_EQ(ProgressMaximum(1000, 300), 4u);
  EXPECT_EQ(ProgressMaximum(2048, 0), 2u);  // no division by zero
}

TEST(UpdateRules, OnlyAWholeDownloadWithStatus200IsComplete) {
  DownloadTally whole{200, 5000, 5000, false, false};
  EXPECT_EQ(JudgeDownload(whole), DownloadEnd::Complete);
  DownloadTally empty{200, 0, 0, false, false};
  EXPECT_EQ(JudgeDownload(empty), DownloadEnd::Complete);

  DownloadTally lateClick = whole;  // 中止 clicked after the last byte
  lateClick.cancelRequested = true;
  EXPECT_EQ(JudgeDownload(lateClick), DownloadEnd::Complete);

  DownloadTally cut{200, 5000, 4096, false, false};
  EXPECT_EQ(JudgeDownload(cut), DownloadEnd::Failed);
  DownloadTally tooMuch{200, 5000, 6000, false, false};
  EXPECT_EQ(JudgeDownload(tooMuch), DownloadEnd::Failed);
  DownloadTally notFound{404, 9, 9, false, false};
  EXPECT_EQ(JudgeDownload(notFound), DownloadEnd::Failed);
  DownloadTally readError{200, 5000, 5000, true, false};
  EXPECT_EQ(JudgeDownload(readError), DownloadEnd::Failed);
  DownloadTally cancelled{200, 5000, 2048, false, true};
  EXPECT_EQ(JudgeDownload(cancelled), DownloadEnd::Cancelled);
}

TEST(UpdateRules, LogoJitterAndSwingStayInTheirRanges) {
  // JumpXY 2: draws 0 and 1 stay; JumpXY 5: 0 1 2 stay, 3 and 4 become -2 and -1.
  EXPECT_EQ(LogoJitter(0, 2), 0);
  EXPECT_EQ(LogoJitter(1, 2), 1);
  EXPECT_EQ(LogoJitter(2, 5), 2);
  EXPECT_EQ(LogoJitter(3, 5), -2);
  EXPECT_EQ(LogoJitter(4, 5), -1);

  EXPECT_EQ(LogoSwing(0, 6, 5), 1);
  EXPECT_EQ(LogoSwing(5, 9, 5), 5);  // at the maximum
  EXPECT_EQ(LogoSwing(0, 5, 5), 0);  // 5 neither grows nor shrinks
  EXPECT_EQ(LogoSwing(0, 4, 5), -1);
  EXPECT_EQ(LogoSwing(-5, 0, 5), -5);
  EXPECT_EQ(LogoSwing(10, 0, 5), 9);  // after the mouse's 10, back step by step
}

}  // namespace
}  // namespace trovex::shell
