#pragma once
// The decoding filters of PDF streams that can hold text: FlateDecode (with the
// PNG and TIFF predictors), LZWDecode, ASCIIHexDecode, ASCII85Decode and
// RunLengthDecode. Image filters (DCT, JPX, CCITT, JBIG2) are not decoded.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "search/pdf_object.h"

namespace trovex::search::pdf {

// Decoded output may exceed the input only this many times over (beyond a few
// megabytes), and never this size: a bomb ends early instead of filling memory.
inline constexpr std::size_t kMaxStreamBytes = 64u << 20;
inline constexpr std::size_t kFreeStreamBytes = 4u << 20;
inline constexpr std::size_t kMaxStreamRatio = 200;

enum class DecodeResult { Ok, Image, Damaged };

// Applies the filters a stream's dictionary names (`filter` and `params` are its
// /Filter and /DecodeParms, resolved; either may be null). Image: the data is an
// image and was left alone.
DecodeResult DecodeStream(const Object* filter, const Object* params, std::string_view raw,
                          std::string& out);

// The single filters, for the fuzz target and the tests.
bool FlateDecode(std::string_view in, std::size_t limit, std::string& out);
bool LzwDecode(std::string_view in, bool earlyChange, std::size_t limit, std::string& out);
bool AsciiHexDecode(std::string_view in, std::string& out);
bool Ascii85Decode(std::string_view in, std::string& out);
bool RunLengthDecode(std::string_view in, std::size_t limit, std::string& out);
// Undoes a /Predictor of 2 (TIFF) or 10-15 (PNG) over decoded rows.
bool Unpredict(const Object* params, std::string& data);

}  // namespace trovex::search::pdf
