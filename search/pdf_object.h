#pragma once
// The objects of a PDF file and the parser of its token syntax, used both for the
// file's objects ("12 0 obj ... endobj") and for the operands and operators of
// a page's content stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trovex::search::pdf {

struct Object {
  enum class Type { Null, Bool, Int, Real, String, Name, Array, Dict, Ref, Stream, Keyword };
  Type type = Type::Null;
  std::int64_t integer = 0;  // Int and Bool; the object number of a Ref
  double real = 0;           // Real
  std::string text;          // String bytes, Name without '/', Keyword
  std::uint32_t generation = 0;
  std::vector<Object> items;      // Array items; Dict and Stream values
  std::vector<std::string> keys;  // Dict and Stream keys, one per value
  std::uint64_t streamStart = 0;  // Stream: where its data begins in the file

  bool Is(Type t) const { return type == t; }
  bool IsDict() const { return type == Type::Dict || type == Type::Stream; }
  bool IsNumber() const { return type == Type::Int || type == Type::Real; }
  double Number() const { return type == Type::Real ? real : static_cast<double>(integer); }
  bool IsName(std::string_view name) const { return type == Type::Name && text == name; }
  // The value of a Dict or Stream key, or nullptr.
  const Object* Get(std::string_view key) const;
};

enum class ParseStatus { Ok, End, Truncated, Bad };

class Parser {
 public:
  // With `references`, "12 0 R" is read as one Ref (file objects, not content streams).
  // With `partial`, the bytes are a window on a file that may go on after them.
  Parser(std::string_view bytes, std::size_t pos, bool references, bool partial = false)
      : bytes_(bytes), pos_(pos), references_(references), partial_(partial) {}

  // The next object; a word that is no object (an operator, "obj", "stream") is a
  // Keyword. Truncated: the bytes ended inside the object.
  ParseStatus Next(Object& out);
  std::size_t Position() const { return pos_; }
  void Seek(std::size_t pos) { pos_ = pos < bytes_.size() ? pos : bytes_.size(); }
  void SkipSpace();
  std::string_view Bytes() const { return bytes_; }

 private:
  ParseStatus Parse(Object& out, int depth);
  ParseStatus LiteralString(Object& out);
  ParseStatus HexString(Object& out);
  void Name(Object& out);
  ParseStatus Word(Object& out);
  bool TryReference(Object& out);

  std::string_view bytes_;
  std::size_t pos_;
  bool references_;
  bool partial_;
};

bool IsPdfSpace(unsigned char c);
bool IsPdfDelimiter(unsigned char c);
inline bool IsPdfRegular(unsigned char c) { return !IsPdfSpace(c) && !IsPdfDelimiter(c); }

// Objects nest at most this deep; deeper is a damaged file.
inline constexpr int kMaxNesting = 64;

}  // namespace trovex::search::pdf
