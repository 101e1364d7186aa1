#pragma once
// The text of a page's content stream: the text operators (BT/ET, Tf, Tj, TJ,
// ', ", Td, TD, Tm, T*) run with the fonts of the page's resources, form
// XObjects followed to a limited depth. Where the next text starts off the
// current line the text gets a line break, where it jumps ahead on the line a
// space; the distances come from the glyph widths, the text and the graphics
// matrices.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "search/pdf_font.h"
#include "search/pdf_object.h"

namespace trovex::search::pdf {

class Document;

struct Matrix {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};
Matrix operator*(const Matrix& m, const Matrix& n);

class PageText {
 public:
  PageText(Document& document, std::u16string& out) : document_(document), out_(out) {}

  // Runs one content stream with `resources` (a resolved dictionary or null).
  // False when the cancel flag ended it.
  bool Run(std::string_view content, const Object* resources, int depth = 0);
  // Ends the page: the next page's text starts on a line of its own.
  void EndPage();

 private:
  struct State {
    Matrix ctm;
    std::shared_ptr<const Font> font;
    double fontSize = 1, charSpace = 0, wordSpace = 0, scale = 1, leading = 0;
  };
  void Show(std::string_view bytes);
  void Place(const ShownText& shown);
  void DoXObject(const std::string& name, const Object* resources, int depth);
  std::shared_ptr<const Font> FontOf(const std::string& name, const Object* resources);
  void NextLine(double tx, double ty);

  Document& document_;
  std::u16string& out_;
  State state_;
  std::vector<State> saved_;
  Matrix tm_, tlm_;
  std::unordered_map<std::uint32_t, std::shared_ptr<const Font>> fonts_;
  std::vector<std::uint32_t> forms_;  // the form XObjects being run, against loops
  bool haveLast_ = false;
  double lastX_ = 0, lastY_ = 0, lastSize_ = 0, lastDirX_ = 1, lastDirY_ = 0;
};

// Form XObjects nest at most this deep.
inline constexpr int kMaxFormDepth = 8;
// A page's text stops growing at this many UTF-16 units.
inline constexpr std::size_t kMaxPageUnits = 16u << 20;

}  // namespace trovex::search::pdf
