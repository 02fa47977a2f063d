#pragma once
// The bus window's two picture boxes, each a child window of its own: the sign box `Picture1`
// and the board `PicKanban`. They paint and take input through the bus window's handlers.
#include <windows.h>

#include "common/base_window.h"
#include "common/twips_logic.h"

namespace rumona {

class Form1;

// `Picture1`: holds the sign image and the keys that step the sign.
class SignBox : public BaseWindow<SignBox> {
 public:
  explicit SignBox(Form1& form) : form_(form) {}
  // Null when the box cannot be made: the bus window then fails its creation.
  HWND Create(const RectTw& rect);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  void Release(LPARAM lp);

  Form1& form_;
  bool pressed_ = false;  // a left press starts a click that the release completes
};

// `PicKanban`: the signboard, which a left press drags and a right press opens the menu on.
class BoardBox : public BaseWindow<BoardBox> {
 public:
  explicit BoardBox(Form1& form) : form_(form) {}
  // Null as for the sign box. The board keeps its own place, which it lays out at each DPI.
  HWND Create(const RectTw& rect);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  void Press(int button, LPARAM lp);

  Form1& form_;
};

}  // namespace rumona
