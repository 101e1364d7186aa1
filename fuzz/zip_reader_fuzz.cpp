// The zip reader over any bytes, as a .zip and as each kind of document: no
// fault, no hang, and never more text than the limit; the directory read from
// memory gives entries that lie within the bytes or are refused when read.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "search/byte_source.h"
#include "search/document_parts.h"
#include "search/zip_archive.h"

using namespace trovex::search;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  const MemoryBytes source(data);
  std::vector<ZipEntry> entries;
  if (ReadZipDirectory(source, entries) != ZipOpen::Ok) return 0;
  std::uint64_t total = 0;
  for (const ZipEntry& entry : entries) {
    std::uint64_t produced = 0;
    const StreamEnd end = ReadZipEntry(
        source, entry,
        [&](std::string_view piece) {
          produced += piece.size();
          return true;
        },
        nullptr);
    if (end == StreamEnd::Complete && produced != entry.size) {
      std::fprintf(stderr, "an entry read whole differs from its size\n");
      std::abort();
    }
    total += produced;
  }
  for (ContainerKind kind : {ContainerKind::Word, ContainerKind::Sheet, ContainerKind::Slides,
                             ContainerKind::OpenDocument, ContainerKind::Epub}) {
    for (const DocumentPart& part : DocumentParts(kind, entries, source, nullptr)) {
      if (part.entry >= entries.size()) {
        std::fprintf(stderr, "a document part names no entry\n");
        std::abort();
      }
      std::string text;
      XmlTextExtractor extractor(part.kind, text);
      ReadZipEntry(
          source, entries[part.entry],
          [&](std::string_view piece) {
            extractor.Feed(piece);
            text.clear();
            return true;
          },
          nullptr);
      extractor.Finish();
    }
  }
  (void)total;
  return 0;
}
