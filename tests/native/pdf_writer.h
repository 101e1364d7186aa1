#pragma once
// Writes small PDF files for the tests: numbered objects, streams (deflated on
// request), kept in an object stream on request, and the cross-reference data
// as a table, an xref stream (with a PNG predictor, as writers do) or left out.
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "zip_writer.h"

namespace trovex::testing {

inline std::string ZlibDeflated(const std::string& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), 6);
  out.resize(size);
  return out;
}

enum class PdfXref { Table, Stream, Missing };

class PdfWriter {
 public:
  // Object `number` with `body` (a dictionary, array, number...).
  void Add(int number, const std::string& body, bool inObjectStream = false) {
    objects_[number] = Item{body, inObjectStream};
  }
  void AddStream(int number, std::string dict, const std::string& data, bool deflate = true) {
    const std::string stored = deflate ? ZlibDeflated(data) : data;
    if (deflate) dict += "/Filter/FlateDecode";
    objects_[number] = Item{"<<" + dict + "/Length " + std::to_string(stored.size()) +
                                ">>\nstream\n" + stored + "\nendstream",
                            false};
  }

  std::string Build(int root, PdfXref xref = PdfXref::Table, const std::string& extraTrailer = "") {
    std::string out = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
    std::map<int, std::string> offsets;  // number -> field text
    std::string packed, header;
    std::vector<int> packedNumbers;
    int top = 0;
    for (const auto& [number, item] : objects_) {
      top = std::max(top, number);
      if (item.packed) {
        header += std::to_string(number) + " " + std::to_string(packed.size()) + " ";
        packed += item.body + "\n";
        packedNumbers.push_back(number);
        continue;
      }
      offsetOf_[number] = out.size();
      out += std::to_string(number) + " 0 obj\n" + item.body + "\nendobj\n";
    }
    const int objStm = top + 1, xrefNumber = top + 2;
    if (!packedNumbers.empty()) {
      const std::string data = header + packed;
      const std::string z = ZlibDeflated(data);
      offsetOf_[objStm] = out.size();
      out += std::to_string(objStm) + " 0 obj\n<</Type/ObjStm/N " +
             std::to_string(packedNumbers.size()) + "/First " + std::to_string(header.size()) +
             "/Filter/FlateDecode/Length " + std::to_string(z.size()) + ">>\nstream\n" + z +
             "\nendstream\nendobj\n";
    }
    const std::size_t xrefAt = out.size();
    const int size = xrefNumber + 1;
    if (xref == PdfXref::Table) {
      out += "xref\n0 " + std::to_string(size) + "\n0000000000 65535 f\r\n";
      for (int n = 1; n < size; ++n) {
        char line[24];
        if (offsetOf_.count(n))
          std::snprintf(line, sizeof line, "%010zu 00000 n\r\n", offsetOf_[n]);
        else
          std::snprintf(line, sizeof line, "0000000000 65535 f\r\n");
        out += line;
      }
      out += "trailer\n<</Size " + std::to_string(size) + "/Root " + std::to_string(root) + " 0 R" +
             extraTrailer + ">>\n";
    } else if (xref == PdfXref::Stream) {
      // Rows of 1 + 4 + 2 bytes, each after its PNG "Up" filter byte.
      std::string rows, previous(7, '\0');
      for (int n = 0; n < size; ++n) {
        std::string row(7, '\0');
        if (n == xrefNumber) offsetOf_[n] = xrefAt;
        std::size_t index = 0;
        for (; index < packedNumbers.size() && packedNumbers[index] != n; ++index) {
        }
        unsigned long a = 0, b = 0;
        int type = 0;
        if (index < packedNumbers.size()) {
          type = 2, a = static_cast<unsigned long>(objStm), b = index;
        } else if (offsetOf_.count(n)) {
          type = 1, a = offsetOf_[n];
        }
        row[0] = static_cast<char>(type);
        for (int i = 0; i < 4; ++i) row[1 + i] = static_cast<char>((a >> (24 - 8 * i)) & 0xFF);
        row[5] = static_cast<char>((b >> 8) & 0xFF);
        row[6] = static_cast<char>(b & 0xFF);
        rows += '\x02';
        for (int i = 0; i < 7; ++i) rows += static_cast<char>(row[i] - previous[i]);
        previous = row;
      }
      const std::string z = ZlibDeflated(rows);
      out += std::to_string(xrefNumber) + " 0 obj\n<</Type/XRef/Size " + std::to_string(size) +
             "/W[1 4 2]/Root " + std::to_string(root) + " 0 R" + extraTrailer +
             "/Filter/FlateDecode/DecodeParms<</Predictor 12/Columns 7>>/Length " +
             std::to_string(z.size()) + ">>\nstream\n" + z + "\nendstream\nendobj\n";
    }
    if (xref != PdfXref::Missing) out += "startxref\n" + std::to_string(xrefAt) + "\n%%EOF\n";
    lastXref_ = xrefAt;
    return out;
  }

  // An incremental update of `base`: `objects` appended with a table whose /Prev is
  // the base's.
  std::string Update(const std::string& base, const std::map<int, std::string>& objects, int root,
                     int size) {
    std::string out = base;
    std::map<int, std::size_t> at;
    for (const auto& [number, body] : objects) {
      at[number] = out.size();
      out += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    }
    const std::size_t xrefAt = out.size();
    out += "xref\n";
    for (const auto& [number, offset] : at) {
      char line[24];
      std::snprintf(line, sizeof line, "%010zu 00000 n\r\n", offset);
      out += std::to_string(number) + " 1\n" + line;
    }
    out += "trailer\n<</Size " + std::to_string(size) + "/Root " + std::to_string(root) +
           " 0 R/Prev " + std::to_string(lastXref_) + ">>\nstartxref\n" + std::to_string(xrefAt) +
           "\n%%EOF\n";
    return out;
  }

 private:
  struct Item {
    std::string body;
    bool packed = false;
  };
  std::map<int, Item> objects_;
  std::map<int, std::size_t> offsetOf_;
  std::size_t lastXref_ = 0;
};

}  // namespace trovex::testing
