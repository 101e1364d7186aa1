#include "search/pdf_cmap.h"

#include "search/pdf_object.h"

namespace trovex::search::pdf {
namespace {

std::uint32_t CodeOf(const std::string& bytes) {
  std::uint32_t code = 0;
  for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
    code = (code << 8) | static_cast<unsigned char>(bytes[i]);
  return code;
}

std::u16string Utf16Be(const std::string& bytes) {
  std::u16string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    out += static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                 static_cast<unsigned char>(bytes[i + 1]));
  if (bytes.size() == 1) out += static_cast<char16_t>(static_cast<unsigned char>(bytes[0]));
  return out;
}

}  // namespace

void CMap::Parse(std::string_view program) {
  Parser parser(program, 0, false);
  std::vector<Object> operands;
  Object token;
  std::size_t codes = 0;
  for (;;) {
    const ParseStatus status = parser.Next(token);
    if (status == ParseStatus::End || status == ParseStatus::Truncated) return;
    if (status == ParseStatus::Bad) {
      // Skip the byte that cannot start a token and go on.
      parser.Seek(parser.Position() + 1);
      operands.clear();
      continue;
    }
    if (token.type != Object::Type::Keyword) {
      if (operands.size() < 30000) operands.push_back(std::move(token));
      continue;
    }
    const std::string& op = token.text;
    if (op == "endcodespacerange") {
      for (std::size_t i = 0; i + 1 < operands.size(); i += 2) {
        const std::string& low = operands[i].text;
        const std::string& high = operands[i + 1].text;
        if (low.empty() || low.size() > 4 || low.size() != high.size()) continue;
        Space space{low.size(), {}, {}};
        for (std::size_t b = 0; b < low.size(); ++b) {
          space.low[b] = static_cast<std::uint8_t>(low[b]);
          space.high[b] = static_cast<std::uint8_t>(high[b]);
        }
        spaces_.push_back(space);
      }
    } else if (op == "endbfchar") {
      for (std::size_t i = 0; i + 1 < operands.size(); i += 2) {
        const Object& src = operands[i];
        const Object& dst = operands[i + 1];
        if (src.type != Object::Type::String || src.text.empty() || src.text.size() > 4) continue;
        std::u16string text;
        if (dst.type == Object::Type::String) {
          text = Utf16Be(dst.text);
        } else if (dst.type == Object::Type::Name) {
          continue;  // glyph names in a ToUnicode map are rare; left out
        }
        if (++codes > kMaxCMapCodes) return;
        text_[Key(CodeOf(src.text), src.text.size())] = std::move(text);
      }
    } else if (op == "endbfrange") {
      for (std::size_t i = 0; i + 2 < operands.size(); i += 3) {
        const Object& low = operands[i];
        const Object& high = operands[i + 1];
        const Object& dst = operands[i + 2];
        if (low.type != Object::Type::String || high.type != Object::Type::String ||
            low.text.empty() || low.text.size() > 4 || low.text.size() != high.text.size())
          continue;
        const std::uint32_t first = CodeOf(low.text), last = CodeOf(high.text);
        if (last < first || last - first >= kMaxCMapCodes) continue;
        const std::size_t length = low.text.size();
        if (dst.type == Object::Type::Array) {
          for (std::uint32_t c = first; c <= last && c - first < dst.items.size(); ++c) {
            if (++codes > kMaxCMapCodes) return;
            text_[Key(c, length)] = Utf16Be(dst.items[c - first].text);
          }
        } else if (dst.type == Object::Type::String && !dst.text.empty()) {
          // The last unit counts up along the range.
          std::u16string text = Utf16Be(dst.text);
          for (std::uint32_t c = first; c <= last; ++c) {
            if (++codes > kMaxCMapCodes) return;
            text_[Key(c, length)] = text;
            ++text.back();
          }
        }
      }
    } else if (op == "endcidrange") {
      for (std::size_t i = 0; i + 2 < operands.size(); i += 3) {
        const Object& low = operands[i];
        const Object& high = operands[i + 1];
        const Object& cid = operands[i + 2];
        if (low.type != Object::Type::String || high.type != Object::Type::String ||
            cid.type != Object::Type::Int || low.text.empty() || low.text.size() > 4 ||
            low.text.size() != high.text.size() || cid.integer < 0)
          continue;
        if (cids_.size() >= kMaxCMapCodes) return;
        cids_.push_back(CidRange{low.text.size(), CodeOf(low.text), CodeOf(high.text),
                                 static_cast<std::uint32_t>(cid.integer)});
      }
    } else if (op == "endcidchar") {
      for (std::size_t i = 0; i + 1 < operands.size(); i += 2) {
        const Object& src = operands[i];
        const Object& cid = operands[i + 1];
        if (src.type != Object::Type::String || cid.type != Object::Type::Int || src.text.empty() ||
            src.text.size() > 4 || cid.integer < 0)
          continue;
        if (cids_.size() >= kMaxCMapCodes) return;
        const std::uint32_t code = CodeOf(src.text);
        cids_.push_back(
            CidRange{src.text.size(), code, code, static_cast<std::uint32_t>(cid.integer)});
      }
    }
    operands.clear();
  }
}

std::size_t CMap::CodeLength(std::string_view bytes, std::size_t pos, std::size_t fallback) const {
  const std::size_t left = bytes.size() - pos;
  for (std::size_t length = 1; length <= 4 && length <= left; ++length) {
    for (const Space& space : spaces_) {
      if (space.length != length) continue;
      bool inside = true;
      for (std::size_t b = 0; b < length && inside; ++b) {
        const auto byte = static_cast<std::uint8_t>(bytes[pos + b]);
        inside = byte >= space.low[b] && byte <= space.high[b];
      }
      if (inside) return length;
    }
  }
  return std::min(fallback, left);
}

const std::u16string* CMap::Text(std::uint32_t code, std::size_t length) const {
  const auto found = text_.find(Key(code, length));
  return found == text_.end() ? nullptr : &found->second;
}

std::int64_t CMap::Cid(std::uint32_t code, std::size_t length) const {
  // Later ranges override earlier ones.
  for (auto range = cids_.rbegin(); range != cids_.rend(); ++range)
    if (range->length == length && code >= range->low && code <= range->high)
      return static_cast<std::int64_t>(range->cid) + (code - range->low);
  return -1;
}

void CMap::Use(const CMap& other) {
  if (spaces_.empty()) spaces_ = other.spaces_;
  for (const auto& [key, text] : other.text_) text_.emplace(key, text);
  cids_.insert(cids_.begin(), other.cids_.begin(), other.cids_.end());
}

}  // namespace trovex::search::pdf
