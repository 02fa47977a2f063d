#include "bus_window/form1.h"
#include "bus_window/sign_list_logic.h"
#include "common/app.h"
#include "common/path_logic.h"

namespace rumona {

void Form1::picDir() {
  const DWORD error = File1.SetPath(strDir[0]);
  if (error == ERROR_SUCCESS) return;
  // No owner and task-modal: the bus window and the panel both wait for the box.
  if (IsPathNotFound(error)) {
    ShowMessage(nullptr, L"指定したパスが見つかりません。再度指定しなおしてください。",
                MB_OK | MB_TASKMODAL);
    MnuEditHkPic_Click();  // the chooser again, holding the rejected path
  } else {
    ShowMessage(nullptr, SystemErrorText(error), MB_OK | MB_TASKMODAL);
  }
}

void Form1::Picture1_KeyDown(int16_t keyCode, int) {
  // The separator is stored for every key, before the key is looked at; it is saved with it.
  EnsureTrailingBackslash(strDir[0]);
  const std::optional<int32_t> index = StepSignIndex(lngDesiIndex, File1.ListCount(), keyCode);
  if (!index) return;
  lngDesiIndex = *index;
  ShowSignEntry(lngDesiIndex);
}

// The folder is joined as a path, so one read from the settings file needs no separator stored;
// the keys and the keypad store theirs first, which joins the same way.
void Form1::ShowSignEntry(int index) {
  const std::wstring entry = File1.List(index);
  if (entry.empty()) return;
  Picture picture = Picture::FromFile(JoinPath(strDir[0], entry));
  if (!picture.empty()) SetSignPicture(std::move(picture));
}

}  // namespace rumona
