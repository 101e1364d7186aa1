#include "search/contained_text.h"

#include <algorithm>
#include <vector>

#include "platform/text/cp932.h"
#include "platform/text/utf8.h"
#include "search/byte_source.h"
#include "search/document_parts.h"
#include "search/file_extension.h"
#include "search/pdf_text.h"
#include "search/xml_text.h"
#include "search/zip_archive.h"

namespace trovex::search {
namespace {

// A document inside a .zip is read from memory; a larger one is searched as bytes.
constexpr std::uint64_t kMaxInnerDocument = 64u << 20;

struct KindByExtension {
  std::string_view extension;
  ContainerKind kind;
};
constexpr KindByExtension kKinds[] = {
    {".docx", ContainerKind::Word},        {".docm", ContainerKind::Word},
    {".dotx", ContainerKind::Word},        {".xlsx", ContainerKind::Sheet},
    {".xlsm", ContainerKind::Sheet},       {".xltx", ContainerKind::Sheet},
    {".pptx", ContainerKind::Slides},      {".pptm", ContainerKind::Slides},
    {".ppsx", ContainerKind::Slides},      {".potx", ContainerKind::Slides},
    {".odt", ContainerKind::OpenDocument}, {".ods", ContainerKind::OpenDocument},
    {".odp", ContainerKind::OpenDocument}, {".ott", ContainerKind::OpenDocument},
    {".epub", ContainerKind::Epub},        {".pdf", ContainerKind::Pdf},
    {".zip", ContainerKind::Zip},          {".gz", ContainerKind::Gzip},
    {".tgz", ContainerKind::Gzip}};

// The sink with the per-file limit on what is handed over.
class Limited {
 public:
  explicit Limited(ContainedSink& sink) : sink_(sink) {}
  bool Begin(const ContainedPart& part) { return sink_.BeginPart(part); }
  bool Piece(std::string_view bytes) {
    if (bytes.size() > left_) {
      sink_.Piece(bytes.substr(0, static_cast<std::size_t>(left_)));
      left_ = 0;
      full_ = true;
      return false;
    }
    left_ -= bytes.size();
    return sink_.Piece(bytes);
  }
  bool End() { return sink_.EndPart(); }
  bool Full() const { return full_; }

 private:
  ContainedSink& sink_;
  std::uint64_t left_ = kMaxContainedBytes;
  bool full_ = false;
};

ContainedEnd FromStream(StreamEnd end, const Limited& out) {
  switch (end) {
    case StreamEnd::Complete:
      return ContainedEnd::Complete;
    case StreamEnd::Stopped:
      return out.Full() ? ContainedEnd::Complete : ContainedEnd::Stopped;
    case StreamEnd::Damaged:
      return ContainedEnd::Damaged;
    case StreamEnd::Cancelled:
      return ContainedEnd::Cancelled;
  }
  return ContainedEnd::Damaged;
}

// The text of every part of a document, as one part.
ContainedEnd ReadDocument(const ByteSource& source, const std::vector<ZipEntry>& entries,
                          const std::vector<DocumentPart>& parts, ContainedPart part, Limited& out,
                          const std::atomic<bool>* cancel) {
  part.extractedText = true;
  if (!out.Begin(part)) return ContainedEnd::Stopped;
  std::string text;
  for (const DocumentPart& document : parts) {
    XmlTextExtractor extractor(document.kind, text);
    const StreamEnd end = ReadZipEntry(
        source, entries[document.entry],
        [&](std::string_view piece) {
          extractor.Feed(piece);
          const bool more = out.Piece(text);
          text.clear();
          return more;
        },
        cancel);
    if (end != StreamEnd::Complete) return FromStream(end, out);
    extractor.Finish();
    if (!out.Piece(text)) return out.Full() ? ContainedEnd::Complete : ContainedEnd::Stopped;
    text.clear();
  }
  return out.End() ? ContainedEnd::Complete : ContainedEnd::Stopped;
}

std::string EntryNameText(const ZipEntry& entry) {
  if (!entry.utf8Name) return entry.name;
  const auto units = text::Utf8ToUtf16(entry.name);
  return units ? text::EncodeCp932(*units, '?') : entry.name;
}

ContainedEnd ReadEntryBytes(const ByteSource& source, const ZipEntry& entry,
                            const ContainedPart& part, Limited& out,
                            const std::atomic<bool>* cancel) {
  if (!out.Begin(part)) return ContainedEnd::Stopped;
  const StreamEnd end = ReadZipEntry(
      source, entry, [&](std::string_view piece) { return out.Piece(piece); }, cancel);
  if (end != StreamEnd::Complete) return FromStream(end, out);
  return out.End() ? ContainedEnd::Complete : ContainedEnd::Stopped;
}

// A document inside a .zip, read from memory through its text; nullopt when it
// is not one after all (then its bytes are searched).
std::optional<ContainedEnd> ReadInnerDocument(const ByteSource& source, const ZipEntry& entry,
                                              ContainerKind kind, const ContainedPart& part,
                                              Limited& out, const std::atomic<bool>* cancel) {
  std::string bytes;
  if (entry.size > kMaxInnerDocument) return std::nullopt;
  if (!ReadSmallZipEntry(source, entry, static_cast<std::size_t>(kMaxInnerDocument), bytes, cancel))
    return std::nullopt;
  const MemoryBytes inner(bytes);
  std::vector<ZipEntry> entries;
  if (ReadZipDirectory(inner, entries) != ZipOpen::Ok) return std::nullopt;
  const auto parts = DocumentParts(kind, entries, inner, cancel);
  if (parts.empty()) return std::nullopt;
  return ReadDocument(inner, entries, parts, part, out, cancel);
}

ContainedRead ReadZip(const ByteSource& source, ContainerKind kind, Limited& out,
                      const std::atomic<bool>* cancel) {
  ContainedRead read;
  std::vector<ZipEntry> entries;
  switch (ReadZipDirectory(source, entries)) {
    case ZipOpen::NotZip:
      read.end = ContainedEnd::NotContained;
      return read;
    case ZipOpen::Damaged:
      read.end = ContainedEnd::Damaged;
      return read;
    case ZipOpen::Ok:
      break;
  }
  if (IsDocumentKind(kind)) {
    const auto parts = DocumentParts(kind, entries, source, cancel);
    // A zip that lacks a document's parts is searched as the archive it is.
    if (!parts.empty()) {
      read.end = ReadDocument(source, entries, parts, ContainedPart{}, out, cancel);
      return read;
    }
  }
  for (const ZipEntry& entry : entries) {
    if (cancel && cancel->load(std::memory_order_relaxed)) {
      read.end = ContainedEnd::Cancelled;
      return read;
    }
    if (entry.IsFolder()) continue;
    if (!entry.Readable()) {
      read.skippedEntries = true;
      continue;
    }
    ContainedPart part;
    part.name = EntryNameText(entry);
    part.typeName = part.name;
    const ContainerKind inner = ContainerKindOf(entry.name);
    std::optional<ContainedEnd> end;
    if (IsDocumentKind(inner)) end = ReadInnerDocument(source, entry, inner, part, out, cancel);
    if (!end) end = ReadEntryBytes(source, entry, part, out, cancel);
    if (*end != ContainedEnd::Complete || out.Full()) {
      read.end = *end;
      return read;
    }
  }
  read.end = ContainedEnd::Complete;
  return read;
}

ContainedRead ReadGzip(const ByteSource& source, const std::string& path, Limited& out,
                       const std::atomic<bool>* cancel) {
  ContainedRead read;
  std::string magic;
  if (!ReadExactly(source, 0, 2, magic) || magic != "\x1F\x8B") return read;  // NotContained
  ContainedPart part;
  // "a.tgz" holds a ".tar", "a.txt.gz" a ".txt".
  part.typeName = HasExtension(path, ".tgz") ? path.substr(0, path.size() - 4) + ".tar"
                                             : path.substr(0, path.size() - 3);
  if (!out.Begin(part)) {
    read.end = ContainedEnd::Stopped;
    return read;
  }
  std::uint64_t next = 0;
  const ChunkSource chunks = [&](char* dest, std::size_t capacity) -> std::int64_t {
    const auto got = source.ReadAt(next, dest, capacity);
    if (!got) return -1;
    next += *got;
    return static_cast<std::int64_t>(*got);
  };
  const StreamEnd end = Inflate(
      Compression::Gzip, chunks, [&](std::string_view p) { return out.Piece(p); }, cancel);
  read.end = FromStream(end, out);
  if (read.end == ContainedEnd::Complete && !out.End()) read.end = ContainedEnd::Stopped;
  return read;
}

// The text of a PDF file's pages as one part.
ContainedRead ReadPdf(const ByteSource& source, Limited& out, const std::atomic<bool>* cancel) {
  ContainedRead read;
  ContainedPart part;
  part.extractedText = true;
  bool begun = false;
  const PdfEnd end = ReadPdfText(
      source,
      [&](std::string_view piece) {
        if (!begun) {
          begun = true;
          if (!out.Begin(part)) return false;
        }
        return out.Piece(piece);
      },
      cancel);
  switch (end) {
    case PdfEnd::NotPdf:
      read.end = ContainedEnd::NotContained;
      break;
    case PdfEnd::Complete:
      read.end = !begun || out.End() ? ContainedEnd::Complete : ContainedEnd::Stopped;
      break;
    case PdfEnd::Stopped:
      read.end = out.Full() ? ContainedEnd::Complete : ContainedEnd::Stopped;
      break;
    case PdfEnd::Damaged:
    case PdfEnd::Locked:
      read.end = ContainedEnd::Damaged;
      break;
    case PdfEnd::Cancelled:
      read.end = ContainedEnd::Cancelled;
      break;
  }
  return read;
}

class Gather final : public ContainedSink {
 public:
  explicit Gather(std::size_t limit) : limit_(limit) {}
  bool BeginPart(const ContainedPart&) override { return true; }
  bool Piece(std::string_view bytes) override {
    text.append(bytes.substr(0, std::min(bytes.size(), limit_ - text.size())));
    return text.size() < limit_;
  }
  bool EndPart() override { return true; }
  std::string text;

 private:
  std::size_t limit_;
};

}  // namespace

ContainerKind ContainerKindOf(std::string_view name) {
  for (const auto& entry : kKinds)
    if (HasExtension(name, entry.extension)) return entry.kind;
  return ContainerKind::None;
}

ContainedRead ReadContainedText(const std::string& path, ContainerKind kind, ContainedSink& sink,
                                const std::atomic<bool>* cancel) {
  ContainedRead read;
  if (kind == ContainerKind::None) return read;
  FileBytes file;
  if (!file.Open(path)) return read;  // the byte scan reports why
  Limited out(sink);
  if (kind == ContainerKind::Gzip) return ReadGzip(file, path, out, cancel);
  if (kind == ContainerKind::Pdf) return ReadPdf(file, out, cancel);
  return ReadZip(file, kind, out, cancel);
}

std::optional<std::string> ContainedTextOf(const std::string& path, std::size_t limit) {
  Gather gather(limit);
  const ContainedRead read = ReadContainedText(path, ContainerKindOf(path), gather, nullptr);
  if (read.end == ContainedEnd::Complete || read.end == ContainedEnd::Stopped)
    return std::move(gather.text);
  return std::nullopt;
}

}  // namespace trovex::search
