#include "search/xml_scanner.h"

#include <cstdint>
#include <cstdlib>

namespace trovex::search {
namespace {

// Markup and entities longer than this are damaged or hostile: their bytes are
// not kept (the scanner still finds their end).
constexpr std::size_t kMaxMarkup = 64u << 10;
constexpr std::size_t kMaxEntity = 12;
constexpr std::size_t kTextFlush = 64u << 10;

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

struct NamedEntity {
  std::string_view name;
  char32_t character;
};
// XML's own five, and the few HTML names e-books use most.
constexpr NamedEntity kNamedEntities[] = {
    {"amp", U'&'},        {"lt", U'<'},          {"gt", U'>'},         {"quot", U'"'},
    {"apos", U'\''},      {"nbsp", U'\u00A0'},   {"copy", U'\u00A9'},  {"ndash", U'\u2013'},
    {"mdash", U'\u2014'}, {"hellip", U'\u2026'}, {"lsquo", U'\u2018'}, {"rsquo", U'\u2019'},
    {"ldquo", U'\u201C'}, {"rdquo", U'\u201D'}};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void DecodeEntities(std::string_view raw, std::string& out) {
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '&') {
      const std::size_t semi = raw.find(';', i + 1);
      if (semi != std::string_view::npos && semi - i - 1 <= kMaxEntity &&
          XmlScanner::DecodeEntity(raw.substr(i + 1, semi - i - 1), out)) {
        i = semi;
        continue;
      }
    }
    out += raw[i];
  }
}

}  // namespace

std::string_view LocalName(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

const std::string* FindAttribute(const XmlAttributes& attributes, std::string_view local) {
  for (const auto& [name, value] : attributes)
    if (LocalName(name) == local) return &value;
  return nullptr;
}

bool XmlScanner::DecodeEntity(std::string_view body, std::string& out) {
  if (body.size() >= 2 && body[0] == '#') {
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return false;
    std::uint32_t value = 0;
    for (char c : digits) {
      int digit;
      if (c >= '0' && c <= '9')
        digit = c - '0';
      else if (hex && c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
      else if (hex && c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
      else
        return false;
      value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    // No zero bytes and no lone surrogates in the text.
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    AppendUtf8(static_cast<char32_t>(value), out);
    return true;
  }
  for (const auto& entity : kNamedEntities) {
    if (entity.name == body) {
      AppendUtf8(entity.character, out);
      return true;
    }
  }
  return false;
}

void XmlScanner::FlushText() {
  if (text_.empty()) return;
  handler_.Text(text_);
  text_.clear();
}

void XmlScanner::Feed(std::string_view piece) {
  for (std::size_t i = 0; i < piece.size(); ++i) {
    const char c = piece[i];
    switch (state_) {
      case State::Text: {
        // Copy the run of plain bytes at once.
        std::size_t stop = i;
        while (stop < piece.size() && piece[stop] != '<' && piece[stop] != '&') ++stop;
        text_.append(piece.substr(i, stop - i));
        if (text_.size() >= kTextFlush) FlushText();
        i = stop;
        if (i == piece.size()) break;
        if (piece[i] == '<') {
          FlushText();
          markup_.clear();
          quote_ = 0;
          state_ = State::Markup;
        } else {
          entity_.clear();
          state_ = State::Entity;
        }
        break;
      }
      case State::Entity:
        if (c == ';') {
          if (!DecodeEntity(entity_, text_)) text_ += "&" + entity_ + ";";
          state_ = State::Text;
        } else if (entity_.size() >= kMaxEntity || c == '<' || c == '&' || IsSpace(c)) {
          text_ += '&';
          text_ += entity_;
          state_ = State::Text;
          --i;  // the byte is read again as text
        } else {
          entity_ += c;
        }
        break;
      case State::Markup:
        if (quote_ != 0) {
          if (c == quote_) quote_ = 0;
        } else if (c == '"' || c == '\'') {
          // Only attribute values of tags are quoted; "<!DOCTYPE" and "<?" skip anyway.
          if (!markup_.empty() && markup_[0] != '!' && markup_[0] != '?') quote_ = c;
        } else if (c == '>') {
          EndMarkup();
          break;
        }
        if (markup_.size() < kMaxMarkup) markup_ += c;
        if (markup_ == "!--") {
          tail_.clear();
          state_ = State::Comment;
        } else if (markup_ == "![CDATA[") {
          tail_.clear();
          state_ = State::CData;
        }
        break;
      case State::Comment:
        tail_ += c;
        if (tail_.size() > 3) tail_.erase(0, tail_.size() - 3);
        if (tail_ == "-->") state_ = State::Text;
        break;
      case State::CData:
        text_ += c;
        tail_ += c;
        if (tail_.size() > 3) tail_.erase(0, tail_.size() - 3);
        if (tail_ == "]]>") {
          text_.resize(text_.size() - 3);
          state_ = State::Text;
        }
        if (text_.size() >= kTextFlush + 3) {
          // Keep the last bytes: they may be the start of "]]>".
          handler_.Text(std::string_view(text_).substr(0, text_.size() - 3));
          text_.erase(0, text_.size() - 3);
        }
        break;
    }
  }
}

void XmlScanner::EndMarkup() {
  state_ = State::Text;
  if (markup_.empty() || markup_[0] == '!' || markup_[0] == '?') return;
  EmitTag(markup_);
}

void XmlScanner::EmitTag(std::string_view tag) {
  if (tag[0] == '/') {
    std::size_t end = 1;
    while (end < tag.size() && !IsSpace(tag[end])) ++end;
    handler_.EndTag(tag.substr(1, end - 1));
    return;
  }
  const bool empty = tag.back() == '/';
  if (empty) tag.remove_suffix(1);
  std::size_t at = 0;
  while (at < tag.size() && !IsSpace(tag[at])) ++at;
  const std::string_view name = tag.substr(0, at);
  attributes_.clear();
  while (at < tag.size()) {
    while (at < tag.size() && IsSpace(tag[at])) ++at;
    const std::size_t nameStart = at;
    while (at < tag.size() && tag[at] != '=' && !IsSpace(tag[at])) ++at;
    const std::string_view attribute = tag.substr(nameStart, at - nameStart);
    while (at < tag.size() && IsSpace(tag[at])) ++at;
    if (at >= tag.size() || tag[at] != '=') {
      if (attribute.empty()) ++at;
      continue;
    }
    ++at;
    while (at < tag.size() && IsSpace(tag[at])) ++at;
    if (at >= tag.size() || (tag[at] != '"' && tag[at] != '\'')) continue;
    const char quote = tag[at++];
    const std::size_t close = tag.find(quote, at);
    const std::string_view raw =
        tag.substr(at, close == std::string_view::npos ? std::string_view::npos : close - at);
    std::string value;
    DecodeEntities(raw, value);
    attributes_.emplace_back(attribute, std::move(value));
    at = close == std::string_view::npos ? tag.size() : close + 1;
  }
  handler_.StartTag(name, attributes_, empty);
  if (empty) handler_.EndTag(name);
}

void XmlScanner::Finish() {
  if (state_ == State::Entity) {
    text_ += '&';
    text_ += entity_;
  }
  FlushText();
  state_ = State::Text;
}

}  // namespace trovex::search
