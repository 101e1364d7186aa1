#pragma once
// Writes small zip, gzip and deflate data for the tests of the archive reader:
// stored or deflated entries, data descriptors, ZIP64 records, flags as given.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace trovex::testing {

inline std::string Deflated(const std::string& data, int level = 6) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

inline std::string Gzipped(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 64, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

struct ZipItem {
  std::string name;
  std::string data;
  bool deflate = true;
  bool descriptor = false;  // sizes and CRC after the data, zeros in the local header
  bool utf8Name = true;
  bool encrypted = false;          // only the flag: the data stays as given
  std::uint64_t declaredSize = 0;  // when not 0, the uncompressed size the headers give
};

class ZipWriter {
 public:
  explicit ZipWriter(bool zip64 = false) : zip64_(zip64) {}

  void Add(const ZipItem& item) { items_.push_back(item); }
  void Add(const std::string& name, const std::string& data) { Add(ZipItem{name, data}); }

  std::string Build() const {
    std::string out;
    std::string central;
    for (const ZipItem& item : items_) {
      const std::string body = item.deflate ? Deflated(item.data) : item.data;
      const std::uint32_t crc =
          static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(item.data.data()),
                                           static_cast<uInt>(item.data.size())));
      const std::uint64_t size = item.declaredSize ? item.declaredSize : item.data.size();
      std::uint16_t flags = 0;
      if (item.encrypted) flags |= 1;
      if (item.descriptor) flags |= 8;
      if (item.utf8Name) flags |= 0x800;
      const std::uint16_t method = item.deflate ? 8 : 0;
      const std::uint64_t offset = out.size();
      std::string extra;
      if (zip64_) {
        Put16(extra, 1);
        Put16(extra, 24);
        Put64(extra, size);
        Put64(extra, body.size());
        Put64(extra, offset);
      }
      // Local header.
      Put32(out, 0x04034b50);
      Put16(out, zip64_ ? 45 : 20);
      Put16(out, flags);
      Put16(out, method);
      Put32(out, 0);  // time and date
      const bool zeros = item.descriptor;
      Put32(out, zeros ? 0 : crc);
      Put32(out, zeros ? 0 : (zip64_ ? 0xFFFFFFFF : static_cast<std::uint32_t>(body.size())));
      Put32(out, zeros ? 0 : (zip64_ ? 0xFFFFFFFF : static_cast<std::uint32_t>(size)));
      Put16(out, static_cast<std::uint16_t>(item.name.size()));
      Put16(out, 0);
      out += item.name;
      out += body;
      if (item.descriptor) {
        Put32(out, 0x08074b50);
        Put32(out, crc);
        Put32(out, static_cast<std::uint32_t>(body.size()));
        Put32(out, static_cast<std::uint32_t>(size));
      }
      // Central header.
      Put32(central, 0x02014b50);
      Put16(central, 45);
      Put16(central, zip64_ ? 45 : 20);
      Put16(central, flags);
      Put16(central, method);
      Put32(central, 0);
      Put32(central, crc);
      Put32(central, zip64_ ? 0xFFFFFFFF : static_cast<std::uint32_t>(body.size()));
      Put32(central, zip64_ ? 0xFFFFFFFF : static_cast<std::uint32_t>(size));
      Put16(central, static_cast<std::uint16_t>(item.name.size()));
      Put16(central, static_cast<std::uint16_t>(extra.size()));
      Put16(central, 0);  // comment
      Put16(central, 0);  // disk
      Put16(central, 0);
      Put32(central, 0);
      Put32(central, zip64_ ? 0xFFFFFFFF : static_cast<std::uint32_t>(offset));
      central += item.name;
      central += extra;
    }
    const std::uint64_t centralAt = out.size();
    out += central;
    const std::uint64_t count = items_.size();
    if (zip64_) {
      const std::uint64_t recordAt = out.size();
      Put32(out, 0x06064b50);
      Put64(out, 44);
      Put16(out, 45);
      Put16(out, 45);
      Put32(out, 0);
      Put32(out, 0);
      Put64(out, count);
      Put64(out, count);
      Put64(out, central.size());
      Put64(out, centralAt);
      Put32(out, 0x07064b50);
      Put32(out, 0);
      Put64(out, recordAt);
      Put32(out, 1);
    }
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, zip64_ ? 0xFFFF : static_cast<std::uint16_t>(count));
    Put16(out, zip64_ ? 0xFFFF : static_cast<std::uint16_t>(count));
    Put32(out, zip64_ ? 0xFFFFFFFF : static_cast<std::uint32_t>(central.size()));
    Put32(out, zip64_ ? 0xFFFFFFFF : static_cast<std::uint32_t>(centralAt));
    Put16(out, 0);
    return out;
  }

 private:
  static void Put16(std::string& s, std::uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
  }
  static void Put32(std::string& s, std::uint32_t v) {
    Put16(s, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(s, static_cast<std::uint16_t>(v >> 16));
  }
  static void Put64(std::string& s, std::uint64_t v) {
    Put32(s, static_cast<std::uint32_t>(v & 0xFFFFFFFF));
    Put32(s, static_cast<std::uint32_t>(v >> 32));
  }

  bool zip64_;
  std::vector<ZipItem> items_;
};

}  // namespace trovex::testing
