#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "search/rtf_stream.h"
#include "search/rtf_to_text.h"

using namespace trovex::search;

namespace {

// RTF-like text rich in what the reduction reacts to: braces, control words,
// escapes (good, bad and cut short), spaces, line breaks and, rarely, zero bytes.
std::string RandomRtf(std::mt19937& random, std::size_t length) {
  static const std::vector<std::string> pieces = {
      "{",         "}",         "\\",        "\\'",    "\\'82",
      "\\'a0",     "\\'Zq",     "\\'8",      "\\par ", "\\b0",
      " ",         "  ",        "\r\n",      "text",   "x",
      "'",         "\\\\",      "{\\rtf1 ",  "\\'00",  std::string(1, '\0'),
      "\x82\xa0",  "\\u12354",  "\\u-3 ",    "\\u",    "\\uc2",
      "\\uc0 ",    "\\u65535 ", "\\u123456", "\\u-",   "?",
      "\\u30\\'3f"};
  std::string text;
  while (text.size() < length) {
    const std::size_t pick = random() % pieces.size();
    // Zero bytes stay rare so that most texts reduce to their end.
    if ((pieces[pick] == std::string(1, '\0') || pieces[pick] == "\\'00") && random() % 8 != 0)
      continue;
    text += pieces[pick];
  }
  return text;
}

std::string ReduceInPieces(const std::string& text, const std::vector<std::size_t>& cuts) {
  RtfStreamReducer reducer;
  std::string out;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    reducer.Feed(std::string_view(text).substr(from, cut - from), out);
    from = cut;
  }
  reducer.Feed(std::string_view(text).substr(from), out);
  reducer.Finish(out);
  return out;
}

}  // namespace

// Whatever the cuts, the pieces reduce to what the whole text reduces to.
TEST(RtfStream, PiecesReduceLikeTheWholeText) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomRtf(random, 1 + random() % 80);
    std::vector<std::size_t> cuts;
    for (std::size_t at = 0; at <= text.size(); at += random() % 5) {
      cuts.push_back(at);
      if (random() % 3 == 0) cuts.push_back(at);  // empty pieces too
    }
    ASSERT_EQ(ReduceInPieces(text, cuts), RtfToText(text)) << "round " << round;
  }
}

// Every single cut place of a few texts that end in the middle of markup.
TEST(RtfStream, EveryCutOfTextsEndingInMarkup) {
  const std::string texts[] = {"{\\rtf1 a\\'82\\'a0b}", "ab\\'8", "ab\\'",   "ab\\", "x\\'41",
                               "{\\b bold} plain",      "a{",     "ab\\'41c"};
  for (const std::string& text : texts) {
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      EXPECT_EQ(ReduceInPieces(text, {cut}), RtfToText(text)) << text << " cut at " << cut;
    }
    // One byte at a time.
    std::vector<std::size_t> each;
    for (std::size_t at = 1; at < text.size(); ++at) each.push_back(at);
    EXPECT_EQ(ReduceInPieces(text, each), RtfToText(text)) << text;
  }
  EXPECT_EQ(ReduceInPieces("{\\rtf1 Hello}", {3, 7}), " Hello");
}

TEST(RtfStream, ZeroEndsTheResultAndResetStartsAgain) {
  RtfStreamReducer reducer;
  std::string out;
  reducer.Feed("ab\\'00cd and more", out);
  EXPECT_TRUE(reducer.Done());
  reducer.Feed("ef", out);
  reducer.Finish(out);
  EXPECT_EQ(out, "ab");
  reducer.Reset();
  out.clear();
  reducer.Feed("{\\b x} yz", out);
  EXPECT_FALSE(reducer.Done());
  reducer.Finish(out);
  EXPECT_EQ(out, RtfToText("{\\b x} yz"));
}
