#pragma once
// The destination sign's state, and every change of it: the sign folder (`strDir` element 0), the
// sign list `File1` of its pictures, the index the arrow keys step from (`lngDesiIndex`) and the
// image `ImgDesiMaku` shown in the sign box `Picture1`.
#include <windows.h>

#include <cstdint>
#include <string>

#include "bus_window/file_list.h"
#include "common/light_controls.h"

namespace rumona {

class DestinationSign {
 public:
  static constexpr RectTw kBoxRect{4425, 675, 780, 480};  // `Picture1` on the bus window

  void SetBox(HWND box) { box_ = box; }  // `Picture1`, repainted when the image changes
  // The image for a DPI: a picture keeps its size in twips, so it is resampled once here.
  void SetDpi(int dpi);

  const std::wstring& Folder() const { return folder_; }
  const FileList& List() const { return File1; }
  const LightImage& Image() const { return ImgDesiMaku; }

  // The folder as typed or read, exactly; the list keeps pointing where it did.
  void StoreFolder(std::wstring folder) { folder_ = std::move(folder); }
  // The "\" that the arrow keys and the keypad store before they look at the list.
  void AppendSeparator();
  // Points the list at the stored folder: ERROR_SUCCESS, or why it could not be listed, with the
  // list left as it was.
  [[nodiscard]] DWORD PointListAtFolder() { return File1.SetPath(folder_); }
  // Up and Down step the index and show its entry; other keys change nothing.
  void Step(int16_t keyCode);
  // Shows the list's entry at `index`, leaving the index. A missing entry or a file that is no
  // picture leaves the sign as it is, silently.
  void ShowEntry(int index);

 private:
  void SetImage(Picture picture);

  HWND box_ = nullptr;
  int dpi_ = 0;
  Picture source_;  // the picture as loaded, at 96 DPI
  bool userPicture_ = false;  // false: the default sign
  std::wstring folder_;
  FileList File1;  // hidden: takes no room and no input
  int32_t lngDesiIndex = 0;
  LightImage ImgDesiMaku;
};

}  // namespace rumona
