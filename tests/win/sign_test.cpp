#include <gtest/gtest.h>

#include "test_support.h"

namespace rumona::test {
namespace {

// What the disk gives, which the sign list's own tests cannot: the files' attributes, a folder
// named like a picture, and "x.jpgx", whose short name the system's "*.jpg" would match.
TEST(FileList, ListsTheVisiblePicturesOfTheDiskAndReadsItOnlyWhenSet) {
  TempDir dir;
  for (const wchar_t* name : {L"c.txt", L"a.bmp", L"e.jpg", L"f.bmp", L"g.emf", L"x.jpgx"})
    WriteFileBytes(dir.File(name), "x");
  CreateDirectoryW(dir.File(L"sub.bmp").c_str(), nullptr);
  SetFileAttributesW(dir.File(L"e.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(dir.File(L"f.bmp").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesW(dir.File(L"g.emf").c_str(), FILE_ATTRIBUTE_READONLY);
  FileList list;
  EXPECT_EQ(list.SetPath(dir.path()), DWORD{ERROR_SUCCESS});
  WriteFileBytes(dir.File(L"0.gif"), "x");
  EXPECT_EQ((std::vector{list.List(0), list.List(1), list.List(2)}),
            (std::vector<std::wstring>{L"a.bmp", L"g.emf", L""}));
  EXPECT_EQ(list.SetPath(dir.path() + L"\\"), DWORD{ERROR_SUCCESS});
  EXPECT_TRUE(IsPathNotFound(list.SetPath(dir.File(L"a.bmp"))));  // a file: the folder stays
  EXPECT_EQ(list.Path() + list.List(0), dir.path() + L"\\0.gif");
}

void Key(Form1& f, WPARAM key) { SendMessageW(f.Picture1, WM_KEYDOWN, key, 1); }

// The folder before and after a key on the sign (Up, Down, another) or the keypad (set, digit).
using Folders = std::tuple<std::wstring, std::wstring>;
class Separator : public testing::TestWithParam<std::tuple<Folders, int>> {};

TEST_P(Separator, IsStoredByEveryKeyOnTheSignAndByTheSetKeyAlone) {
  const auto& [folders, input] = GetParam();
  App app;
  app.form().sign.StoreFolder(std::get<0>(folders));
  if (input < 3) Key(app.form(), std::vector<WPARAM>{VK_UP, VK_DOWN, 'A'}[input]);
  else SendMessageW(app.panel().Command2[input == 3 ? 11 : 5], BM_CLICK, 0, 0);
  EXPECT_EQ(app.form().sign.Folder(), input == 4 ? std::get<0>(folders) : std::get<1>(folders));
}

INSTANTIATE_TEST_SUITE_P(KeysAndKeypad, Separator,
                         testing::Combine(testing::Values(Folders{L"c:\\signs", L"c:\\signs\\"},
                                                          Folders{L"", L"\\"},
                                                          Folders{L"c:\\", L"c:\\"}),
                                          testing::Range(0, 5)),
                         Row);

TEST(Keypad, SetShowsTheNumberedEntrySilentlyAndLeavesTheArrowIndex) {
  TempDir dir;
  auto colour = [](int i) { return RGB(20 * i + 10, 200 - 15 * i, 0x40); };
  for (int i = 0; i < 10; ++i)
    WriteBmp(dir.File(L"s" + std::to_wstring(i) + L".bmp"), 4, 4, colour(i));
  WriteFileBytes(dir.File(L"s9.bmp"), "not a picture");
  App app;
  ShowFolder(app.form(), dir.path());
  // Clicks on the keys where the keypad's face shows them: C clears, S sets.
  const std::wstring face = L"7894561230CS";
  auto press = [&](const std::wstring& keys, int shown) {
    for (wchar_t k : keys) {
      const int at = static_cast<int>(face.find(k));
      POINT p{TwipsToPixels(2265 + 75 + 495 * (at % 3) + 255, SystemDpi()),
              TwipsToPixels(600 + 390 * (at / 3) + 195, SystemDpi())};
      ClientToScreen(app.panel().hwnd(), &p);
      MouseAt(p, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
      Pump();  // the click, queued by SendInput, is handled here
    }
    WaitForPictures(app.form());
    EXPECT_EQ(CaptureClient(app.form().Picture1, true).at(0, 0), colour(shown)) << keys;
  };
  press(L"S", 0);  // the empty display: the first entry
  press(L"1234567", 0);
  const Pixels display = CaptureClient(app.panel().Label1, true);
  int rows = 0;  // the digits' height on screen: the display's own large font
  for (int y = 0; y < display.height; ++y)
    rows += std::any_of(display.px.begin() + y * display.width,
                        display.px.begin() + (y + 1) * display.width, [](COLORREF c) { return c; });
  EXPECT_GE(rows, 13);
  press(L"C789", 0);
  EXPECT_EQ(WindowText(app.panel().Label1), L"789");
  press(L"C007S", 7);
  press(L"C9S", 7);  // no picture: the sign stays as it was
  for (const wchar_t* beyond : {L"C10S", L"C32767S", L"C40000S", L"C1234567S"}) press(beyond, 7);
  EXPECT_EQ(WindowText(app.panel().Label1), L"123456");
  Key(app.form(), VK_DOWN);
  press(L"C5S", 5);
  Key(app.form(), VK_DOWN);  // steps from where the arrows were, not from the number
  WaitForPictures(app.form());
  EXPECT_EQ(CaptureClient(app.form().Picture1).at(0, 0), colour(2));
  const Pixels panel = CaptureClient(app.panel().hwnd(), true);
  for (int at : {10, 11})  // "C" and "設定" have orange faces
    EXPECT_EQ(panel.at(TwipsToPixels(2265 + 75 + 495 * (at % 3) + 60, SystemDpi()),
                       TwipsToPixels(600 + 390 * (at / 3) + 60, SystemDpi())), 0x0080FF);
}

// A GIF's frames play on the sign at their own delays, composed as browsers compose them, as many
// times as the file says; a sign that cannot be seen stops until it shows again, and a still
// picture plays nothing. The next entry is decoded ahead: the step onto it waits for nothing.
TEST(SignAnimation, FramesPlayAtTheirDelaysAsOftenAsTheFileSaysAndOnlyWhileSeen) {
  TempDir dir;
  // Green; the top row blue around a transparent pixel, then cleared; a red corner, then put
  // back; a blue corner. Played twice.
  WriteGif(dir.File(L"a.gif"), 3, 2,
           {{0, 0, 3, 2, "111111", 30, 1}, {0, 0, 3, 1, "232", 1, 2, true},
            {2, 1, 1, 1, "0", 25, 3}, {0, 1, 1, 1, "2", 10, 1}},
           1);
  WriteGif(dir.File(L"b.gif"), 3, 2, {{0, 0, 3, 2, "000000", 5}, {0, 0, 3, 2, "222222", 5}}, 0);
  WriteBmp(dir.File(L"c.bmp"), 3, 2, 0x00FF00);
  App app;
  Form1& f = app.form();
  ShowFolder(f, dir.path());
  const auto shown = [&] {
    const Pixels p = CaptureClient(f.Picture1);
    std::string s;
    for (int i = 0; i < 6; ++i) {
      const COLORREF c = p.at(i % 3, i / 3);
      s += c == 0x0000FF ? 'r' : c == 0x00FF00 ? 'g' : c == 0xFF0000 ? 'b' : c == 0xFFFFFF ? 'w' : '?';
    }
    return s;
  };
  f.sign.ShowEntry(0);
  WaitForPictures(f);
  ULONGLONG at = GetTickCount64();
  // Seen no sooner than the frame before's delay allows (less the time a look takes).
  const auto next = [&](const std::string& frame, ULONGLONG delayMs) {
    EXPECT_TRUE(WaitUntil([&] { return shown() == frame; })) << frame << ", shown " << shown();
    EXPECT_GE(GetTickCount64() - at + 30, delayMs) << frame;
    at = GetTickCount64();
  };
  EXPECT_EQ(shown(), "gggggg");
  for (int play = 0; play < 2; ++play) {
    if (play) next("gggggg", 100);
    next("bgbggg", 300);
    next("wwwggr", 100);  // a delay of 10 ms counts as 100
    next("wwwbgg", 250);
  }
  EXPECT_TRUE(WaitUntil([&] { return !f.sign.Playing(); }));
  EXPECT_EQ(shown(), "wwwbgg");
  EXPECT_TRUE(WaitUntil([&] { return f.sign.DecodedAhead(); }));
  SendMessageW(f.Picture1, WM_KEYDOWN, VK_DOWN, 1);  // b.gif, which plays forever
  EXPECT_FALSE(f.sign.Loading());
  EXPECT_TRUE(f.sign.Playing());
  ShowWindow(f.hwnd(), SW_MINIMIZE);
  EXPECT_TRUE(WaitUntil([&] { return !f.sign.Playing(); }));
  ShowWindow(f.hwnd(), SW_RESTORE);
  const std::string restored = shown();  // and the frames step on from there
  EXPECT_TRUE(WaitUntil([&] { return shown() != restored; })) << restored;
  SendMessageW(f.Picture1, WM_KEYDOWN, VK_DOWN, 1);
  WaitForPictures(f);
  EXPECT_FALSE(f.sign.Playing());
  EXPECT_EQ(shown(), "gggggg");
}

}  // namespace
}  // namespace rumona::test
