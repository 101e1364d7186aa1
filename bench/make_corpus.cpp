// Writes the deterministic benchmark corpus: about 20,000 files and 1 GiB in
// nested folders. Sizes spread around a 10 KB median, plus a few large files;
// English text (LF), Shift-JIS text (CR LF), binary and empty files; no hidden
// files. An ASCII needle sits near the end of 1% of the files, a Shift-JIS
// needle near the end of another 1%; no other file holds either.
//
//   trovex-make-corpus [--small] FOLDER [SEED]
//
// --small leaves out the large files: the 20,000 files alone (about 330 MB).
// The same seed gives the same tree, byte for byte.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The needles the benchmark searches for (the Shift-JIS one is "検索結果" in CP932;
// none of its bytes is an ASCII letter, so case folding cannot widen it).
const std::string kAsciiNeedle = "quuxneedle42";
const std::string kSjisNeedle = "\x8C\x9F\x8D\xF5\x8C\x8B\x89\xCA";

constexpr int kFiles = 20000;
constexpr int kLargeFiles = 6;
constexpr std::uint64_t kTargetBytes = 1ull << 30;

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {  // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint64_t Below(std::uint64_t n) { return Next() % n; }
  double Unit() { return (Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Normal() {  // Box-Muller
    const double u = std::max(Unit(), 1e-300), v = Unit();
    return std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * v);
  }

 private:
  std::uint64_t state_;
};

const char* const kWords[] = {
    "the",      "of",       "and",     "to",      "in",      "is",      "that",    "for",
    "it",       "as",       "was",     "with",    "be",      "by",      "on",      "not",
    "he",       "this",     "are",     "or",      "his",     "from",    "at",      "which",
    "but",      "have",     "an",      "had",     "they",    "you",     "were",    "their",
    "one",      "all",      "we",      "can",     "her",     "has",     "there",   "been",
    "if",       "more",     "when",    "will",    "would",   "who",     "so",      "no",
    "search",   "file",     "folder",  "drive",   "window",  "result",  "history", "content",
    "pattern",  "byte",     "offset",  "sector",  "chunk",   "buffer",  "thread",  "worker",
    "progress", "counter",  "option",  "panel",   "Report",  "Data",    "System",  "Windows",
    "Program",  "Value",    "Table",   "index",   "record",  "number",  "letter",  "machine",
    "network",  "printer",  "paper",   "office",  "meeting", "project", "market",  "price",
    "order",    "customer", "invoice", "quarter", "summary", "2024",    "2025",    "June",
    "May"};

enum class Kind { English, ShiftJis, Binary, Empty };

void AppendEnglish(std::string& out, std::size_t size, Random& r) {
  std::size_t line = 0;
  while (out.size() < size) {
    const char* word = kWords[r.Below(sizeof kWords / sizeof kWords[0])];
    out += word;
    line += std::char_traits<char>::length(word) + 1;
    if (line > 70) {
      out += r.Below(4) == 0 ? ".\n" : "\n";
      line = 0;
    } else {
      out += r.Below(12) == 0 ? ", " : " ";
    }
  }
  out.resize(size);
}

// Hiragana, katakana and a band of kanji, with punctuation and CR LF line ends.
void AppendShiftJis(std::string& out, std::size_t size, Random& r) {
  std::size_t column = 0;
  while (out.size() + 2 <= size) {
    const std::uint64_t pick = r.Below(100);
    unsigned char lead, trail;
    if (pick < 40) {
      lead = 0x82, trail = static_cast<unsigned char>(0x9F + r.Below(0xF1 - 0x9F + 1));
    } else if (pick < 60) {
      lead = 0x83, trail = static_cast<unsigned char>(0x40 + r.Below(0x96 - 0x40 + 1));
      if (trail == 0x7F) trail = 0x80;
    } else if (pick < 95) {
      lead = static_cast<unsigned char>(0x88 + r.Below(8));
      trail = static_cast<unsigned char>(0x9F + r.Below(0xFC - 0x9F + 1));
    } else {
      lead = 0x81, trail = static_cast<unsigned char>(pick < 98 ? 0x41 : 0x42);  // 、 。
    }
    out += static_cast<char>(lead);
    out += static_cast<char>(trail);
    if (++column >= 38 && out.size() + 2 <= size) {
      out += "\r\n";
      column = 0;
    }
  }
  while (out.size() < size) out += ' ';
}

void AppendBinary(std::string& out, std::size_t size, Random& r) {
  while (out.size() + 8 <= size) {
    const std::uint64_t v = r.Next();
    out.append(reinterpret_cast<const char*>(&v), 8);
  }
  while (out.size() < size) out += static_cast<char>(r.Below(256));
}

std::size_t MedianSpreadSize(Random& r) {
  const double size = 10240.0 * std::exp(1.0 * r.Normal());
  return static_cast<std::size_t>(std::clamp(size, 1.0, 4.0 * 1024 * 1024));
}

}  // namespace

int main(int argc, char** argv) {
  const bool small = argc > 1 && std::string(argv[1]) == "--small";
  if (small) --argc, ++argv;
  if (argc < 2) {
    std::fprintf(stderr, "usage: trovex-make-corpus [--small] FOLDER [SEED]\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  Random r(argc > 2 ? std::stoull(argv[2]) : 20261208);

  struct Plan {
    std::filesystem::path path;
    Kind kind;
    std::size_t size;
    int needle;  // 0 none, 1 ASCII, 2 Shift-JIS
  };
  std::vector<Plan> plans;
  std::uint64_t total = 0;
  for (int i = 0; i < kFiles; ++i) {
    const std::uint64_t k = r.Below(100);
    const Kind kind = k < 60   ? Kind::English
                      : k < 85 ? Kind::ShiftJis
                      : k < 97 ? Kind::Binary
                               : Kind::Empty;
    const std::size_t size = kind == Kind::Empty ? 0 : MedianSpreadSize(r);
    // Folders d00..d19 / s0..s9 / t0..t3, files spread over all levels.
    std::filesystem::path folder = root / ("d" + std::to_string(r.Below(20)));
    if (r.Below(10) != 0) folder /= "s" + std::to_string(r.Below(10));
    if (r.Below(3) == 0) folder /= "t" + std::to_string(r.Below(4));
    const char* extension = kind == Kind::Binary ? ".bin" : kind == Kind::Empty ? ".dat" : ".txt";
    plans.push_back({folder / ("f" + std::to_string(i) + extension), kind, size, 0});
    total += size;
  }
  const std::uint64_t largeSize = total < kTargetBytes ? (kTargetBytes - total) / kLargeFiles : 0;
  for (int i = 0; i < (small ? 0 : kLargeFiles); ++i) {
    const Kind kind = i % 3 == 0 ? Kind::Binary : i % 3 == 1 ? Kind::English : Kind::ShiftJis;
    plans.push_back({root / ("d" + std::to_string(i)) / ("large" + std::to_string(i) + ".dat"),
                     kind, static_cast<std::size_t>(largeSize), 0});
  }
  // 1% of the files get the ASCII needle, another 1% the Shift-JIS one; the
  // Shift-JIS needle goes into Shift-JIS text, the ASCII one anywhere but there.
  for (int placed = 0; placed < kFiles / 100;) {
    Plan& p = plans[r.Below(plans.size())];
    if (p.needle == 0 && p.kind != Kind::Empty && p.kind != Kind::ShiftJis && p.size >= 64)
      p.needle = 1, ++placed;
  }
  for (int placed = 0; placed < kFiles / 100;) {
    Plan& p = plans[r.Below(plans.size())];
    if (p.needle == 0 && p.kind == Kind::ShiftJis && p.size >= 64) p.needle = 2, ++placed;
  }

  std::string data;
  std::uint64_t written = 0;
  for (const Plan& p : plans) {
    data.clear();
    data.reserve(p.size);
    if (p.kind == Kind::English) AppendEnglish(data, p.size, r);
    if (p.kind == Kind::ShiftJis) AppendShiftJis(data, p.size, r);
    if (p.kind == Kind::Binary) AppendBinary(data, p.size, r);
    if (p.needle != 0) {
      const std::string& needle = p.needle == 1 ? kAsciiNeedle : kSjisNeedle;
      // Near the end, on an even offset so that Shift-JIS text stays aligned.
      const std::size_t at =
          (p.size - needle.size() - std::min<std::size_t>(p.size / 100, 40)) & ~std::size_t{1};
      data.replace(at, needle.size(), needle);
      // In random bytes the needle follows a line feed: a byte before it that begins a
      // double-byte character would put it inside that character, where no search of a
      // text looks (rg would still list the file).
      if (p.kind == Kind::Binary) data[at - 1] = '\n';
    }
    std::filesystem::create_directories(p.path.parent_path());
    std::ofstream out(p.path, std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    if (!out) {
      std::fprintf(stderr, "trovex-make-corpus: cannot write %s\n", p.path.string().c_str());
      return 1;
    }
    written += data.size();
  }
  std::printf("%zu files, %llu bytes\n", plans.size(), static_cast<unsigned long long>(written));
  return 0;
}
