#pragma once
// Which XML parts of an office document or e-book hold its text, in reading order.
#include <atomic>
#include <cstddef>
#include <vector>

#include "search/byte_source.h"
#include "search/contained_text.h"
#include "search/xml_text.h"
#include "search/zip_archive.h"

namespace trovex::search {

struct DocumentPart {
  std::size_t entry = 0;  // index into the archive's entries
  XmlTextKind kind = XmlTextKind::WordProcessing;
};

// Empty when the archive has none of the parts a document of `kind` has. An
// e-book's order comes from its package file (the spine), read from `source`.
std::vector<DocumentPart> DocumentParts(ContainerKind kind, const std::vector<ZipEntry>& entries,
                                        const ByteSource& source, const std::atomic<bool>* cancel);

}  // namespace trovex::search
