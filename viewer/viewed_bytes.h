#pragma once
// What the binary view pages through: the file's own bytes, or the text a search
// looks at inside a document or archive (the words of a .docx, the entries of a
// .zip one after the other, a .gz decompressed), so that a row's hit offset into
// that text opens on its page. The file stays open either way.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/fs/random_access_file.h"
#include "search/byte_source.h"

namespace trovex::viewer {

class ViewedBytes final : public search::ByteSource {
 public:
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  // With `on`, the text inside the file when it is a document or archive that can
  // be read; otherwise, and when the file is neither, the file's own bytes.
  // Returns whether the text is what is shown now.
  bool ShowContainedText(bool on);
  bool ShowsContainedText() const { return text_.has_value(); }

  std::uint64_t Size() const override;
  std::optional<std::size_t> ReadAt(std::uint64_t offset, char* dest,
                                    std::size_t length) const override;

 private:
  std::string path_;
  fs::RandomAccessFile file_;
  std::optional<std::string> text_;
};

}  // namespace trovex::viewer
