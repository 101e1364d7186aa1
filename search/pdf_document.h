#pragma once
// A PDF file read through its cross-reference data: the classic table or an xref
// stream, the sections of incremental updates one after the other through /Prev,
// objects kept in object streams, and, when that data is damaged, a table rebuilt
// by scanning the file for "N G obj". Objects are read from the file as they are
// asked for, so memory holds the objects in use, not the file.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "search/byte_source.h"
#include "search/pdf_filters.h"
#include "search/pdf_object.h"

namespace trovex::search::pdf {

enum class OpenResult { Ok, NotPdf, Damaged, Locked };

// Decrypts the data of the stream of object `number`, `generation` in place.
using StreamDecryptor =
    std::function<bool(std::uint32_t number, std::uint32_t generation, std::string& data)>;

class Document {
 public:
  Document(const ByteSource& source, const std::atomic<bool>* cancel)
      : source_(source), cancel_(cancel) {}

  // `unlock` is called once the trailer is known, when it names an /Encrypt
  // dictionary; false from it makes the file Locked.
  OpenResult Open(const std::function<bool(Document&)>& unlock);

  const Object& Trailer() const { return trailer_; }
  // The object a reference points to (the object itself when it is no reference);
  // a missing or unreadable object reads as null.
  const Object& Resolve(const Object& object, int depth = 0);
  // The value of `key` in `dict`, resolved; nullptr when absent or null.
  const Object* Lookup(const Object& dict, std::string_view key);
  // The decoded data of a stream object (found through `owner`, the reference that
  // named it, for decryption). Image: an image left alone.
  DecodeResult StreamData(const Object& stream, std::uint32_t number, std::uint32_t generation,
                          std::string& out);
  // Stream data by a reference or a direct stream.
  DecodeResult StreamDataOf(const Object& objectOrRef, std::string& out);

  // The page dictionaries in order, each with its inherited /Resources filled in.
  std::vector<Object> Pages();

  void SetDecryptor(StreamDecryptor decryptor) { decryptor_ = std::move(decryptor); }
  bool Cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }
  bool Rebuilt() const { return rebuilt_; }

 private:
  struct Entry {
    std::uint8_t type = 0;     // 0 free or unknown, 1 at an offset, 2 in an object stream
    std::uint64_t offset = 0;  // type 1: file offset; type 2: the object stream's number
    std::uint32_t index = 0;   // type 2: index in that stream; type 1: generation
  };
  bool ReadSection(std::uint64_t offset, int depth);
  bool ReadTable(std::uint64_t offset, Object& trailer);
  bool ReadXrefStream(const Object& stream, std::uint32_t number);
  void SetEntry(std::uint64_t number, const Entry& entry);
  bool Rebuild();
  // Parses the object at `offset` ("N G obj ..."); its number is checked when given.
  bool ParseAt(std::uint64_t offset, std::optional<std::uint32_t> number, Object& out);
  bool LoadFromStream(std::uint32_t stream, std::uint32_t index, std::uint32_t number, Object& out);
  bool RawStream(const Object& stream, std::string& out);
  void CollectPages(const Object& node, const Object* resources, int depth,
                    std::vector<Object>& pages, std::vector<std::uint32_t>& visiting);

  const ByteSource& source_;
  const std::atomic<bool>* cancel_;
  std::vector<Entry> entries_;
  Object trailer_;
  bool haveTrailer_ = false;
  bool rebuilt_ = false;
  std::unordered_map<std::uint32_t, Object> cache_;
  std::vector<std::uint32_t> resolving_;
  // The last object stream read, decoded, with its objects' offsets.
  std::uint32_t objStmNumber_ = 0;
  std::string objStmData_;
  std::vector<std::pair<std::uint32_t, std::size_t>> objStmOffsets_;
  StreamDecryptor decryptor_;
  bool unlocked_ = false;
};

// Object numbers beyond this are taken for damage.
inline constexpr std::uint64_t kMaxObjects = 8u << 20;

}  // namespace trovex::search::pdf
