#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "../../qmr5res/qmr5res.h"
#include "common/app.h"
#include "common/scoped_win.h"
#include "panel/frm_show_version.h"
#include "resource.h"
#include "test_support.h"

namespace rumona::test {
namespace {

constexpr wchar_t kModelLine[] = L"型番・製造番号：rumona_win_tests";
constexpr wchar_t kReportTail[] = L"\r\n\r\n 上記内容をぬべらHP関係者まで報告してください。";

void ExpectAt(HWND hwnd, float l, float t, float w, float h) {
  const RECT actual = RectInParent(hwnd);
  const RECT expected = PxRect(l, t, w, h);
  EXPECT_TRUE(EqualRect(&actual, &expected))
      << "at " << actual.left << "," << actual.top << " " << actual.right - actual.left << "x"
      << actual.bottom - actual.top;
}

LOGFONTW FontOf(HWND hwnd) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
  return lf;
}

// What a label is painted with, as the dialog hands it out.
struct LabelPaint {
  COLORREF text, back, brush;
  int mode;
};

LabelPaint PaintOf(HWND dialog, HWND label) {
  ScopedMemDC dc(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(label)));
  LOGBRUSH lb{};
  GetObjectW(brush, sizeof(lb), &lb);
  return {GetTextColor(dc.get()), GetBkColor(dc.get()), lb.lbColor, GetBkMode(dc.get())};
}

bool StartsWith(const std::wstring& s, const std::wstring& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::wstring& s, const std::wstring& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The longest static text of a window: a message box's message.
std::wstring LongestStaticText(HWND window) {
  std::wstring longest;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    const std::wstring text = WindowText(child);
    if (lstrcmpiW(cls, L"Static") == 0 && text.size() > longest.size()) longest = text;
  }
  return longest;
}

// A folder of its own under the temp folder, removed with what was put in it.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"rumona-version-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(GetTickCount()) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const auto& file : files_) DeleteFileW(file.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  std::wstring File(const std::wstring& name) {
    files_.push_back(path_ + name);
    return files_.back();
  }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  std::vector<std::wstring> files_;
};

// Clicks the link line as the mouse does; a message box that comes up is read and answered.
struct LinkClickResult {
  bool boxShown = false;
  std::wstring text;
  HWND boxOwner = nullptr;
  bool dialogVisibleMeanwhile = false;
};

LinkClickResult ClickLink(frmShowVersion& dialog) {
  LinkClickResult result;
  {
    ModalAnswerer answer(frmShowVersion::kLinkErrorTitle, [&](HWND box) {
      result.boxShown = true;
      result.text = LongestStaticText(box);
      result.boxOwner = GetWindow(box, GW_OWNER);
      result.dialogVisibleMeanwhile = IsWindowVisible(dialog.hwnd()) != FALSE;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    SendMessageW(dialog.Label5, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageW(dialog.Label5, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    Pump();
  }  // joins the answering thread: what it saw is complete
  return result;
}

TEST(VersionDialog, IsAFixedDialogWithoutIconOwnedByNoWindowOfTheProgram) {
  App app;
  frmShowVersion dialog;
  ASSERT_TRUE(dialog.Create());
  HWND hwnd = dialog.hwnd();
  EXPECT_EQ(WindowText(hwnd), L"ルモナのバージョン情報");
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  const LONG ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
  EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);  // the dialog frame, which also leaves out the icon
  EXPECT_FALSE(ex & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
  EXPECT_EQ(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(GetClassLongPtrW(hwnd, GCLP_HICON), 0);
  // Off the taskbar through an owner that is never shown, not through the program's windows.
  HWND owner = GetWindow(hwnd, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_NE(owner, app.form().hwnd());
  EXPECT_NE(owner, app.panel().hwnd());
  const RECT client = ClientRectPx(hwnd);
  EXPECT_EQ(client.right, 333);
  EXPECT_EQ(client.bottom, 223);
  EXPECT_FALSE(IsWindowVisible(hwnd));  // loaded, not yet shown
}

TEST(VersionDialog, ControlsHaveTheirGeometryCaptionsFontsAndColours) {
  frmShowVersion dialog;
  ASSERT_TRUE(dialog.Create());
  ExpectAt(dialog.Command1, 3570, 2940, 1230, 345);
  ExpectAt(dialog.Label1[1], 165, 720, 4605, 270);
  ExpectAt(dialog.Label5, 240, 2985, 3315, 225);
  ExpectAt(dialog.Label4, 15, 2835, 4965, 60);
  ExpectAt(dialog.Label3[1], 165, 1545, 3225, 240);
  ExpectAt(dialog.Label3[0], 165, 1290, 3225, 240);
  ExpectAt(dialog.Label2, 165, 1035, 3225, 225);
  ExpectAt(dialog.Label1[0], 900, 240, 3840, 330);
  const RectPx image = ToPixels(frmShowVersion::kImage1Rect);
  EXPECT_EQ(image, (RectPx{19, 11, 51, 43}));

  EXPECT_EQ(WindowText(dialog.Command1), L"OK");
  EXPECT_EQ(WindowText(dialog.Label1[0]), L"ルモナ");
  EXPECT_EQ(WindowText(dialog.Label1[1]), kModelLine);  // Form_Load: after the exe's name
  EXPECT_EQ(WindowText(dialog.Label2), L"Varsion　1.0.0");
  EXPECT_EQ(WindowText(dialog.Label5), L"ここをクリックするとぬべらHPが開きます。");
  EXPECT_EQ(WindowText(dialog.Label4), L"");
  EXPECT_FALSE(WindowText(dialog.Label3[0]).empty());
  EXPECT_FALSE(WindowText(dialog.Label3[1]).empty());

  struct Expected { HWND hwnd; double points; LONG height; bool bold, underline; };
  const Expected fonts[] = {{dialog.Label1[0], 14.25, -19, true, false},
                            {dialog.Label1[1], 9.75, -13, true, false},
                            {dialog.Label5, 9, -12, false, true},
                            {dialog.Label2, 9, -12, false, false},
                            {dialog.Command1, 9, -12, false, false}};
  for (const auto& f : fonts) {
    const LOGFONTW lf = FontOf(f.hwnd);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"ＭＳ Ｐゴシック") << f.points;
    EXPECT_EQ(lf.lfHeight, f.height) << f.points;
    EXPECT_EQ(lf.lfWeight >= FW_BOLD, f.bold) << f.points;
    EXPECT_EQ(lf.lfUnderline != 0, f.underline) << f.points;
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET) << f.points;
  }

  for (HWND yellow : {dialog.Label1[0], dialog.Label1[1], dialog.Label2}) {
    const LabelPaint p = PaintOf(dialog.hwnd(), yellow);
    EXPECT_EQ(p.text, 0x00FFFFu);
    EXPECT_EQ(p.brush, 0x4E4E4Eu);
    EXPECT_EQ(p.back, 0x4E4E4Eu);
    EXPECT_EQ(p.mode, OPAQUE);
  }
  for (HWND white : {dialog.Label3[0], dialog.Label3[1]}) {
    const LabelPaint p = PaintOf(dialog.hwnd(), white);
    EXPECT_EQ(p.text, 0xFFFFFFu);
    EXPECT_EQ(p.brush, 0x4E4E4Eu);
  }
  const LabelPaint link = PaintOf(dialog.hwnd(), dialog.Label5);
  EXPECT_EQ(link.text, 0xFF0000u);
  EXPECT_EQ(link.mode, TRANSPARENT);
  EXPECT_EQ(link.brush, 0xFFFFFFu);  // the dialog's own background
  EXPECT_EQ(PaintOf(dialog.hwnd(), dialog.Label4).brush, GetSysColor(COLOR_BTNFACE));
}

TEST(VersionDialog, OkIsTheOnlyTabStopAndTheStackingFollowsTheTabOrder) {
  frmShowVersion dialog;
  ASSERT_TRUE(dialog.Create());
  std::vector<HWND> stacking;
  for (HWND c = GetWindow(dialog.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    stacking.push_back(c);
  const std::vector<HWND> tabOrder = {dialog.Label1[0], dialog.Label2,    dialog.Label3[0],
                                      dialog.Command1,  dialog.Label3[1], dialog.Label4,
                                      dialog.Label5,    dialog.Label1[1]};
  EXPECT_EQ(stacking, tabOrder);
  for (HWND c : stacking)
    EXPECT_EQ((GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP) != 0, c == dialog.Command1);
  EXPECT_EQ(GetWindowLongW(dialog.Command1, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST(VersionDialog, LinkLineShowsTheHandCursor) {
  frmShowVersion dialog;
  ASSERT_TRUE(dialog.Create());
  HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_LINK));
  ASSERT_NE(hand, nullptr);
  // The link line takes the mouse itself (so it can be clicked), and asks its parent for the
  // cursor as every control does.
  RECT rc;
  GetWindowRect(dialog.Label5, &rc);
  EXPECT_EQ(SendMessageW(dialog.Label5, WM_NCHITTEST, 0, MAKELPARAM(rc.left + 3, rc.top + 3)),
            HTCLIENT);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_TRUE(SendMessageW(dialog.Label5, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.Label5),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), hand);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  SendMessageW(dialog.Label2, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.Label2),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), hand);
}

TEST(VersionDialog, OpensModallyFromThePanelAndEnterOrEscClosesIt) {
  App app;
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Esc");
    bool answered = false, othersDisabled = false, closedByKey = false;
    HWND focus = nullptr, ok = nullptr, dialog = nullptr;
    std::wstring model;
    {
      ModalAnswerer answer(frmShowVersion::kTitle, [&](HWND hwnd) {
        answered = true;
        othersDisabled = !IsWindowEnabled(app.panel().hwnd()) &&
                         !IsWindowEnabled(app.form().hwnd());
        GUITHREADINFO gui{};
        gui.cbSize = sizeof(gui);
        GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &gui);
        focus = gui.hwndFocus;
        ok = FindChildByText(hwnd, L"OK");
        for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
          if (StartsWith(WindowText(c), frmShowVersion::kModelPrefix)) model = WindowText(c);
        // The key goes through the dialog's own modal loop, as typed.
        if (focus) PostMessageW(focus, WM_KEYDOWN, key, 1);
        for (int i = 0; i < 200 && IsWindow(hwnd); ++i) Sleep(25);
        closedByKey = !IsWindow(hwnd);
        if (!closedByKey) PostMessageW(hwnd, WM_CLOSE, 0, 0);  // never leave the test hanging
      });
      app.panel().Command3_Click();  // returns once the dialog has closed
      dialog = answer.seen();
    }
    EXPECT_TRUE(answered);
    EXPECT_TRUE(othersDisabled);
    EXPECT_NE(ok, nullptr);
    EXPECT_EQ(focus, ok);
    EXPECT_EQ(model, kModelLine);
    EXPECT_TRUE(closedByKey);
    EXPECT_FALSE(IsWindow(dialog));  // unloaded, not just hidden
    EXPECT_TRUE(IsWindowEnabled(app.panel().hwnd()));
    EXPECT_TRUE(IsWindowEnabled(app.form().hwnd()));
  }
}

TEST(VersionDialog, OkAndTheCloseBoxUnloadIt) {
  for (UINT how : {0u, 1u}) {
    frmShowVersion dialog;
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog.hwnd(), SW_SHOW);
    HWND hwnd = dialog.hwnd();
    if (how == 0)
      SendMessageW(dialog.Command1, BM_CLICK, 0, 0);
    else
      SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(hwnd)) << how;
    EXPECT_EQ(dialog.hwnd(), nullptr) << how;
  }
}

TEST(VersionDialog, LinkWithoutTheLibraryReportsWhatIsMissingAndStaysOpen) {
  TempFolder folder;
  frmShowVersion dialog;
  dialog.libraryPath = folder.File(L"QMR5Res.DLL");  // a folder without the library
  ASSERT_TRUE(dialog.Create());
  ShowWindow(dialog.hwnd(), SW_SHOW);
  const LinkClickResult missing = ClickLink(dialog);
  ASSERT_TRUE(missing.boxShown);
  EXPECT_TRUE(StartsWith(missing.text, dialog.libraryPath)) << missing.text.c_str();
  EXPECT_NE(missing.text.find(SystemErrorText(ERROR_MOD_NOT_FOUND)), std::wstring::npos);
  EXPECT_TRUE(EndsWith(missing.text, kReportTail));
  EXPECT_EQ(missing.boxOwner, dialog.hwnd());
  EXPECT_TRUE(missing.dialogVisibleMeanwhile);
  EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));

  // A file of that name that is no library: reported, never loaded.
  { std::ofstream(dialog.libraryPath.c_str(), std::ios::binary) << "not a library"; }
  const LinkClickResult broken = ClickLink(dialog);
  ASSERT_TRUE(broken.boxShown);
  EXPECT_TRUE(StartsWith(broken.text, dialog.libraryPath));
  EXPECT_TRUE(EndsWith(broken.text, kReportTail));

  // A module that loads but lacks the function: the test exe itself.
  dialog.libraryPath = ExePath();
  const LinkClickResult noFunction = ClickLink(dialog);
  ASSERT_TRUE(noFunction.boxShown);
  EXPECT_NE(noFunction.text.find(L"NuberaHpURL"), std::wstring::npos) << noFunction.text.c_str();
  EXPECT_NE(noFunction.text.find(SystemErrorText(ERROR_PROC_NOT_FOUND)), std::wstring::npos);
  EXPECT_TRUE(EndsWith(noFunction.text, kReportTail));
  EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
}

// The library is looked for beside the exe, and there only.
TEST(VersionDialog, LibraryIsLoadedByItsFullPathBesideTheExe) {
  frmShowVersion dialog;
  EXPECT_EQ(dialog.libraryPath, ExeFolder() + L"QMR5Res.DLL");
}

TEST(QMR5Res, ExportsTheAddressUndecoratedAsStaticAnsiText) {
  HMODULE library = LoadLibraryW((ExeFolder() + L"QMR5Res.dll").c_str());
  ASSERT_NE(library, nullptr) << "QMR5Res.dll is built beside the test exe";
  auto proc = reinterpret_cast<NuberaHpURLProc>(
      reinterpret_cast<void*>(GetProcAddress(library, "NuberaHpURL")));
  ASSERT_NE(proc, nullptr);
  const char* first = proc();
  ASSERT_NE(first, nullptr);
  const std::string url = first;
  EXPECT_EQ(proc(), first);  // the same static text at every call
  EXPECT_EQ(url.rfind("https://", 0), 0u) << url;
  // No home page yet: the address lies under a domain reserved for examples.
  const std::string host = url.substr(8, url.find('/', 8) - 8);
  EXPECT_TRUE(host == "example.com" || host.ends_with(".example.com")) << host;
  FreeLibrary(library);
}

struct FindData {
  DWORD pid;
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lp) {
  auto* f = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == f->pid && IsWindowVisible(hwnd) && WindowText(hwnd) == *f->title) {
    f->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Runs a copy of the program under another name and reads its dialog from outside.
class ProgramCopy {
 public:
  ProgramCopy(TempFolder& folder, const std::wstring& name) {
    const std::wstring exe = folder.File(name + L".exe");
    folder.File(name + L".ini");  // in case it gets to write its settings
    ok_ = CopyFileW((ExeFolder() + L"rumona.exe").c_str(), exe.c_str(), FALSE) != FALSE;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    std::wstring cmd = L"\"" + exe + L"\"";
    ok_ = ok_ && CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                folder.path().c_str(), &si, &pi_);
  }
  ~ProgramCopy() {
    if (pi_.hProcess) {
      TerminateProcess(pi_.hProcess, 0);
      WaitForSingleObject(pi_.hProcess, 10000);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  bool started() const { return ok_; }

  // A visible top-level window of the copy by its title; waits for it up to 30 s.
  HWND WaitForWindow(const std::wstring& title) const {
    FindData find{pi_.dwProcessId, &title, nullptr};
    for (int i = 0; i < 600 && !find.found; ++i) {
      EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&find));
      if (!find.found) Sleep(50);
    }
    return find.found;
  }

 private:
  bool ok_ = false;
  PROCESS_INFORMATION pi_{};
};

TEST(VersionDialog, ModelLineFollowsTheNameTheExeIsRunUnder) {
  TempFolder folder;
  ProgramCopy copy(folder, L"basu3");
  ASSERT_TRUE(copy.started()) << "rumona.exe is built beside the test exe";
  HWND panel = copy.WaitForWindow(L"設定パネル");
  ASSERT_NE(panel, nullptr);
  HWND button = FindChildByText(panel, L"バージョン情報");
  ASSERT_NE(button, nullptr);
  PostClick(button);
  HWND dialog = copy.WaitForWindow(L"ルモナのバージョン情報");
  ASSERT_NE(dialog, nullptr);
  std::wstring model;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (StartsWith(WindowText(c), frmShowVersion::kModelPrefix)) model = WindowText(c);
  EXPECT_EQ(model, L"型番・製造番号：basu3");
}

}  // namespace
}  // namespace rumona::test
