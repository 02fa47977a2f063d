#pragma once
// The signboard `PicKanban` and its frame `shpK_Waku`: the board's place, picture and visibility,
// the frame's layouts, and the work of the board's menu commands. The bus window owns one; the
// board box and the menu hand their events to it.
#include <windows.h>

#include <array>
#include <climits>
#include <string>

#include "common/light_controls.h"
#include "common/picture_loader.h"

namespace rumona {

class Signboard {
 public:
  // Design-time places: the board, and its frame's left post, right post and bottom bar.
  static constexpr RectTw kDesignRect{7425, 1665, 1410, 450};
  static constexpr std::array<RectTw, 3> kDesignFrame{
      RectTw{7350, 1650, 75, 495}, RectTw{8835, 1650, 75, 495}, RectTw{7350, 2115, 1560, 60}};

  static constexpr UINT kDecodedMessage = WM_APP + 1;  // posted to the board box by the loader

  Signboard();
  void SetBox(HWND box) { box_ = box; }  // `PicKanban`, a child of the bus window
  HWND box() const { return box_; }
  // The picture for the bus window's DPI (resampled once: it keeps its size in twips), and the
  // board placed at it.
  void SetDpi(int dpi);
  void PlaceBox();  // the box at the board's rectangle, at the DPI

  // The board's rectangle in twips of the bus window: as set, until the board has been dragged
  // to another pixel.
  RectTw Rect() const;
  void Move(float left, float top);
  void MoveSize(const RectTw& rect);  // lays the frame out again when the size changed
  void SetPicture(Picture picture);   // sizes the board to it, keeping Left and Top
  // The picture of `path` set, with the frame laid round it, once it has been decoded off this
  // thread, so that the window need not wait for it; unless another picture is set meanwhile.
  // A file that cannot be read leaves the board as it is; one that can becomes `strKanbanPath`.
  void SetPictureWhenDecoded(const std::wstring& path);
  void OnDecoded();  // the board box's message from the loader
  bool Loading() const { return !pending_.empty(); }
  const Picture& picture() const { return picture_; }  // as loaded
  void SetVisible(bool visible);

  const std::array<LightShape, 3>& Frame() const { return shpK_Waku; }
  void SetFrameVisible(bool visible);  // repainting its places
  void LayoutFrame();                  // posts beside the board, bar under it
  void LayoutFrameOnResize();          // the same, keeping the posts' heights

  // The picture command: asks for a file modal to `owner`, and shows it on the board only once it
  // has loaded. `strKanbanPath` is then its path.
  void ChoosePicture(HWND owner);
  // The reset: no picture, the design-time place and size, the frame round it.
  void Reset();

  void Paint(HDC dc, HDC scratch) const;  // the board box's client area

  std::wstring strKanbanPath;  // the picture's path as chosen or read from the settings

 private:
  void Relayout(void (*layout)(const RectTw&, std::array<RectTw, 3>&));
  void RepaintFrame(const std::array<LightShape, 3>& before) const;

  HWND box_ = nullptr;
  int dpi_ = kBaseDpi;
  RectTw rect_ = kDesignRect;
  Picture picture_;  // as loaded
  Picture shown_;    // at the DPI, or as loaded where that copy would be too large
  std::array<LightShape, 3> shpK_Waku;  // left post, right post, bottom bar
  std::wstring C_Dialog1FileName;       // the open dialog's file name, kept between uses
  std::wstring pending_;                // the path of the picture to set when decoded
  PictureLoader loader_{{INT_MAX, INT_MAX}, false};  // the whole picture, its first frame
};

}  // namespace rumona
