#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "bus_window/file_list.h"
#include "common/app.h"
#include "test_support.h"

namespace rumona::test {
namespace {

constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kWhite = 0xFFFFFF;

std::vector<std::wstring> Entries(const FileList& list) {
  std::vector<std::wstring> out;
  for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
  return out;
}

TEST(FileList, ListsVisiblePicturesInCaseFoldedOrderAndReadsTheDiskOnlyWhenSet) {
  TempDir dir;
  for (const wchar_t* name : {L"c.txt", L"B.gif", L"a.bmp", L"D.JPEG", L"e.jpg", L"f.bmp",
                              L"g.emf", L"h.Wmf", L"x.jpgx", L"noext"})
    WriteFileBytes(dir.File(name), "x");
  CreateDirectoryW(dir.File(L"sub.bmp").c_str(), nullptr);
  SetFileAttributesW(dir.File(L"e.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(dir.File(L"f.bmp").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesW(dir.File(L"g.emf").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(dir.File(L"h.Wmf").c_str(), FILE_ATTRIBUTE_ARCHIVE);
  wchar_t working[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, working);
  SetCurrentDirectoryW(dir.path().c_str());
  FileList list;  // lists the working folder of its creation
  SetCurrentDirectoryW(working);
  std::vector<std::wstring> expected = {L"a.bmp", L"B.gif", L"D.JPEG", L"g.emf", L"h.Wmf"};
  EXPECT_EQ(Entries(list), expected);
  WriteFileBytes(dir.File(L"0.gif"), "x");
  EXPECT_EQ(Entries(list), expected);
  EXPECT_EQ(list.SetPath(dir.path() + L"\\"), DWORD{ERROR_SUCCESS});
  expected.insert(expected.begin(), L"0.gif");
  EXPECT_EQ(Entries(list), expected);
  // A failure, or the empty text, keeps the folder and its entries.
  EXPECT_TRUE(IsPathNotFound(list.SetPath(dir.File(L"gone"))));
  EXPECT_TRUE(IsPathNotFound(list.SetPath(dir.File(L"a.bmp"))));
  EXPECT_EQ(list.SetPath(L""), DWORD{ERROR_SUCCESS});
  EXPECT_EQ(list.Path(), dir.path() + L"\\");
  EXPECT_EQ(Entries(list), expected);
  TempDir empty;
  EXPECT_EQ(list.SetPath(empty.path()), DWORD{ERROR_SUCCESS});
  EXPECT_EQ(list.ListCount(), 0);
}

void Key(Form1& f, WPARAM key) { SendMessageW(f.Picture1, WM_KEYDOWN, key, 1); }

bool SignIsAll(Form1& f, COLORREF colour) {
  const Pixels px = CaptureClient(f.Picture1);
  return px.Count(colour) == px.width * px.height;
}

TEST(Sign, KeysStepInListOrderStopAtBothEndsAndShowPicturesUnstretched) {
  TempDir dir;
  WriteBmp(dir.File(L"a.bmp"), 104, 64, kRed);
  WriteBmp(dir.File(L"B.bmp"), 20, 10, kGreen);
  WriteFileBytes(dir.File(L"c.bmp"), "not a picture");
  WriteBmp(dir.File(L"d.bmp"), 52, 32, kGreen);
  App app;
  Form1& f = app.form();
  ModalAnswerer anyBox(kAppTitle, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
  const Pixels defaultSign = CaptureClient(f.Picture1);
  f.strDir[0] = dir.path();
  f.picDir();
  Key(f, VK_UP);
  EXPECT_EQ(f.lngDesiIndex, 0);
  EXPECT_EQ(CaptureClient(f.Picture1).px, defaultSign.px);
  Key(f, VK_DOWN);
  const Pixels small = CaptureClient(f.Picture1);  // at the top-left, on white
  EXPECT_EQ(small.Count(kGreen), 200);
  EXPECT_EQ(small.at(0, 0), kGreen);
  EXPECT_EQ(small.at(19, 9), kGreen);
  EXPECT_EQ(small.Count(kWhite), 52 * 32 - 200);
  Key(f, VK_DOWN);  // no picture: the index moves, the sign stays
  EXPECT_EQ(f.lngDesiIndex, 2);
  EXPECT_EQ(CaptureClient(f.Picture1).px, small.px);
  Key(f, VK_DOWN);
  Key(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 3);
  EXPECT_TRUE(SignIsAll(f, kGreen));
  for (int i = 0; i < 4; ++i) Key(f, VK_UP);
  EXPECT_EQ(f.lngDesiIndex, 0);
  EXPECT_TRUE(SignIsAll(f, kRed));
  // A new folder keeps the index and the sign.
  TempDir other;
  WriteBmp(other.File(L"z.bmp"), 52, 32, kGreen);
  Key(f, VK_DOWN);
  f.strDir[0] = other.path();
  f.picDir();
  EXPECT_EQ(f.lngDesiIndex, 1);
  EXPECT_EQ(CaptureClient(f.Picture1).px, small.px);
  Pump();
  EXPECT_FALSE(anyBox.answered());
}

// The folder before, the folder after any key on the sign or the keypad's set key.
using SeparatorCase = std::tuple<std::wstring, std::wstring>;
class Separator : public testing::TestWithParam<std::tuple<SeparatorCase, int>> {};

TEST_P(Separator, IsStoredByEveryKeyOnTheSignAndByTheSetKeyAlone) {
  const auto& [folders, input] = GetParam();
  const auto& [before, after] = folders;
  App app;
  Form1& f = app.form();
  f.strDir[0] = before;
  const WPARAM keys[] = {VK_UP, VK_DOWN, 'A'};
  if (input < 3)
    Key(f, keys[input]);
  else  // the set key, or a digit key
    SendMessageW(app.panel().Command2[input == 3 ? 11 : 5], BM_CLICK, 0, 0);
  EXPECT_EQ(f.strDir[0], input == 4 ? before : after);
}

INSTANTIATE_TEST_SUITE_P(
    KeysAndKeypad, Separator,
    testing::Combine(testing::Values(SeparatorCase{L"c:\\signs", L"c:\\signs\\"},
                                     SeparatorCase{L"", L"\\"}, SeparatorCase{L"c:\\", L"c:\\"}),
                     testing::Range(0, 5)));

COLORREF Numbered(int i) { return RGB(20 * i + 10, 200 - 15 * i, 0x40); }

TEST(Keypad, SetShowsTheNumberedEntrySilentlyAndLeavesTheArrowIndex) {
  TempDir dir;
  for (int i = 0; i < 10; ++i) WriteBmp(dir.File(L"s" + std::to_wstring(i) + L".bmp"), 52, 32, Numbered(i));
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  f.strDir[0] = dir.path();
  f.picDir();
  ModalAnswerer anyBox(kAppTitle, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
  auto press = [&](const std::wstring& keys) {  // C clears, S sets
    for (wchar_t k : keys)
      SendMessageW(p.Command2[k == L'C' ? 10 : k == L'S' ? 11 : k - L'0'], BM_CLICK, 0, 0);
  };
  press(L"1234567");
  EXPECT_EQ(WindowText(p.Label1), L"123456");
  press(L"CS");
  EXPECT_TRUE(SignIsAll(f, Numbered(0)));
  press(L"007S");
  EXPECT_TRUE(SignIsAll(f, Numbered(7)));
  EXPECT_EQ(WindowText(p.Label1), L"007");
  for (const wchar_t* beyond : {L"C10S", L"C32767S", L"C40000S"}) {
    press(beyond);
    EXPECT_TRUE(SignIsAll(f, Numbered(7))) << beyond;
  }
  Key(f, VK_DOWN);
  Key(f, VK_DOWN);
  press(L"C5S");
  EXPECT_TRUE(SignIsAll(f, Numbered(5)));
  EXPECT_EQ(f.lngDesiIndex, 2);
  Key(f, VK_DOWN);
  EXPECT_TRUE(SignIsAll(f, Numbered(3)));
  Pump();
  EXPECT_FALSE(anyBox.answered());
}

}  // namespace
}  // namespace rumona::test
