#include "search/pdf_document.h"

#include <algorithm>
#include <cstring>

namespace trovex::search::pdf {
namespace {

constexpr std::size_t kFirstWindow = 4096;
constexpr std::size_t kMaxWindow = 64u << 20;
constexpr std::size_t kScanChunk = 1u << 20;
constexpr int kMaxSections = 64;
constexpr int kMaxResolveDepth = 32;
constexpr int kMaxTreeDepth = 64;
constexpr std::size_t kMaxPages = 200000;

const Object kNull;

bool ReadWindow(const ByteSource& source, std::uint64_t offset, std::size_t size,
                std::string& out) {
  const std::uint64_t total = source.Size();
  out.clear();
  if (offset >= total) return false;
  const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(size, total - offset));
  out.resize(take);
  const auto got = source.ReadAt(offset, out.data(), take);
  if (!got) return false;
  out.resize(*got);
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::int64_t IntOf(const Object* object, std::int64_t fallback) {
  return object && object->type == Object::Type::Int ? object->integer : fallback;
}

}  // namespace

void Document::SetEntry(std::uint64_t number, const Entry& entry) {
  if (entry.type == 0 || number >= kMaxObjects) return;
  if (number >= entries_.size()) entries_.resize(static_cast<std::size_t>(number) + 1);
  // Sections are read newest first: an object already known keeps its newest place.
  if (entries_[number].type == 0) entries_[number] = entry;
}

bool Document::ParseAt(std::uint64_t offset, std::optional<std::uint32_t> number, Object& out) {
  std::string window;
  for (std::size_t size = kFirstWindow; size <= kMaxWindow; size *= 4) {
    if (!ReadWindow(source_, offset, size, window)) return false;
    const bool partial = offset + window.size() < source_.Size();
    Parser parser(window, 0, true, partial);
    Object num, gen, keyword;
    if (parser.Next(num) != ParseStatus::Ok || num.type != Object::Type::Int) return false;
    if (number && num.integer != *number) return false;
    const ParseStatus genStatus = parser.Next(gen);
    if (genStatus == ParseStatus::Truncated && partial) continue;
    if (genStatus != ParseStatus::Ok || gen.type != Object::Type::Int) return false;
    const ParseStatus keyStatus = parser.Next(keyword);
    if (keyStatus == ParseStatus::Truncated && partial) continue;
    if (keyword.type != Object::Type::Keyword || keyword.text != "obj") return false;
    const ParseStatus status = parser.Next(out);
    if (status == ParseStatus::Truncated && partial) continue;
    if (status != ParseStatus::Ok) return false;
    if (out.type == Object::Type::Dict) {
      const std::size_t after = parser.Position();
      Object next;
      const ParseStatus nextStatus = parser.Next(next);
      if (nextStatus == ParseStatus::Truncated && partial) continue;
      if (next.type == Object::Type::Keyword && next.text == "stream") {
        std::size_t p = parser.Position();
        if (p < window.size() && window[p] == '\r') ++p;
        if (p < window.size() && window[p] == '\n') ++p;
        out.type = Object::Type::Stream;
        out.streamStart = offset + p;
      }
      (void)after;
    }
    out.generation = static_cast<std::uint32_t>(gen.integer);
    return true;
  }
  return false;
}

bool Document::RawStream(const Object& stream, std::string& out) {
  const std::uint64_t start = stream.streamStart;
  const std::uint64_t total = source_.Size();
  if (start > total) return false;
  const Object* lengthObject = Lookup(stream, "Length");
  const std::int64_t length = IntOf(lengthObject, -1);
  if (length >= 0 && static_cast<std::uint64_t>(length) <= total - start &&
      static_cast<std::uint64_t>(length) <= kMaxWindow) {
    std::string tail;
    ReadWindow(source_, start + static_cast<std::uint64_t>(length), 32, tail);
    if (tail.find("endstream") != std::string::npos &&
        ReadWindow(source_, start, static_cast<std::size_t>(length), out) &&
        out.size() == static_cast<std::size_t>(length))
      return true;
  }
  // A wrong or missing /Length: the data runs to "endstream".
  out.clear();
  std::string chunk;
  for (std::uint64_t at = start; at < total && out.size() <= kMaxWindow; at += kScanChunk) {
    if (Cancelled() || !ReadWindow(source_, at, kScanChunk, chunk)) return false;
    out += chunk;
    const std::size_t from = out.size() > chunk.size() + 9 ? out.size() - chunk.size() - 9 : 0;
    const std::size_t end = out.find("endstream", from);
    if (end != std::string::npos) {
      std::size_t cut = end;
      if (cut > 0 && out[cut - 1] == '\n') --cut;
      if (cut > 0 && out[cut - 1] == '\r') --cut;
      out.resize(cut);
      return true;
    }
  }
  return false;
}

DecodeResult Document::StreamData(const Object& stream, std::uint32_t number,
                                  std::uint32_t generation, std::string& out) {
  if (stream.type != Object::Type::Stream) return DecodeResult::Damaged;
  std::string raw;
  if (!RawStream(stream, raw)) return DecodeResult::Damaged;
  const Object* type = Lookup(stream, "Type");
  if (decryptor_ && !(type && type->IsName("XRef")) && !decryptor_(number, generation, raw))
    return DecodeResult::Damaged;
  return DecodeStream(Lookup(stream, "Filter"), Lookup(stream, "DecodeParms"), raw, out);
}

DecodeResult Document::StreamDataOf(const Object& objectOrRef, std::string& out) {
  const Object& stream = Resolve(objectOrRef);
  if (objectOrRef.type == Object::Type::Ref)
    return StreamData(stream, static_cast<std::uint32_t>(objectOrRef.integer),
                      objectOrRef.generation, out);
  return StreamData(stream, 0, 0, out);
}

const Object& Document::Resolve(const Object& object, int depth) {
  if (object.type != Object::Type::Ref) return object;
  if (depth > kMaxResolveDepth || object.integer < 0 ||
      static_cast<std::uint64_t>(object.integer) >= entries_.size())
    return kNull;
  const auto number = static_cast<std::uint32_t>(object.integer);
  if (const auto found = cache_.find(number); found != cache_.end())
    return Resolve(found->second, depth + 1);
  if (std::find(resolving_.begin(), resolving_.end(), number) != resolving_.end()) return kNull;
  resolving_.push_back(number);
  Object loaded;
  const Entry entry = entries_[number];
  bool ok = false;
  if (entry.type == 1) {
    ok = ParseAt(entry.offset, number, loaded);
  } else if (entry.type == 2 && entry.offset < kMaxObjects) {
    ok = LoadFromStream(static_cast<std::uint32_t>(entry.offset), entry.index, number, loaded);
  }
  resolving_.pop_back();
  if (!ok) loaded = Object();
  const Object& stored = cache_.emplace(number, std::move(loaded)).first->second;
  return Resolve(stored, depth + 1);
}

const Object* Document::Lookup(const Object& dict, std::string_view key) {
  const Object* value = dict.Get(key);
  if (!value) return nullptr;
  const Object& resolved = Resolve(*value);
  return resolved.type == Object::Type::Null ? nullptr : &resolved;
}

bool Document::LoadFromStream(std::uint32_t stream, std::uint32_t index, std::uint32_t number,
                              Object& out) {
  if (objStmNumber_ != stream || objStmData_.empty()) {
    objStmNumber_ = 0;
    objStmData_.clear();
    objStmOffsets_.clear();
    Object ref;
    ref.type = Object::Type::Ref;
    ref.integer = stream;
    const Object& holder = Resolve(ref);
    if (holder.type != Object::Type::Stream) return false;
    std::string data;
    if (StreamData(holder, stream, holder.generation, data) != DecodeResult::Ok) return false;
    const std::int64_t count = IntOf(Lookup(holder, "N"), -1);
    const std::int64_t first = IntOf(Lookup(holder, "First"), -1);
    if (count < 0 || first < 0 || static_cast<std::uint64_t>(first) > data.size()) return false;
    Parser header(std::string_view(data).substr(0, static_cast<std::size_t>(first)), 0, false);
    for (std::int64_t i = 0; i < count && i < 1000000; ++i) {
      Object num, off;
      if (header.Next(num) != ParseStatus::Ok || header.Next(off) != ParseStatus::Ok) break;
      if (num.type != Object::Type::Int || off.type != Object::Type::Int || num.integer < 0 ||
          off.integer < 0)
        break;
      objStmOffsets_.emplace_back(static_cast<std::uint32_t>(num.integer),
                                  static_cast<std::size_t>(first + off.integer));
    }
    objStmNumber_ = stream;
    objStmData_ = std::move(data);
  }
  std::size_t at = objStmOffsets_.size();
  if (index < objStmOffsets_.size() && objStmOffsets_[index].first == number) {
    at = index;
  } else {
    for (std::size_t i = 0; i < objStmOffsets_.size(); ++i)
      if (objStmOffsets_[i].first == number) at = i;
  }
  if (at >= objStmOffsets_.size() || objStmOffsets_[at].second >= objStmData_.size()) return false;
  Parser parser(objStmData_, objStmOffsets_[at].second, true);
  return parser.Next(out) == ParseStatus::Ok && out.type != Object::Type::Keyword;
}

bool Document::ReadTable(std::uint64_t offset, Object& trailer) {
  std::string window;
  for (std::size_t size = 1u << 16; size <= kMaxWindow * 4; size *= 4) {
    if (!ReadWindow(source_, offset, size, window)) return false;
    const bool partial = offset + window.size() < source_.Size();
    Parser parser(window, 0, false, partial);
    Object token;
    if (parser.Next(token) != ParseStatus::Ok || token.text != "xref") return false;
    bool truncated = false;
    std::vector<std::pair<std::uint64_t, Entry>> found;
    for (;;) {
      const ParseStatus status = parser.Next(token);
      if (status != ParseStatus::Ok) {
        truncated = status == ParseStatus::Truncated || status == ParseStatus::End;
        break;
      }
      if (token.type == Object::Type::Keyword && token.text == "trailer") {
        Parser dictParser(window, parser.Position(), true, partial);
        const ParseStatus dictStatus = dictParser.Next(trailer);
        if (dictStatus == ParseStatus::Truncated) {
          truncated = true;
          break;
        }
        if (dictStatus != ParseStatus::Ok || trailer.type != Object::Type::Dict) return false;
        for (const auto& [number, entry] : found) SetEntry(number, entry);
        return true;
      }
      Object count;
      if (token.type != Object::Type::Int || parser.Next(count) != ParseStatus::Ok ||
          count.type != Object::Type::Int || token.integer < 0 || count.integer < 0 ||
          static_cast<std::uint64_t>(token.integer + count.integer) > kMaxObjects)
        return false;
      for (std::int64_t i = 0; i < count.integer; ++i) {
        Object off, gen, kind;
        if (parser.Next(off) != ParseStatus::Ok || parser.Next(gen) != ParseStatus::Ok ||
            parser.Next(kind) != ParseStatus::Ok) {
          truncated = true;
          break;
        }
        if (off.type != Object::Type::Int || kind.type != Object::Type::Keyword) return false;
        if (kind.text == "n" && off.integer > 0) {
          Entry entry;
          entry.type = 1;
          entry.offset = static_cast<std::uint64_t>(off.integer);
          entry.index = static_cast<std::uint32_t>(IntOf(&gen, 0));
          found.emplace_back(static_cast<std::uint64_t>(token.integer + i), entry);
        }
      }
      if (truncated) break;
    }
    if (!truncated || !partial) return false;
  }
  return false;
}

bool Document::ReadXrefStream(const Object& stream, std::uint32_t number) {
  const Object* widths = Lookup(stream, "W");
  if (!widths || widths->type != Object::Type::Array || widths->items.size() < 3) return false;
  int w[3];
  for (int i = 0; i < 3; ++i) {
    w[i] = static_cast<int>(IntOf(&widths->items[i], -1));
    if (w[i] < 0 || w[i] > 8) return false;
  }
  std::string data;
  if (StreamData(stream, number, stream.generation, data) != DecodeResult::Ok) return false;
  std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
  const Object* index = Lookup(stream, "Index");
  if (index && index->type == Object::Type::Array) {
    for (std::size_t i = 0; i + 1 < index->items.size(); i += 2)
      ranges.emplace_back(IntOf(&index->items[i], -1), IntOf(&index->items[i + 1], -1));
  } else {
    ranges.emplace_back(0, IntOf(Lookup(stream, "Size"), -1));
  }
  const std::size_t rowBytes = static_cast<std::size_t>(w[0] + w[1] + w[2]);
  if (rowBytes == 0) return false;
  std::size_t pos = 0;
  for (const auto& [start, count] : ranges) {
    if (start < 0 || count < 0 || static_cast<std::uint64_t>(start + count) > kMaxObjects)
      return false;
    for (std::int64_t i = 0; i < count && pos + rowBytes <= data.size(); ++i) {
      std::uint64_t field[3] = {w[0] == 0 ? 1u : 0u, 0, 0};
      for (int f = 0; f < 3; ++f) {
        if (w[f] == 0) continue;
        std::uint64_t value = 0;
        for (int b = 0; b < w[f]; ++b)
          value = (value << 8) | static_cast<unsigned char>(data[pos++]);
        field[f] = value;
      }
      Entry entry;
      if (field[0] == 1) {
        entry.type = 1;
        entry.offset = field[1];
        entry.index = static_cast<std::uint32_t>(field[2]);
      } else if (field[0] == 2) {
        entry.type = 2;
        entry.offset = field[1];
        entry.index = static_cast<std::uint32_t>(field[2]);
      }
      SetEntry(static_cast<std::uint64_t>(start + i), entry);
    }
  }
  return true;
}

bool Document::ReadSection(std::uint64_t offset, int depth) {
  std::vector<std::uint64_t> seen;
  while (depth < kMaxSections) {
    if (std::find(seen.begin(), seen.end(), offset) != seen.end()) return true;  // a /Prev loop
    seen.push_back(offset);
    ++depth;
    std::string start;
    if (!ReadWindow(source_, offset, 64, start)) return false;
    std::size_t skip = 0;
    while (skip < start.size() && IsPdfSpace(static_cast<unsigned char>(start[skip]))) ++skip;
    Object trailer;
    if (start.compare(skip, 4, "xref") == 0) {
      if (!ReadTable(offset + skip, trailer)) return false;
      // A hybrid file keeps the objects of its object streams in an xref stream.
      if (const Object* hybrid = trailer.Get("XRefStm");
          hybrid && hybrid->type == Object::Type::Int) {
        Object stream;
        if (ParseAt(static_cast<std::uint64_t>(hybrid->integer), std::nullopt, stream) &&
            stream.type == Object::Type::Stream)
          ReadXrefStream(stream, 0);
      }
    } else {
      Object stream;
      if (!ParseAt(offset + skip, std::nullopt, stream) || stream.type != Object::Type::Stream)
        return false;
      const Object* type = stream.Get("Type");
      if (!type || !type->IsName("XRef") || !ReadXrefStream(stream, 0)) return false;
      trailer = stream;
      trailer.type = Object::Type::Dict;
    }
    if (!haveTrailer_) {
      trailer_ = trailer;
      haveTrailer_ = true;
    }
    const Object* prev = trailer.Get("Prev");
    if (!prev || prev->type != Object::Type::Int || prev->integer < 0) return true;
    offset = static_cast<std::uint64_t>(prev->integer);
  }
  return false;
}

bool Document::Rebuild() {
  rebuilt_ = true;
  entries_.clear();
  cache_.clear();
  objStmNumber_ = 0;
  objStmData_.clear();
  haveTrailer_ = false;
  std::vector<std::uint64_t> trailers;
  const std::uint64_t total = source_.Size();
  std::string chunk;
  constexpr std::size_t kOverlap = 48;
  for (std::uint64_t at = 0; at < total; at += kScanChunk) {
    if (Cancelled()) return false;
    const std::uint64_t from = at >= kOverlap ? at - kOverlap : 0;
    if (!ReadWindow(source_, from, kScanChunk + (at - from), chunk)) return false;
    const std::size_t own = static_cast<std::size_t>(at - from);
    for (std::size_t p = chunk.find("obj", own); p != std::string::npos;
         p = chunk.find("obj", p + 1)) {
      if (p + 3 < chunk.size() && IsPdfRegular(static_cast<unsigned char>(chunk[p + 3]))) continue;
      std::size_t q = p;
      while (q > 0 && IsPdfSpace(static_cast<unsigned char>(chunk[q - 1]))) --q;
      const std::size_t genEnd = q;
      while (q > 0 && IsDigit(chunk[q - 1])) --q;
      if (q == genEnd || q == 0 || !IsPdfSpace(static_cast<unsigned char>(chunk[q - 1]))) continue;
      const std::uint32_t gen =
          static_cast<std::uint32_t>(std::atoi(chunk.substr(q, genEnd - q).c_str()));
      while (q > 0 && IsPdfSpace(static_cast<unsigned char>(chunk[q - 1]))) --q;
      const std::size_t numEnd = q;
      while (q > 0 && IsDigit(chunk[q - 1])) --q;
      if (q == numEnd || numEnd - q > 8) continue;
      if (q > 0 && IsPdfRegular(static_cast<unsigned char>(chunk[q - 1]))) continue;
      const std::uint64_t number = std::strtoull(chunk.substr(q, numEnd - q).c_str(), nullptr, 10);
      if (number == 0 || number >= kMaxObjects) continue;
      if (number >= entries_.size()) entries_.resize(static_cast<std::size_t>(number) + 1);
      // A later object of the same number is its newer version.
      entries_[number] = Entry{1, from + q, gen};
    }
    for (std::size_t p = chunk.find("trailer", own); p != std::string::npos;
         p = chunk.find("trailer", p + 1))
      trailers.push_back(from + p + 7);
  }
  for (const std::uint64_t at : trailers) {
    std::string window;
    if (!ReadWindow(source_, at, kFirstWindow * 4, window)) continue;
    Parser parser(window, 0, true);
    Object dict;
    if (parser.Next(dict) == ParseStatus::Ok && dict.type == Object::Type::Dict &&
        dict.Get("Root")) {
      trailer_ = std::move(dict);
      haveTrailer_ = true;
    }
  }
  // Objects kept in object streams, and the trailer of an xref stream or the
  // catalog itself when no trailer dictionary survived.
  Object catalog;
  const std::size_t known = entries_.size();
  for (std::size_t number = 1; number < known; ++number) {
    if (entries_[number].type != 1) continue;
    if ((number & 255) == 0 && Cancelled()) return false;
    Object object;
    if (!ParseAt(entries_[number].offset, static_cast<std::uint32_t>(number), object)) continue;
    const Object* type = object.Get("Type");
    if (!type) continue;
    if (type->IsName("XRef") && object.Get("Root") && !haveTrailer_) {
      trailer_ = object;
      trailer_.type = Object::Type::Dict;
    } else if (type->IsName("Catalog")) {
      catalog.type = Object::Type::Ref;
      catalog.integer = static_cast<std::int64_t>(number);
    } else if (type->IsName("ObjStm") && object.type == Object::Type::Stream) {
      std::string data;
      if (StreamData(object, static_cast<std::uint32_t>(number), object.generation, data) !=
          DecodeResult::Ok)
        continue;
      const std::int64_t first = IntOf(Lookup(object, "First"), -1);
      if (first < 0 || static_cast<std::uint64_t>(first) > data.size()) continue;
      Parser header(std::string_view(data).substr(0, static_cast<std::size_t>(first)), 0, false);
      Object num, off;
      for (std::uint32_t i = 0;
           header.Next(num) == ParseStatus::Ok && header.Next(off) == ParseStatus::Ok &&
           num.type == Object::Type::Int;
           ++i)
        SetEntry(static_cast<std::uint64_t>(num.integer), Entry{2, number, i});
    }
  }
  // A root that leads to no page tree gives way to a catalog found by the scan,
  // which may be one of the objects kept in an object stream.
  const auto rootWorks = [&] {
    const Object* root = trailer_.Get("Root");
    if (!root) return false;
    const Object& found = Resolve(*root);
    return found.IsDict() && Lookup(found, "Pages") != nullptr;
  };
  if (!rootWorks()) {
    for (std::size_t number = 1; number < entries_.size() && catalog.type != Object::Type::Ref;
         ++number) {
      if (entries_[number].type != 2) continue;
      if ((number & 255) == 0 && Cancelled()) return false;
      Object ref;
      ref.type = Object::Type::Ref;
      ref.integer = static_cast<std::int64_t>(number);
      const Object& object = Resolve(ref);
      const Object* type = object.IsDict() ? object.Get("Type") : nullptr;
      if (type && type->IsName("Catalog")) catalog = ref;
    }
    if (catalog.type == Object::Type::Ref) {
      trailer_.type = Object::Type::Dict;
      bool replaced = false;
      for (std::size_t i = 0; i < trailer_.keys.size(); ++i)
        if (trailer_.keys[i] == "Root") {
          trailer_.items[i] = catalog;
          replaced = true;
        }
      if (!replaced) {
        trailer_.keys.push_back("Root");
        trailer_.items.push_back(catalog);
      }
    }
  }
  cache_.clear();
  return trailer_.Get("Root") != nullptr;
}

OpenResult Document::Open(const std::function<bool(Document&)>& unlock) {
  std::string head;
  if (!ReadWindow(source_, 0, 1024, head) || head.find("%PDF-") == std::string::npos)
    return OpenResult::NotPdf;
  const std::uint64_t total = source_.Size();
  std::string tail;
  const std::uint64_t tailStart = total > 4096 ? total - 4096 : 0;
  bool sectionsOk = false;
  if (ReadWindow(source_, tailStart, 4096, tail)) {
    const std::size_t at = tail.rfind("startxref");
    if (at != std::string::npos) {
      Parser parser(tail, at + 9, false);
      Object offset;
      if (parser.Next(offset) == ParseStatus::Ok && offset.type == Object::Type::Int &&
          offset.integer >= 0)
        sectionsOk = ReadSection(static_cast<std::uint64_t>(offset.integer), 0) && haveTrailer_;
    }
  }
  // The catalog may sit in an encrypted object stream: the key comes first.
  const auto unlocked = [&] {
    if (unlocked_ || !trailer_.Get("Encrypt")) return true;
    unlocked_ = unlock && unlock(*this);
    cache_.clear();
    objStmNumber_ = 0;
    objStmData_.clear();
    return unlocked_;
  };
  const auto hasPages = [&] {
    const Object* root = trailer_.Get("Root");
    if (!root) return false;
    const Object& catalog = Resolve(*root);
    return catalog.IsDict() && Lookup(catalog, "Pages") != nullptr;
  };
  if (sectionsOk && !unlocked()) return OpenResult::Locked;
  if (!sectionsOk || !hasPages()) {
    if (Cancelled() || !Rebuild()) return OpenResult::Damaged;
    if (!unlocked()) return OpenResult::Locked;
    if (!hasPages()) return OpenResult::Damaged;
  }
  return OpenResult::Ok;
}

void Document::CollectPages(const Object& node, const Object* resources, int depth,
                            std::vector<Object>& pages, std::vector<std::uint32_t>& visiting) {
  if (depth > kMaxTreeDepth || pages.size() >= kMaxPages || Cancelled()) return;
  if (const Object* own = Lookup(node, "Resources")) resources = own;
  const Object* kids = Lookup(node, "Kids");
  const Object* type = Lookup(node, "Type");
  if (kids && kids->type == Object::Type::Array && !(type && type->IsName("Page"))) {
    for (const Object& kid : kids->items) {
      if (kid.type == Object::Type::Ref) {
        const auto number = static_cast<std::uint32_t>(kid.integer);
        // A kid that is its own ancestor would never end.
        if (std::find(visiting.begin(), visiting.end(), number) != visiting.end()) continue;
        visiting.push_back(number);
        const Object& child = Resolve(kid);
        if (child.IsDict()) CollectPages(child, resources, depth + 1, pages, visiting);
        visiting.pop_back();
      } else if (kid.IsDict()) {
        CollectPages(kid, resources, depth + 1, pages, visiting);
      }
    }
    return;
  }
  Object page = node;
  if (!page.Get("Resources") && resources) {
    page.keys.push_back("Resources");
    page.items.push_back(*resources);
  }
  pages.push_back(std::move(page));
}

std::vector<Object> Document::Pages() {
  std::vector<Object> pages;
  const Object* root = trailer_.Get("Root");
  if (!root) return pages;
  const Object& catalog = Resolve(*root);
  const Object* tree = Lookup(catalog, "Pages");
  if (!tree || !tree->IsDict()) return pages;
  std::vector<std::uint32_t> visiting;
  if (const Object* ref = catalog.Get("Pages"); ref && ref->type == Object::Type::Ref)
    visiting.push_back(static_cast<std::uint32_t>(ref->integer));
  CollectPages(*tree, nullptr, 0, pages, visiting);
  return pages;
}

}  // namespace trovex::search::pdf
