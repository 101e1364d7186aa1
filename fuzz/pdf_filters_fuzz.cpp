// The stream filters over any bytes: the first byte picks the filter and the
// predictor, the rest is the data. No fault, no hang, output within the limit.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/pdf_filters.h"

using namespace trovex::search::pdf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view data(reinterpret_cast<const char*>(bytes) + 2, size - 2);
  static const char* const kNames[] = {"FlateDecode",   "LZWDecode",       "ASCIIHexDecode",
                                       "ASCII85Decode", "RunLengthDecode", "DCTDecode"};
  Object filter, params;
  filter.type = Object::Type::Name;
  filter.text = kNames[bytes[0] % 6];
  params.type = Object::Type::Dict;
  const int predictors[] = {1, 2, 10, 11, 12, 13, 14, 15};
  for (const auto& [key, value] :
       {std::pair<const char*, int>{"Predictor", predictors[bytes[1] & 7]},
        {"Columns", 1 + (bytes[1] >> 3)},
        {"Colors", 1 + (bytes[1] >> 6)},
        {"EarlyChange", bytes[1] & 1}}) {
    Object number;
    number.type = Object::Type::Int;
    number.integer = value;
    params.keys.push_back(key);
    params.items.push_back(number);
  }
  std::string out;
  DecodeStream(&filter, &params, data, out);
  if (out.size() > kMaxStreamBytes + 65536) std::abort();
  return 0;
}
