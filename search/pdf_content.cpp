#include "search/pdf_content.h"

#include <algorithm>
#include <cmath>

#include "search/pdf_document.h"

namespace trovex::search::pdf {
namespace {

constexpr std::size_t kMaxSavedStates = 64;

bool IsWide(char16_t ch) {
  // Kana, CJK ideographs and symbols, full-width forms: no spaces between them.
  return (ch >= 0x2E80 && ch <= 0x9FFF) || (ch >= 0xF900 && ch <= 0xFAFF) ||
         (ch >= 0xFF00 && ch <= 0xFFEF) || (ch >= 0xD800 && ch <= 0xDFFF);
}

double Num(const Object& object) { return object.IsNumber() ? object.Number() : 0; }

}  // namespace

Matrix operator*(const Matrix& m, const Matrix& n) {
  return Matrix{m.a * n.a + m.b * n.c, m.a * n.b + m.b * n.d,       m.c * n.a + m.d * n.c,
                m.c * n.b + m.d * n.d, m.e * n.a + m.f * n.c + n.e, m.e * n.b + m.f * n.d + n.f};
}

std::shared_ptr<const Font> PageText::FontOf(const std::string& name, const Object* resources) {
  if (!resources) return nullptr;
  const Object* fonts = document_.Lookup(*resources, "Font");
  if (!fonts || !fonts->IsDict()) return nullptr;
  const Object* entry = fonts->Get(name);
  if (!entry) return nullptr;
  const bool shared = entry->type == Object::Type::Ref;
  const auto number = static_cast<std::uint32_t>(entry->integer);
  if (shared)
    if (const auto found = fonts_.find(number); found != fonts_.end()) return found->second;
  const Object& dict = document_.Resolve(*entry);
  if (!dict.IsDict()) return nullptr;
  auto font = Font::Load(document_, dict);
  if (shared) fonts_.emplace(number, font);
  return font;
}

void PageText::NextLine(double tx, double ty) {
  tlm_ = Matrix{1, 0, 0, 1, tx, ty} * tlm_;
  tm_ = tlm_;
}

void PageText::Place(const ShownText& shown) {
  const Matrix trm = tm_ * state_.ctm;
  const bool vertical = state_.font && state_.font->Vertical();
  double dirX = vertical ? -trm.c : trm.a, dirY = vertical ? -trm.d : trm.b;
  double norm = std::hypot(dirX, dirY);
  if (norm <= 0) {
    dirX = 1;
    dirY = 0;
    norm = 1;
  }
  dirX /= norm;
  dirY /= norm;
  const double size =
      std::abs(state_.fontSize) * (vertical ? std::hypot(trm.a, trm.b) : std::hypot(trm.c, trm.d));
  if (haveLast_ && !shown.text.empty() && !out_.empty()) {
    const double dx = trm.e - lastX_, dy = trm.f - lastY_;
    const double along = dx * lastDirX_ + dy * lastDirY_;
    const double across = lastDirX_ * dy - lastDirY_ * dx;
    const double em = std::max(size, lastSize_);
    const char16_t before = out_.back();
    const bool turned = lastDirX_ * dirX + lastDirY_ * dirY < 0.9;
    if (std::abs(across) > 0.5 * em || turned) {
      if (before != u'\n') out_ += u"\r\n";
    } else if (before != u' ' && before != u'\n' && shown.text.front() != u' ') {
      // Wide characters stand apart in justified lines; only a whole em is a gap.
      const double gap = IsWide(before) && IsWide(shown.text.front()) ? 1.0 : 0.2;
      if (along > gap * em) out_ += u' ';
    }
  }
  for (const char16_t ch : shown.text) {
    if (ch == 0xA0 || ch == u'\t') {
      out_ += u' ';
    } else if (ch == u'\r' || ch == u'\n') {
      if (out_.empty() || out_.back() != u'\n') out_ += u"\r\n";
    } else if (ch >= 0x20 && ch != 0xFFFE && ch != 0xFFFF) {
      out_ += ch;
    }
  }
  double advance = (shown.advance / 1000.0 * state_.fontSize + shown.codes * state_.charSpace +
                    shown.spaces * state_.wordSpace);
  tm_ =
      (vertical ? Matrix{1, 0, 0, 1, 0, -advance} : Matrix{1, 0, 0, 1, advance * state_.scale, 0}) *
      tm_;
  const Matrix after = tm_ * state_.ctm;
  lastX_ = after.e;
  lastY_ = after.f;
  lastSize_ = size;
  lastDirX_ = dirX;
  lastDirY_ = dirY;
  haveLast_ = true;
}

void PageText::Show(std::string_view bytes) {
  if (!state_.font || out_.size() >= kMaxPageUnits) return;
  ShownText shown;
  state_.font->Show(bytes, shown);
  Place(shown);
}

void PageText::DoXObject(const std::string& name, const Object* resources, int depth) {
  if (!resources || depth >= kMaxFormDepth) return;
  const Object* xobjects = document_.Lookup(*resources, "XObject");
  if (!xobjects || !xobjects->IsDict()) return;
  const Object* entry = xobjects->Get(name);
  if (!entry) return;
  const Object& form = document_.Resolve(*entry);
  const Object* subtype =
      form.type == Object::Type::Stream ? document_.Lookup(form, "Subtype") : nullptr;
  if (!subtype || !subtype->IsName("Form")) return;  // images are passed over
  const std::uint32_t number =
      entry->type == Object::Type::Ref ? static_cast<std::uint32_t>(entry->integer) : 0;
  if (number && std::find(forms_.begin(), forms_.end(), number) != forms_.end()) return;
  std::string data;
  if (document_.StreamDataOf(*entry, data) != DecodeResult::Ok) return;
  const State outer = state_;
  const Matrix savedTm = tm_, savedTlm = tlm_;
  if (const Object* m = document_.Lookup(form, "Matrix");
      m && m->type == Object::Type::Array && m->items.size() == 6)
    state_.ctm = Matrix{Num(m->items[0]), Num(m->items[1]), Num(m->items[2]),
                        Num(m->items[3]), Num(m->items[4]), Num(m->items[5])} *
                 state_.ctm;
  const Object* own = document_.Lookup(form, "Resources");
  if (number) forms_.push_back(number);
  const std::size_t savedStates = saved_.size();
  Run(data, own && own->IsDict() ? own : resources, depth + 1);
  if (number) forms_.pop_back();
  if (saved_.size() > savedStates) saved_.resize(savedStates);
  state_ = outer;
  tm_ = savedTm;
  tlm_ = savedTlm;
}

bool PageText::Run(std::string_view content, const Object* resources, int depth) {
  Parser parser(content, 0, false);
  std::vector<Object> operands;
  Object token;
  std::size_t count = 0;
  for (;;) {
    const ParseStatus status = parser.Next(token);
    if (status == ParseStatus::End || status == ParseStatus::Truncated) break;
    if (status == ParseStatus::Bad) {
      parser.Seek(parser.Position() + 1);
      operands.clear();
      continue;
    }
    if (token.type != Object::Type::Keyword) {
      if (operands.size() < 64) operands.push_back(std::move(token));
      continue;
    }
    if ((++count & 4095) == 0 && document_.Cancelled()) return false;
    const std::string& op = token.text;
    const std::size_t n = operands.size();
    auto arg = [&](std::size_t fromEnd) -> const Object& { return operands[n - fromEnd]; };
    if (op == "Tj" && n >= 1) {
      Show(arg(1).text);
    } else if (op == "TJ" && n >= 1 && arg(1).type == Object::Type::Array) {
      const bool vertical = state_.font && state_.font->Vertical();
      for (const Object& item : arg(1).items) {
        if (item.type == Object::Type::String) {
          Show(item.text);
        } else if (item.IsNumber()) {
          const double shift = -item.Number() / 1000.0 * state_.fontSize;
          tm_ = (vertical ? Matrix{1, 0, 0, 1, 0, -shift}
                          : Matrix{1, 0, 0, 1, shift * state_.scale, 0}) *
                tm_;
        }
      }
    } else if (op == "'" && n >= 1) {
      NextLine(0, -state_.leading);
      Show(arg(1).text);
    } else if (op == "\"" && n >= 3) {
      state_.wordSpace = Num(arg(3));
      state_.charSpace = Num(arg(2));
      NextLine(0, -state_.leading);
      Show(arg(1).text);
    } else if (op == "Td" && n >= 2) {
      NextLine(Num(arg(2)), Num(arg(1)));
    } else if (op == "TD" && n >= 2) {
      state_.leading = -Num(arg(1));
      NextLine(Num(arg(2)), Num(arg(1)));
    } else if (op == "T*") {
      NextLine(0, -state_.leading);
    } else if (op == "Tm" && n >= 6) {
      tlm_ = Matrix{Num(arg(6)), Num(arg(5)), Num(arg(4)), Num(arg(3)), Num(arg(2)), Num(arg(1))};
      tm_ = tlm_;
    } else if (op == "Tf" && n >= 2) {
      state_.font = arg(2).type == Object::Type::Name ? FontOf(arg(2).text, resources) : nullptr;
      state_.fontSize = Num(arg(1));
    } else if (op == "BT") {
      tm_ = tlm_ = Matrix{};
    } else if (op == "Tc" && n >= 1) {
      state_.charSpace = Num(arg(1));
    } else if (op == "Tw" && n >= 1) {
      state_.wordSpace = Num(arg(1));
    } else if (op == "Tz" && n >= 1) {
      state_.scale = Num(arg(1)) / 100.0;
    } else if (op == "TL" && n >= 1) {
      state_.leading = Num(arg(1));
    } else if (op == "cm" && n >= 6) {
      state_.ctm =
          Matrix{Num(arg(6)), Num(arg(5)), Num(arg(4)), Num(arg(3)), Num(arg(2)), Num(arg(1))} *
          state_.ctm;
    } else if (op == "q") {
      if (saved_.size() < kMaxSavedStates) saved_.push_back(state_);
    } else if (op == "Q") {
      if (!saved_.empty()) {
        state_ = saved_.back();
        saved_.pop_back();
      }
    } else if (op == "Do" && n >= 1 && arg(1).type == Object::Type::Name) {
      DoXObject(arg(1).text, resources, depth);
    } else if (op == "BI") {
      // An inline image: its data runs from "ID" and one space to "EI".
      const std::size_t id = content.find("ID", parser.Position());
      std::size_t end = id == std::string_view::npos ? content.size() : id + 3;
      for (;; ++end) {
        end = content.find("EI", end);
        if (end == std::string_view::npos) return true;
        const bool before = IsPdfSpace(static_cast<unsigned char>(content[end - 1]));
        const bool after = end + 2 >= content.size() ||
                           !IsPdfRegular(static_cast<unsigned char>(content[end + 2]));
        if (before && after) break;
      }
      parser.Seek(end + 2);
    }
    operands.clear();
  }
  return true;
}

void PageText::EndPage() {
  if (!out_.empty() && out_.back() != u'\n') out_ += u"\r\n";
  haveLast_ = false;
}

}  // namespace trovex::search::pdf
