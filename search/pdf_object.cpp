#include "search/pdf_object.h"

#include <cstdlib>

namespace trovex::search::pdf {
namespace {

int HexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsPdfSpace(unsigned char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == 0;
}

bool IsPdfDelimiter(unsigned char c) {
  return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
         c == '}' || c == '/' || c == '%';
}

const Object* Object::Get(std::string_view key) const {
  for (std::size_t i = 0; i < keys.size() && i < items.size(); ++i)
    if (keys[i] == key) return &items[i];
  return nullptr;
}

void Parser::SkipSpace() {
  while (pos_ < bytes_.size()) {
    const unsigned char c = bytes_[pos_];
    if (c == '%') {
      while (pos_ < bytes_.size() && bytes_[pos_] != '\n' && bytes_[pos_] != '\r') ++pos_;
    } else if (IsPdfSpace(c)) {
      ++pos_;
    } else {
      return;
    }
  }
}

ParseStatus Parser::Next(Object& out) {
  out = Object();
  SkipSpace();
  if (pos_ >= bytes_.size()) return ParseStatus::End;
  return Parse(out, 0);
}

ParseStatus Parser::Parse(Object& out, int depth) {
  if (depth > kMaxNesting) return ParseStatus::Bad;
  SkipSpace();
  if (pos_ >= bytes_.size()) return ParseStatus::Truncated;
  const unsigned char c = bytes_[pos_];
  switch (c) {
    case '(':
      ++pos_;
      return LiteralString(out);
    case '<':
      if (pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '<') {
        pos_ += 2;
        out.type = Object::Type::Dict;
        for (;;) {
          SkipSpace();
          if (pos_ + 1 >= bytes_.size()) return ParseStatus::Truncated;
          if (bytes_[pos_] == '>' && bytes_[pos_ + 1] == '>') {
            pos_ += 2;
            return ParseStatus::Ok;
          }
          Object key;
          const ParseStatus status = Parse(key, depth + 1);
          if (status != ParseStatus::Ok) return status;
          if (key.type != Object::Type::Name) {
            // A stray word (often a keyword of a damaged file) ends the dictionary.
            if (key.type == Object::Type::Keyword) return ParseStatus::Bad;
            continue;
          }
          SkipSpace();
          if (pos_ + 1 < bytes_.size() && bytes_[pos_] == '>' && bytes_[pos_ + 1] == '>') {
            out.keys.push_back(std::move(key.text));
            out.items.emplace_back();
            continue;
          }
          Object value;
          const ParseStatus valueStatus = Parse(value, depth + 1);
          if (valueStatus != ParseStatus::Ok) return valueStatus;
          if (value.type == Object::Type::Keyword) return ParseStatus::Bad;
          out.keys.push_back(std::move(key.text));
          out.items.push_back(std::move(value));
        }
      }
      ++pos_;
      return HexString(out);
    case '[':
      ++pos_;
      out.type = Object::Type::Array;
      for (;;) {
        SkipSpace();
        if (pos_ >= bytes_.size()) return ParseStatus::Truncated;
        if (bytes_[pos_] == ']') {
          ++pos_;
          return ParseStatus::Ok;
        }
        Object item;
        const ParseStatus status = Parse(item, depth + 1);
        if (status != ParseStatus::Ok) return status;
        if (item.type == Object::Type::Keyword) return ParseStatus::Bad;
        out.items.push_back(std::move(item));
      }
    case '/':
      ++pos_;
      Name(out);
      return ParseStatus::Ok;
    case ')':
    case '>':
    case ']':
    case '{':
    case '}':
      // A lone delimiter is a word of its own (a damaged file, or PostScript braces).
      ++pos_;
      out.type = Object::Type::Keyword;
      out.text.assign(1, static_cast<char>(c));
      return ParseStatus::Ok;
    default:
      return Word(out);
  }
}

ParseStatus Parser::LiteralString(Object& out) {
  out.type = Object::Type::String;
  int nesting = 1;
  while (pos_ < bytes_.size()) {
    const char c = bytes_[pos_++];
    if (c == '(') {
      ++nesting;
    } else if (c == ')') {
      if (--nesting == 0) return ParseStatus::Ok;
    } else if (c == '\\') {
      if (pos_ >= bytes_.size()) break;
      const char e = bytes_[pos_++];
      switch (e) {
        case 'n':
          out.text += '\n';
          continue;
        case 'r':
          out.text += '\r';
          continue;
        case 't':
          out.text += '\t';
          continue;
        case 'b':
          out.text += '\b';
          continue;
        case 'f':
          out.text += '\f';
          continue;
        case '\r':
          if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
          continue;
        case '\n':
          continue;
        default:
          break;
      }
      if (e >= '0' && e <= '7') {
        int value = e - '0';
        for (int i = 0; i < 2 && pos_ < bytes_.size() && bytes_[pos_] >= '0' && bytes_[pos_] <= '7';
             ++i)
          value = value * 8 + (bytes_[pos_++] - '0');
        out.text += static_cast<char>(value & 0xFF);
        continue;
      }
      out.text += e;
      continue;
    }
    out.text += c;
  }
  return ParseStatus::Truncated;
}

ParseStatus Parser::HexString(Object& out) {
  out.type = Object::Type::String;
  int high = -1;
  while (pos_ < bytes_.size()) {
    const unsigned char c = bytes_[pos_++];
    if (c == '>') {
      if (high >= 0) out.text += static_cast<char>(high << 4);
      return ParseStatus::Ok;
    }
    const int v = HexValue(c);
    if (v < 0) {
      if (IsPdfSpace(c)) continue;
      return ParseStatus::Bad;
    }
    if (high < 0) {
      high = v;
    } else {
      out.text += static_cast<char>((high << 4) | v);
      high = -1;
    }
  }
  return ParseStatus::Truncated;
}

void Parser::Name(Object& out) {
  out.type = Object::Type::Name;
  while (pos_ < bytes_.size() && IsPdfRegular(bytes_[pos_])) {
    const char c = bytes_[pos_++];
    if (c == '#' && pos_ + 1 < bytes_.size()) {
      const int h = HexValue(bytes_[pos_]);
      const int l = HexValue(bytes_[pos_ + 1]);
      if (h >= 0 && l >= 0) {
        out.text += static_cast<char>((h << 4) | l);
        pos_ += 2;
        continue;
      }
    }
    out.text += c;
  }
}

ParseStatus Parser::Word(Object& out) {
  const std::size_t start = pos_;
  while (pos_ < bytes_.size() && IsPdfRegular(bytes_[pos_])) ++pos_;
  const std::string_view word = bytes_.substr(start, pos_ - start);
  // A word cut off by the end of the bytes may go on in the bytes not yet read.
  if (pos_ >= bytes_.size() && partial_) return ParseStatus::Truncated;
  if (word == "true" || word == "false") {
    out.type = Object::Type::Bool;
    out.integer = word == "true";
    return ParseStatus::Ok;
  }
  if (word == "null") return ParseStatus::Ok;
  std::size_t i = 0;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
  bool digits = false, dot = false, number = i < word.size();
  for (std::size_t j = i; j < word.size(); ++j) {
    if (IsDigit(word[j])) {
      digits = true;
    } else if (word[j] == '.' && !dot) {
      dot = true;
    } else {
      number = false;
      break;
    }
  }
  if (number && digits) {
    const std::string copy(word);
    if (dot) {
      out.type = Object::Type::Real;
      out.real = std::strtod(copy.c_str(), nullptr);
    } else {
      out.type = Object::Type::Int;
      out.integer = word.size() > 18 ? 0 : std::strtoll(copy.c_str(), nullptr, 10);
      if (references_ && out.integer >= 0) TryReference(out);
    }
    return ParseStatus::Ok;
  }
  out.type = Object::Type::Keyword;
  out.text = std::string(word);
  return ParseStatus::Ok;
}

// After a non-negative integer: "<generation> R" makes it a reference.
bool Parser::TryReference(Object& out) {
  const std::size_t save = pos_;
  SkipSpace();
  std::size_t p = pos_;
  const std::size_t genStart = p;
  while (p < bytes_.size() && IsDigit(bytes_[p])) ++p;
  if (p == genStart || p - genStart > 9 || p >= bytes_.size() || !IsPdfSpace(bytes_[p])) {
    pos_ = save;
    return false;
  }
  const std::uint32_t generation = static_cast<std::uint32_t>(
      std::strtoul(std::string(bytes_.substr(genStart, p - genStart)).c_str(), nullptr, 10));
  pos_ = p;
  SkipSpace();
  if (pos_ < bytes_.size() && bytes_[pos_] == 'R' &&
      (pos_ + 1 >= bytes_.size() || !IsPdfRegular(bytes_[pos_ + 1]))) {
    ++pos_;
    out.type = Object::Type::Ref;
    out.generation = generation;
    return true;
  }
  pos_ = save;
  return false;
}

}  // namespace trovex::search::pdf
