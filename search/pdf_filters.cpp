#include "search/pdf_filters.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace trovex::search::pdf {
namespace {

std::size_t LimitFor(std::size_t input) {
  const std::size_t byRatio = input > kMaxStreamBytes / kMaxStreamRatio
                                  ? kMaxStreamBytes
                                  : std::max(kFreeStreamBytes, input * kMaxStreamRatio);
  return std::min(byRatio, kMaxStreamBytes);
}

int HexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool InflateWith(std::string_view in, int windowBits, std::size_t limit, std::string& out) {
  z_stream z{};
  if (inflateInit2(&z, windowBits) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(std::min<std::size_t>(in.size(), 0x7FFFFFFF));
  char buffer[16384];
  int rc = Z_OK;
  const std::size_t start = out.size();
  while (rc == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
    if (out.size() - start > limit) {
      inflateEnd(&z);
      return false;
    }
    if (rc == Z_BUF_ERROR && z.avail_in == 0) break;  // cut off: keep what came out
  }
  inflateEnd(&z);
  // Many writers leave a stream a little damaged at its end: what inflated is kept.
  return rc == Z_STREAM_END || out.size() > start || rc == Z_BUF_ERROR;
}

std::string_view NameOf(const Object& filter) {
  if (filter.type != Object::Type::Name) return {};
  const std::string_view name = filter.text;
  // Abbreviations of inline images.
  if (name == "Fl") return "FlateDecode";
  if (name == "AHx") return "ASCIIHexDecode";
  if (name == "A85") return "ASCII85Decode";
  if (name == "LZW") return "LZWDecode";
  if (name == "RL") return "RunLengthDecode";
  return name;
}

int IntParam(const Object* params, std::string_view key, int fallback) {
  if (!params || !params->IsDict()) return fallback;
  const Object* value = params->Get(key);
  return value && value->type == Object::Type::Int ? static_cast<int>(value->integer) : fallback;
}

}  // namespace

bool FlateDecode(std::string_view in, std::size_t limit, std::string& out) {
  const std::size_t start = out.size();
  if (InflateWith(in, 15, limit, out)) return true;
  if (out.size() - start > limit) return false;
  out.resize(start);
  return InflateWith(in, -15, limit, out);  // raw deflate without a zlib header
}

bool LzwDecode(std::string_view in, bool earlyChange, std::size_t limit, std::string& out) {
  // Each code is a prefix code and a last byte; its string is built by walking back.
  std::vector<std::uint16_t> prefix(4096);
  std::vector<unsigned char> last(4096);
  std::vector<std::uint16_t> length(4096);
  for (int i = 0; i < 256; ++i) {
    last[i] = static_cast<unsigned char>(i);
    length[i] = 1;
  }
  int next = 258, bits = 9, previous = -1;
  std::uint32_t buffer = 0;
  int held = 0;
  std::string chain;
  const std::size_t start = out.size();
  for (const char byte : in) {
    buffer = (buffer << 8) | static_cast<unsigned char>(byte);
    held += 8;
    while (held >= bits) {
      const int code = static_cast<int>((buffer >> (held - bits)) & ((1u << bits) - 1));
      held -= bits;
      if (code == 256) {
        next = 258;
        bits = 9;
        previous = -1;
        continue;
      }
      if (code == 257) return true;
      if (code > next || (code == next && previous < 0)) return out.size() > start;
      int walk = code == next ? previous : code;
      chain.clear();
      while (walk >= 256) {
        chain += static_cast<char>(last[walk]);
        walk = prefix[walk];
      }
      chain += static_cast<char>(walk);
      std::reverse(chain.begin(), chain.end());
      if (code == next) chain += chain[0];
      out += chain;
      if (out.size() - start > limit) return false;
      if (previous >= 0 && next < 4096) {
        prefix[next] = static_cast<std::uint16_t>(previous);
        last[next] = static_cast<unsigned char>(chain[0]);
        length[next] = static_cast<std::uint16_t>(std::min(65535, length[previous] + 1));
        ++next;
      }
      previous = code;
      const int early = earlyChange ? 1 : 0;
      if (next + early >= 512 && bits < 10) bits = 10;
      if (next + early >= 1024 && bits < 11) bits = 11;
      if (next + early >= 2048 && bits < 12) bits = 12;
    }
  }
  return true;
}

bool AsciiHexDecode(std::string_view in, std::string& out) {
  int high = -1;
  for (const char c : in) {
    if (c == '>') break;
    const int v = HexValue(static_cast<unsigned char>(c));
    if (v < 0) {
      if (IsPdfSpace(static_cast<unsigned char>(c))) continue;
      return false;
    }
    if (high < 0) {
      high = v;
    } else {
      out += static_cast<char>((high << 4) | v);
      high = -1;
    }
  }
  if (high >= 0) out += static_cast<char>(high << 4);
  return true;
}

bool Ascii85Decode(std::string_view in, std::string& out) {
  std::uint64_t group = 0;
  int count = 0;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const unsigned char c = in[i];
    if (c == '~') break;
    if (IsPdfSpace(c)) continue;
    if (c == 'z' && count == 0) {
      out.append(4, '\0');
      continue;
    }
    if (c < '!' || c > 'u') return false;
    group = group * 85 + (c - '!');
    if (++count == 5) {
      if (group > 0xFFFFFFFFu) return false;
      for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((group >> shift) & 0xFF);
      group = 0;
      count = 0;
    }
  }
  if (count == 1) return false;
  if (count > 1) {
    for (int i = count; i < 5; ++i) group = group * 85 + 84;
    for (int i = 0; i < count - 1; ++i) out += static_cast<char>((group >> (24 - 8 * i)) & 0xFF);
  }
  return true;
}

bool RunLengthDecode(std::string_view in, std::size_t limit, std::string& out) {
  const std::size_t start = out.size();
  for (std::size_t i = 0; i < in.size();) {
    const unsigned char n = in[i++];
    if (n == 128) break;
    if (n < 128) {
      const std::size_t take = std::min<std::size_t>(n + 1u, in.size() - i);
      out.append(in.substr(i, take));
      i += take;
    } else if (i < in.size()) {
      out.append(257u - n, in[i++]);
    }
    if (out.size() - start > limit) return false;
  }
  return true;
}

bool Unpredict(const Object* params, std::string& data) {
  const int predictor = IntParam(params, "Predictor", 1);
  if (predictor < 2) return true;
  const int colors = std::clamp(IntParam(params, "Colors", 1), 1, 32);
  const int bits = std::clamp(IntParam(params, "BitsPerComponent", 8), 1, 16);
  const int columns = std::clamp(IntParam(params, "Columns", 1), 1, 1 << 20);
  const std::size_t pixelBytes = std::max(1, (colors * bits + 7) / 8);
  const std::size_t rowBytes = (static_cast<std::size_t>(colors) * bits * columns + 7) / 8;
  if (predictor == 2) {
    if (bits != 8) return true;
    for (std::size_t row = 0; row + rowBytes <= data.size(); row += rowBytes)
      for (std::size_t i = pixelBytes; i < rowBytes; ++i)
        data[row + i] = static_cast<char>(data[row + i] + data[row + i - pixelBytes]);
    return true;
  }
  std::string out;
  out.reserve(data.size());
  std::string previous(rowBytes, '\0');
  std::string row(rowBytes, '\0');
  for (std::size_t pos = 0; pos < data.size(); pos += rowBytes + 1) {
    const int type = static_cast<unsigned char>(data[pos]);
    const std::size_t have = std::min(rowBytes, data.size() - pos - 1);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const int raw = i < have ? static_cast<unsigned char>(data[pos + 1 + i]) : 0;
      const int left = i >= pixelBytes ? static_cast<unsigned char>(row[i - pixelBytes]) : 0;
      const int up = static_cast<unsigned char>(previous[i]);
      const int upLeft = i >= pixelBytes ? static_cast<unsigned char>(previous[i - pixelBytes]) : 0;
      int value = raw;
      switch (type) {
        case 1:
          value = raw + left;
          break;
        case 2:
          value = raw + up;
          break;
        case 3:
          value = raw + (left + up) / 2;
          break;
        case 4: {
          const int p = left + up - upLeft;
          const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
          value = raw + (pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft);
          break;
        }
        default:
          break;
      }
      row[i] = static_cast<char>(value & 0xFF);
    }
    out.append(row, 0, have);
    previous.swap(row);
  }
  data.swap(out);
  return true;
}

DecodeResult DecodeStream(const Object* filter, const Object* params, std::string_view raw,
                          std::string& out) {
  std::vector<const Object*> filters, paramList;
  if (filter && filter->type == Object::Type::Array) {
    for (std::size_t i = 0; i < filter->items.size(); ++i) {
      filters.push_back(&filter->items[i]);
      paramList.push_back(params && params->type == Object::Type::Array && i < params->items.size()
                              ? &params->items[i]
                              : nullptr);
    }
  } else if (filter && filter->type == Object::Type::Name) {
    filters.push_back(filter);
    paramList.push_back(params && params->IsDict() ? params : nullptr);
  }
  if (filters.size() > 8) return DecodeResult::Damaged;
  std::string current(raw);
  for (std::size_t i = 0; i < filters.size(); ++i) {
    const std::string_view name = NameOf(*filters[i]);
    std::string next;
    const std::size_t limit = LimitFor(current.size());
    bool ok = false;
    if (name == "FlateDecode") {
      ok = FlateDecode(current, limit, next) && Unpredict(paramList[i], next);
    } else if (name == "LZWDecode") {
      ok = LzwDecode(current, IntParam(paramList[i], "EarlyChange", 1) != 0, limit, next) &&
           Unpredict(paramList[i], next);
    } else if (name == "ASCIIHexDecode") {
      ok = AsciiHexDecode(current, next);
    } else if (name == "ASCII85Decode") {
      ok = Ascii85Decode(current, next);
    } else if (name == "RunLengthDecode") {
      ok = RunLengthDecode(current, limit, next);
    } else if (name == "DCTDecode" || name == "JPXDecode" || name == "CCITTFaxDecode" ||
               name == "JBIG2Decode" || name == "DCT" || name == "CCF") {
      return DecodeResult::Image;
    } else if (name == "Crypt") {
      ok = true;
      next = std::move(current);  // the Identity crypt filter
    }
    if (!ok) return DecodeResult::Damaged;
    current = std::move(next);
  }
  out = std::move(current);
  return DecodeResult::Ok;
}

}  // namespace trovex::search::pdf
