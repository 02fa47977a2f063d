#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "common/accessible_name.h"
#include "test_support.h"

namespace rumona::test {
namespace {

bool ClassIs(HWND c, const wchar_t* name) {
  wchar_t cls[32] = {};
  GetClassNameW(c, cls, 32);
  return !lstrcmpiW(cls, name);
}

// Whether a control draws its window text as its caption: a button or a label of text, or a
// frame. (An edit's text is what it holds; the bus window's boxes and the bitmap buttons have
// theirs as their names only.)
bool DrawsCaption(HWND c) {
  const LONG style = GetWindowLongW(c, GWL_STYLE), type = style & SS_TYPEMASK;
  if (ClassIs(c, L"Button")) return !(style & (BS_BITMAP | BS_ICON));
  if (ClassIs(c, L"Static")) return type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP;
  return ClassIs(c, L"RumonaFrame");
}

// Runs `use` on a DC of the control with its font selected.
template <class F>
auto WithFont(HWND c, F use) {
  HDC dc = GetDC(c);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font ? font : DefaultUiFont(DpiOf(c)));
  const auto result = use(dc);
  SelectObject(dc, old);
  ReleaseDC(c, dc);
  return result;
}

// Whether a control's caption fits the room the control draws it in.
bool CaptionFits(HWND c) {
  const LONG style = GetWindowLongW(c, GWL_STYLE);
  std::wstring text = WindowText(c);
  if (text.empty() || !DrawsCaption(c)) return true;
  RECT room = ClientRectPx(c);
  UINT format = DT_SINGLELINE;
  if (ClassIs(c, L"Static")) {
    format = DT_WORDBREAK | (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
  } else if (ClassIs(c, L"Button") && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
    room.left += GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the button, then a gap
  } else if (ClassIs(c, L"Button")) {  // inside its 3D border
    InflateRect(&room, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  } else {  // a frame: " caption " on its top edge, 6 pixels in
    text = L" " + text + L" ";
    InflateRect(&room, -6, 0);
    format |= DT_NOPREFIX;
  }
  RECT need{0, 0, room.right - room.left, 0};
  WithFont(c, [&](HDC dc) { return DrawTextW(dc, text.c_str(), -1, &need, format | DT_CALCRECT); });
  return need.right <= room.right - room.left && need.bottom <= room.bottom - room.top;
}

// The Japanese faces of the system.
const std::vector<std::wstring>& JapaneseFaces() {
  static const std::vector<std::wstring> faces = [] {
    std::vector<std::wstring> all;
    LOGFONTW lf{.lfCharSet = SHIFTJIS_CHARSET};
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &lf, [](const LOGFONTW* f, const TEXTMETRICW*, DWORD, LPARAM lp) {
      reinterpret_cast<std::vector<std::wstring>*>(lp)->push_back(f->lfFaceName);
      return 1;
    }, reinterpret_cast<LPARAM>(&all), 0);
    ReleaseDC(nullptr, dc);
    return all;
  }();
  return faces;
}

// Whether some Japanese face of the system draws the character: one that none draws is a box
// whatever face the program takes.
bool SomeFaceDraws(wchar_t ch) {
  static std::map<wchar_t, bool> known;
  if (auto it = known.find(ch); it != known.end()) return it->second;
  HDC dc = GetDC(nullptr);
  bool drawn = false;
  for (const std::wstring& face : JapaneseFaces()) {
    LOGFONTW lf{.lfHeight = 12, .lfCharSet = SHIFTJIS_CHARSET};
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    HGDIOBJ old = SelectObject(dc, CreateFontIndirectW(&lf));
    WORD glyph = 0;
    drawn |= GetGlyphIndicesW(dc, &ch, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
             glyph != 0xFFFF;
    DeleteObject(SelectObject(dc, old));
  }
  ReleaseDC(nullptr, dc);
  return known[ch] = drawn;
}

// The characters of a control's text that its font draws as boxes.
std::wstring Boxes(HWND c) {
  const std::wstring text = WindowText(c);
  std::vector<WORD> glyphs(text.size());
  WithFont(c, [&](HDC dc) {
    return GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                            GGI_MARK_NONEXISTING_GLYPHS);
  });
  std::wstring boxes;
  for (size_t i = 0; i < text.size(); ++i)
    if (glyphs[i] == 0xFFFF && text[i] != L'&') boxes += text[i];
  return boxes;
}

// What a layout fault breaks: a control outside its parent, covered where clicked, cut, or in a
// face that draws boxes for letters that another face of the system has. (A caption with boxes
// that no face can draw is broken whatever its size: its fit is not asked.)
void ExpectControlsReachable(HWND parent) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r = RectInParent(c), client = ClientRectPx(parent), inside;
    IntersectRect(&inside, &r, &client);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (!(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) continue;
    EXPECT_TRUE(EqualRect(&inside, &r) &&
                ChildWindowFromPointEx(parent, centre, CWP_SKIPINVISIBLE) == c)
        << "outside or covered at " << r.left << "," << r.top;
    const std::wstring boxes = DrawsCaption(c) ? Boxes(c) : L"";
    EXPECT_TRUE(!boxes.empty() || CaptionFits(c)) << testing::PrintToString(WindowText(c)) << " cut";
    EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end(), SomeFaceDraws))
        << testing::PrintToString(WindowText(c)) << " in boxes";
    ExpectControlsReachable(c);
  }
}

// The name assistive technology reads for each control a user acts on, in the order of the
// window's children (a label's is the text it shows, a frame only holds others): its window
// text, which MSAA and UI Automation read, or for an edit or a scroll bar, whose text they pass
// over, the name annotated on it.
std::vector<std::wstring> Names(HWND window, const std::map<HWND, std::wstring>& annotated) {
  std::vector<std::wstring> names;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) continue;
    const bool byLabel = ClassIs(c, L"Edit") || ClassIs(c, L"ScrollBar");
    if (!ClassIs(c, L"Static") && !ClassIs(c, L"RumonaFrame"))
      names.push_back(annotated.count(c) ? annotated.at(c) : byLabel ? L"" : WindowText(c));
    for (const std::wstring& name : Names(c, annotated)) names.push_back(name);
  }
  return names;
}

// The faces the system has where "ＭＳ Ｐゴシック" is asked for: a proportional one, a wider
// fixed-pitch one, one without Latin letters or digits, one with a taller line box, that one
// after the one without letters. The windows' own texts are all drawn, and fit.
// The face taken, where the system has it (null: none of the row's).
struct FaceRow {
  std::vector<std::wstring> candidates;
  const wchar_t* taken;
};
class Windows : public testing::TestWithParam<FaceRow> {};

// Every control a user acts on has a name, those without a caption of their own by what they
// are or set; the annotations are recorded here, since Wine keeps none, and the chooser's goes
// with its window. Nothing shows of the door buttons' names.
TEST_P(Windows, StylesClientSizesAndReachableNamedControls) {
  std::map<HWND, std::wstring> annotated;
  Swapped<std::function<void(HWND, const wchar_t*)>> record{
      annotateName, [&](HWND c, const wchar_t* name) {
        if (name) annotated[c] = name;
        else annotated.erase(c);
      }};
  std::optional<Swapped<std::vector<std::wstring>>> faces{
      std::in_place, faceCandidates[static_cast<int>(JapaneseFace::kPGothic)],
      GetParam().candidates};
  App app;
  frmBrowseDir chooser;
  frmShowVersion version;
  const bool made = chooser.Create() && version.Create();
  faces.reset();  // the windows keep the fonts they have
  ASSERT_TRUE(made);
  const LOGFONTW font = FontOf(app.panel().Command3);
  EXPECT_NE(font.lfFaceName[0], L'@');  // a face for vertical text lays its letters on their side
  const auto& has = JapaneseFaces();
  const wchar_t* taken = GetParam().taken;
  if (taken && std::count(has.begin(), has.end(), taken)) {
    EXPECT_STREQ(font.lfFaceName, taken);
  }
  // Client sizes: the pixels of each design at 96 DPI, scaled and rounded for this DPI.
  const auto size = [](int width, int height) {
    return SIZE{MulDiv(width, SystemDpi(), 96), MulDiv(height, SystemDpi(), 96)};
  };
  constexpr DWORD kFixed = WS_CAPTION | WS_SYSMENU, kNot = WS_THICKFRAME | WS_MAXIMIZEBOX;
  constexpr DWORD kExMask =
      WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
  const struct {
    HWND hwnd;
    const wchar_t* title;
    SIZE client;
    DWORD style, exStyle;
  } windows[] = {
      {app.form().hwnd(), L"ルモナ　-　rumona_win_tests", size(764, 216), kFixed,
       WS_EX_APPWINDOW},
      {app.panel().hwnd(), L"設定パネル", size(263, 171), WS_CAPTION,
       WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
      {chooser.hwnd(), L"画像の位置", size(460, 81), kFixed, WS_EX_DLGMODALFRAME},
      {version.hwnd(), L"ルモナのバージョン情報", size(333, 223), kFixed, WS_EX_DLGMODALFRAME}};
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::Message() << "window " << &w - windows);
    const RECT client = ClientRectPx(w.hwnd);
    EXPECT_EQ(WindowText(w.hwnd), w.title);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(w.client.cx, w.client.cy));
    EXPECT_EQ(GetWindowLongW(w.hwnd, GWL_STYLE) & (kFixed | kNot | WS_MINIMIZEBOX),
              w.style);
    EXPECT_EQ(GetWindowLongW(w.hwnd, GWL_EXSTYLE) & kExMask, w.exStyle);
    EXPECT_EQ(GetClassLongPtrW(w.hwnd, GCLP_HICON) != 0, w.hwnd == app.form().hwnd());
    EXPECT_FALSE(IsWindowVisible(GetWindow(w.hwnd, GW_OWNER)));  // owned by no window of ours
    // The shell's rule for a taskbar button, from the moment the window shows: an unowned
    // window that is no tool window, or an app window. Only the bus window has one.
    const LONG ex = GetWindowLongW(w.hwnd, GWL_EXSTYLE);
    EXPECT_EQ((ex & WS_EX_APPWINDOW) || (!GetWindow(w.hwnd, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW)),
              w.hwnd == app.form().hwnd());
    ExpectControlsReachable(w.hwnd);
  }
  EXPECT_EQ(Names(app.form().hwnd(), annotated), (std::vector<std::wstring>{L"看板", L"方向幕"}));
  EXPECT_EQ(Names(app.panel().hwnd(), annotated),
            (std::vector<std::wstring>{L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9",
                                       L"C", L"設定", L"方向幕フォルダー", L"右", L"左", L"両方",
                                       L"前扉", L"中扉", L"中扉の速度", L"前扉の速度",
                                       L"バージョン情報"}));
  EXPECT_EQ(Names(chooser.hwnd(), annotated),
            (std::vector<std::wstring>{L"キャンセル", L"OK", L"参照(&B)...", L"位置"}));
  EXPECT_EQ(Names(version.hwnd(), annotated), std::vector<std::wstring>{L"OK"});
  std::vector<std::wstring> lines;  // every line of the version dialog, in its tab order
  for (HWND c = GetWindow(version.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    lines.push_back(WindowText(c));
  EXPECT_EQ(lines, (std::vector<std::wstring>{
                       L"ルモナ", L"Varsion　1.0.0", L"製造：ぬべら工房　2026", L"OK",
                       L"開発：みなと電算工房　2025-2026", L"",
                       L"ここをクリックするとぬべらHPが開きます。", L"型番・製造番号：rumona_win_tests"}));
  DestroyWindow(chooser.hwnd());
  EXPECT_EQ(annotated.size(), 2u);  // the speed bars' alone
  for (HWND door : {app.panel().Check1, app.panel().Check2}) {
    const Pixels named = CaptureClient(door);
    const std::wstring name = WindowText(door);
    SetWindowTextW(door, L"");
    EXPECT_EQ(CaptureClient(door).px, named.px) << testing::PrintToString(name);
    SetWindowTextW(door, name.c_str());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faces, Windows,
    testing::Values(FaceRow{{L"IPAPGothic"}, L"IPAPGothic"}, FaceRow{{L"IPAGothic"}, nullptr},
                    FaceRow{{L"Droid Sans Fallback"}, nullptr},
                    FaceRow{{L"Noto Sans CJK JP"}, L"Noto Sans CJK JP"},
                    FaceRow{{L"Droid Sans Fallback", L"Noto Sans CJK JP"}, L"Noto Sans CJK JP"}),
    Row);

// The sign's keys step it in list order; a right press opens the popup menu on the background
// alone, and Shift+F10 and the Menu key open it below the control that has the focus, kept off
// it; its keys choose an item or close it, and the focus is where it was.
TEST(Form1, KeysStepTheSignAndOnlyARightPressOnTheBackgroundOrTheMenuKeysOpenTheMenu) {
  TempDir dir;
  WriteBmp(dir.File(L"a.bmp"), 104, 64, 0x0000FF);
  WriteBmp(dir.File(L"B.bmp"), 20, 10, 0x00FF00);
  WriteFileBytes(dir.File(L"c.bmp"), "not a picture");
  App app;
  Form1& f = app.form();
  EXPECT_EQ(GetFocus(), f.Picture1);
  const Pixels defaultSign = CaptureClient(f.Picture1);
  ShowFolder(f, dir.path());
  // The sign's keys stop at both ends and show pictures at their own size.
  const auto key = [&](WPARAM k) {
    SendMessageW(f.Picture1, WM_KEYDOWN, k, 1);
    WaitForPictures(f);
  };
  key(VK_UP);
  EXPECT_EQ(CaptureClient(f.Picture1).px, defaultSign.px);
  key(VK_DOWN);
  const Pixels small = CaptureClient(f.Picture1);
  key(VK_DOWN);  // no picture: the index moves to the last entry, the sign stays
  key(VK_DOWN);
  EXPECT_EQ(CaptureClient(f.Picture1).px, small.px);
  key(VK_UP);  // from the last entry back to the small one, not past it
  EXPECT_EQ(CaptureClient(f.Picture1).px, small.px);
  for (int i = 0; i < 2; ++i) key(VK_UP);
  EXPECT_TRUE(CaptureClient(f.Picture1).All(0x0000FF));  // the top-left of a larger one
  // Only what the box shows is kept of it; its own size still counts.
  const LightImage& large = f.sign.Image();
  EXPECT_EQ((std::vector{large.picture.widthPx(), large.picture.heightPx()}),
            (std::vector{52, 32}));
  EXPECT_EQ(large.rect, (RectTw{0, 0, 104 * 15, 64 * 15}));
  std::vector<WORD> answer;  // the keys that answer the next menu; none: it is ended
  std::vector<std::wstring> items;
  RECT placed{};
  ModalAnswerer menu(L"", [&](HWND m) {  // the popup menu: the one untitled window
    items = MenuItems(m);
    GetWindowRect(m, &placed);
    for (WORD k : answer) Keys({k});
    if (answer.empty()) EndMenu();
  });
  const HWND bus = f.hwnd(), sign = f.Picture1, board = f.PicKanban;
  const struct {
    HWND hwnd;
    UINT down;
    float x, y;
    int menus;  // or, for a left click, whether it gives the sign box the focus
  } presses[] = {{bus, WM_RBUTTONDOWN, 3000, 2800, 1}, {bus, WM_RBUTTONDOWN, 7380, 1900, 1},
                 {bus, WM_MBUTTONDOWN, 3000, 2800, 0}, {bus, WM_RBUTTONDOWN, 800, 1500, 0},
                 {bus, WM_RBUTTONDOWN, 5800, 1500, 0}, {bus, WM_RBUTTONDOWN, 6700, 1500, 0},
                 {sign, WM_RBUTTONDOWN, 75, 75, 0},    {sign, WM_MBUTTONDOWN, 75, 75, 0},
                 {board, WM_RBUTTONDOWN, 300, 200, 1}, {board, WM_MBUTTONDOWN, 300, 200, 0},
                 {bus, WM_LBUTTONDOWN, 3000, 2800, 0}, {bus, WM_LBUTTONDOWN, 800, 1500, 1},
                 {bus, WM_LBUTTONDOWN, 345, 1500, 1},  {sign, WM_LBUTTONDOWN, 150, 150, 1}};
  for (const auto& p : presses) {
    const int before = menu.answers();
    const bool left = p.down == WM_LBUTTONDOWN;
    SetFocus(left ? board : sign);
    const LPARAM at = MAKELPARAM(TwipsToPixels(p.x, f.dpi()), TwipsToPixels(p.y, f.dpi()));  // a press, a release
    SendMessageW(p.hwnd, p.down, 0, at);
    SendMessageW(p.hwnd, p.down + 1, 0, at);
    Pump();
    const int seen = left ? GetFocus() == sign : menu.answers() - before;
    EXPECT_EQ(seen, p.menus) << p.down << " at " << p.x << "," << p.y;
    if (left) continue;
    // Other presses leave the focus on the sign: Down, where the focus is, still steps it.
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(CaptureClient(sign).at(0, 0), 0x00FF00u) << p.down << " at " << p.x << "," << p.y;
    SendMessageW(sign, WM_KEYDOWN, VK_UP, 1);
  }
  EXPECT_EQ(f.board.Rect(), (RectTw{7425, 1665, 1410, 450}));  // no press moved the board
  // Another window and back gives the focus back where it was: to the board, then to the sign
  // that took it back from the board, where Down steps it.
  const auto away = [&] { for (HWND w : {app.panel().hwnd(), f.hwnd()}) SetActiveWindow(w); };
  SendMessageW(f.Picture1, WM_KEYDOWN, VK_TAB, 0);
  away();
  EXPECT_EQ(GetFocus(), f.PicKanban);
  SendMessageW(f.PicKanban, WM_KEYDOWN, VK_TAB, 0);  // and back: the two are the tab order
  away();
  SendMessageW(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(CaptureClient(sign).at(0, 0), 0x00FF00u);
  key(VK_UP);
  const struct {
    HWND focus;
    std::initializer_list<WORD> opener, answer;
    bool boardShown;  // after the answer
  } cases[] = {{board, {VK_SHIFT, VK_F10}, {VK_ESCAPE}, true},
               {sign, {VK_APPS}, {VK_DOWN, VK_RETURN}, false},  // "看板の表示"
               {sign, {VK_SHIFT, VK_F10}, {VK_ESCAPE}, true}};
  // Should a key open no menu, F10's release puts the window in menu mode, which this ends.
  const UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    SetFocus(c.focus);
    answer = c.answer;
    const int before = menu.answers();
    Keys(c.opener);
    ASSERT_TRUE(WaitUntil([&] { return menu.answers() > before; }));
    Pump();
    RECT box;
    GetWindowRect(c.focus, &box);
    EXPECT_EQ(std::pair(placed.left, placed.top), std::pair(box.left, box.bottom));
    EXPECT_EQ(items, (std::vector<std::wstring>{L"*看板の表示", L"*枠の表示",  // all checked
                                                L"看板の画像を設定...", L"-", L"看板のリセット"}));
    EXPECT_EQ(IsWindowVisible(board) != FALSE, c.boardShown);
    EXPECT_EQ(GetFocus(), c.focus);
    if (!c.boardShown) Command(f.hwnd(), kMnuViewKanban);  // back
  }
  KillTimer(nullptr, guard);
  // The sign's keys, with Alt too, step it where the focus is.
  EXPECT_NE(CaptureClient(sign).at(0, 0), 0x00FF00u);
  Keys({VK_MENU, VK_DOWN});
  EXPECT_TRUE(WaitUntil([&] { return CaptureClient(sign).at(0, 0) == 0x00FF00u; }));
}

}  // namespace
}  // namespace rumona::test
