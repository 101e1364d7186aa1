#pragma once
// The text inside documents and archives: the words of .docx, .xlsx, .pptx, .odt,
// .ods, .odp, .epub and .pdf files, the entries of .zip files one after the other, the
// decompressed bytes of .gz files. What is read is handed over in parts (a
// document's text, a zip entry, a .gz's bytes), each in pieces, so that memory
// stays at a few chunks whatever the size of the file. Archives inside an archive
// are not opened; documents inside a .zip are read through their text.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trovex::search {

enum class ContainerKind { None, Word, Sheet, Slides, OpenDocument, Epub, Pdf, Zip, Gzip };

// By the name's extension, letter case ignored.
ContainerKind ContainerKindOf(std::string_view name);

inline bool IsDocumentKind(ContainerKind kind) {
  return kind != ContainerKind::None && kind != ContainerKind::Zip && kind != ContainerKind::Gzip;
}

struct ContainedPart {
  // The zip entry's name as CP932 text, for showing; empty for the text of a
  // document and the bytes of a .gz.
  std::string name;
  // The name whose extension tells what the bytes are (".doc", ".tar", ...).
  std::string typeName;
  // UTF-8 text taken from a document's XML; false: the entry's own bytes.
  bool extractedText = false;
};

class ContainedSink {
 public:
  virtual ~ContainedSink() = default;
  // Each returns false to stop the reading.
  virtual bool BeginPart(const ContainedPart& part) = 0;
  virtual bool Piece(std::string_view bytes) = 0;
  virtual bool EndPart() = 0;
};

enum class ContainedEnd {
  NotContained,  // not a valid archive of its kind: its bytes are what is searched
  Complete,      // read to the end, or to the limit on text per file
  Stopped,       // the sink asked to stop
  Damaged,       // damaged, truncated or a zip bomb
  Cancelled,
};

struct ContainedRead {
  ContainedEnd end = ContainedEnd::NotContained;
  // Entries that could not be read (encrypted, or compressed in a way this reader
  // does not know) were passed over.
  bool skippedEntries = false;
};

// At most this many bytes of text are read from one file.
inline constexpr std::uint64_t kMaxContainedBytes = 256ull << 20;

ContainedRead ReadContainedText(const std::string& path, ContainerKind kind, ContainedSink& sink,
                                const std::atomic<bool>* cancel);

// Everything ReadContainedText hands over for the file, its parts one after the
// other, at most `limit` bytes: the text a search of the file looks at, for
// showing it. nullopt when the file is no container or cannot be read.
std::optional<std::string> ContainedTextOf(const std::string& path,
                                           std::size_t limit = kMaxContainedBytes);

}  // namespace trovex::search
