#include "viewer/viewed_bytes.h"

#include "search/contained_text.h"

namespace trovex::viewer {

bool ViewedBytes::Open(const std::string& path) {
  Close();
  path_ = path;
  return file_.Open(path);
}

void ViewedBytes::Close() {
  file_.Close();
  text_.reset();
}

bool ViewedBytes::ShowContainedText(bool on) {
  text_.reset();
  if (on && file_.IsOpen() && search::ContainerKindOf(path_) != search::ContainerKind::None)
    text_ = search::ContainedTextOf(path_);
  return text_.has_value();
}

std::uint64_t ViewedBytes::Size() const { return text_ ? text_->size() : file_.Size(); }

std::optional<std::size_t> ViewedBytes::ReadAt(std::uint64_t offset, char* dest,
                                               std::size_t length) const {
  if (!text_) return file_.ReadAt(offset, dest, length);
  return search::MemoryBytes(*text_).ReadAt(offset, dest, length);
}

}  // namespace trovex::viewer
