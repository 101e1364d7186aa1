#include "text_corpus.h"

#include <string_view>
#include <vector>

#include "platform/text/cp932.h"

namespace trovex::bench {
namespace {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint64_t Next() {  // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

 private:
  std::uint64_t state_;
};

// Picks items with Zipf-like weights (the k-th item has weight 1/(k+1)).
class ZipfPicker {
 public:
  explicit ZipfPicker(std::size_t count) {
    double total = 0;
    for (std::size_t k = 0; k < count; ++k) total += 1.0 / static_cast<double>(k + 1);
    double sum = 0;
    std::size_t k = 0;
    table_.resize(4096);
    for (std::size_t slot = 0; slot < table_.size(); ++slot) {
      const double point =
          (static_cast<double>(slot) + 0.5) / static_cast<double>(table_.size()) * total;
      while (k + 1 < count && sum + 1.0 / static_cast<double>(k + 1) < point)
        sum += 1.0 / static_cast<double>(++k);
      table_[slot] = k;
    }
  }
  std::size_t Pick(Random& random) const { return table_[random.Next() % table_.size()]; }

 private:
  std::vector<std::size_t> table_;
};

// Splits a CP932 literal into its characters.
std::vector<std::string> Characters(std::string_view text) {
  std::vector<std::string> out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = text::Cp932CharLength(text, pos);
    out.emplace_back(text.substr(pos, length));
    pos += length;
  }
  return out;
}

std::vector<std::string> Words(const char* text) {
  std::vector<std::string> out;
  std::string word;
  for (const char* p = text;; ++p) {
    if (*p == ' ' || *p == '\0') {
      if (!word.empty()) out.push_back(word);
      word.clear();
      if (*p == '\0') break;
    } else {
      word += *p;
    }
  }
  return out;
}

// Appends `piece`, wrapping lines with CR LF at about `width` bytes.
class LineWriter {
 public:
  LineWriter(std::string& out, std::size_t width) : out_(out), width_(width) {}
  void Put(const std::string& piece) {
    out_ += piece;
    column_ += piece.size();
  }
  bool LineFull() const { return column_ >= width_; }
  void Break() {
    out_ += "\r\n";
    column_ = 0;
  }

 private:
  std::string& out_;
  std::size_t width_;
  std::size_t column_ = 0;
};

}  // namespace

std::string EnglishText(std::size_t size, std::uint64_t seed) {
  // Common English words, most frequent first.
  static const std::vector<std::string> words = Words(
      "the of and to a in is that for it as was with be by on not he this are or his from at which "
      "but have an they you were her she there one been all we their has would when if so no will "
      "more can who out said some what up its about into them than only other time new could these "
      "two may first then do any like my now over such our man me even most made after also did "
      "many "
      "before must through back years where much your way well down should because each just those "
      "people how too little state good very make world still own see men work long get here "
      "between "
      "both life being under never day same another know while last might us great old year off "
      "come "
      "since against go came right used take three place himself few house use during without "
      "again "
      "home around small however found mrs thought went say part once general high upon school "
      "every "
      "don does got united left number course war until always away something fact though water "
      "less "
      "public put think almost hand enough far took head yet government system better set told "
      "nothing "
      "night end why called didn eyes find going look asked later knew point next program city "
      "business "
      "give group toward young days let room president side social given present several order "
      "national "
      "possible rather second face per among form important often things looked early white case "
      "john "
      "become large big need four within felt along children saw best church ever least power "
      "development "
      "light thing seemed family interest want members mind country area others although turned "
      "done");
  static const ZipfPicker picker(words.size());
  Random random(seed);
  std::string out;
  out.reserve(size + 256);
  LineWriter line(out, 72);
  std::size_t sentence = 0;
  while (out.size() < size) {
    std::string word = words[picker.Pick(random)];
    if (sentence == 0)
      word[0] = static_cast<char>(word[0] - 0x20);
    else if (random.Below(40) == 0)
      word[0] = static_cast<char>(word[0] - 0x20);  // a name
    ++sentence;
    if (sentence > 6 && random.Below(8) == 0) {
      word += random.Below(4) == 0 ? "," : ".";
      if (word.back() == '.') sentence = 0;
    }
    line.Put(word);
    if (line.LineFull()) {
      line.Break();
      if (random.Below(12) == 0) line.Break();  // paragraph
    } else {
      line.Put(" ");
    }
  }
  out.resize(size);
  return out;
}

std::string JapaneseText(std::size_t size, std::uint64_t seed) {
  // Characters and words roughly in order of frequency in ordinary prose.
  static const std::vector<std::string> hiragana = Characters(
      "のにはいをたがしてとでなるかれもらっすうこあまりくおけよんきつさどそせやめわえみちほねじばだ"
      "ずぶへろゆぐざぎごぜぞべぼびぱぴぷぺぽゃゅょぁぃぅぇぉ");
  static const std::vector<std::string> kanji = Characters(
      "日一国会人年大十二本中長出三同時政事自行社見月分議後前民生連五発間対上部東者党地合市業内相方"
      "四"
      "定今回新場金員九入選立開手米力学問高代明実円関決子動京全目表戦経通外最言氏現理調体化田当八六"
      "約"
      "主題下首意法不来作性的要用制治度務強気小七成期公持野協取都和統以機平総加山思家話世受区領多県"
      "続"
      "進正安設保改数記院女初北午指権心界支第産結百派点教報済書府活原先共得解名交資予川向際査勝面委"
      "告"
      "軍文反元重近千考判認画海参売利組知案道信策集在件団別物側任引使求所次水半品昨論計死官増係感特"
      "情"
      "投示変打男基私各始島直両朝革価式確村提運終挙果西勢減台広容必応演電歳住争談能無再位置企真流格"
      "有"
      "疑口過局少放税検");
  static const std::vector<std::string> katakana = Words(
      "システム コンピュータ ファイル プログラム ネットワーク サービス ユーザー メール ソフト "
      "センター "
      "テスト ページ サイト グループ メンバー ニュース ホテル カメラ ゲーム チーム");
  static const std::vector<std::string> punctuation = Characters("、、、、「」・（）");
  static const ZipfPicker hiraganaPicker(hiragana.size()), kanjiPicker(kanji.size()),
      katakanaPicker(katakana.size());
  Random random(seed);
  std::string out;
  out.reserve(size + 256);
  LineWriter line(out, 80);
  while (out.size() < size) {
    const std::size_t kind = random.Below(100);
    if (kind < 42) {
      for (std::size_t n = 1 + random.Below(4); n > 0; --n)
        line.Put(hiragana[hiraganaPicker.Pick(random)]);
    } else if (kind < 80) {
      for (std::size_t n = 1 + random.Below(2); n > 0; --n)
        line.Put(kanji[kanjiPicker.Pick(random)]);
    } else if (kind < 87) {
      line.Put(katakana[katakanaPicker.Pick(random)]);
    } else if (kind < 96) {
      line.Put(punctuation[random.Below(punctuation.size())]);
    } else if (kind < 98) {
      line.Put("。");
    } else {
      line.Put(std::to_string(random.Below(2030)));
    }
    if (line.LineFull()) line.Break();
  }
  out.resize(size);
  return out;
}

std::string RandomBytes(std::size_t size, std::uint64_t seed) {
  Random random(seed);
  std::string out(size, '\0');
  for (std::size_t i = 0; i + 8 <= size; i += 8) {
    const std::uint64_t value = random.Next();
    for (int k = 0; k < 8; ++k) out[i + k] = static_cast<char>(value >> (8 * k));
  }
  return out;
}

}  // namespace trovex::bench
