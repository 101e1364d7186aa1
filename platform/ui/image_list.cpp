#include "platform/ui/image_list.h"

namespace trovex::ui {

ImageList::ImageList(int width, int height, int dpi)
    : width_(ScaleToDpi(width, dpi)), height_(ScaleToDpi(height, dpi)) {
  list_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
}

ImageList::~ImageList() {
  if (list_ != nullptr) ImageList_Destroy(list_);
}

int ImageList::Count() const { return ImageList_GetImageCount(list_); }

int ImageList::AddMasked(HBITMAP bitmap, COLORREF transparent) {
  return ImageList_AddMasked(list_, bitmap, transparent);
}

void ImageList::Draw(HDC dc, int index, int x, int y, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  if (enabled) {
    ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  HICON icon = ImageList_GetIcon(list_, index, ILD_TRANSPARENT);
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, width_, height_,
             DST_ICON | DSS_DISABLED);
  DestroyIcon(icon);
}

}  // namespace trovex::ui
