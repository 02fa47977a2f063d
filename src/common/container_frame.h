#pragma once
// A container frame: its own background colour, an etched border, an optional caption; it
// passes its children's notifications on to the top-level window.
#include <windows.h>

#include <string>

#include "common/base_window.h"
#include "common/scoped_win.h"

namespace rumona {

class ContainerFrame : public BaseWindow<ContainerFrame> {
 public:
  // A frame of `top`'s window (the top-level one), in `parent`.
  HWND Create(WindowCore& top, HWND parent, const RectTw& rect, const wchar_t* caption,
              COLORREF background);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  void Paint(HDC dc);
  COLORREF background_ = 0;
  std::wstring caption_;
  ScopedBrush brush_;
};

}  // namespace rumona
