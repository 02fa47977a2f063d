#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bus_window/file_list.h"
#include "common/app.h"
#include "sign_fixtures.h"
#include "test_support.h"

namespace rumona::test {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

std::vector<std::wstring> Entries(const FileList& list) {
  std::vector<std::wstring> out;
  for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
  return out;
}

void PressKey(Form1& form, WPARAM key) {
  SendMessageW(form.Picture1, WM_KEYDOWN, key, 1);
  Pump();
}

// The sign's colour at its top-left pixel.
COLORREF SignColour(Form1& form) { return SignPixels(form.Picture1).at(0, 0); }

// Ten pictures s00.bmp .. s09.bmp of ten different colours.
COLORREF NumberedColour(int i) { return RGB(20 * i + 10, 200 - 15 * i, 0x40); }
void WriteNumbered(const TempDir& dir, int count) {
  for (int i = 0; i < count; ++i) {
    wchar_t name[16];
    wsprintfW(name, L"s%02d.bmp", i);
    WriteSolidBmp(dir / name, NumberedColour(i));
  }
}

TEST(FileList, ListsMatchingVisibleFilesByNameWithCaseIgnored) {
  TempDir dir;
  for (const wchar_t* name : {L"c.txt", L"B.gif", L"a.bmp", L"D.JPEG", L"e.jpg", L"f.bmp",
                              L"g.emf", L"h.Wmf", L"x.jpgx", L"noext"})
    WriteText(dir / name, "x");
  CreateDirectoryW((dir / L"sub.bmp").c_str(), nullptr);
  SetFileAttributesW((dir / L"e.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW((dir / L"f.bmp").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesW((dir / L"g.emf").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW((dir / L"h.Wmf").c_str(), FILE_ATTRIBUTE_ARCHIVE);

  FileList list;
  EXPECT_EQ(list.SetPath(dir.path()), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(list.Path(), dir.path());
  const std::vector<std::wstring> expected = {L"a.bmp", L"B.gif", L"D.JPEG", L"g.emf", L"h.Wmf"};
  EXPECT_EQ(Entries(list), expected);
  EXPECT_EQ(list.List(-1), L"");
  EXPECT_EQ(list.List(5), L"");

  // With the trailing separator the same folder gives the same list.
  EXPECT_EQ(list.SetPath(dir.path() + L"\\"), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(Entries(list), expected);
}

TEST(FileList, ReadsTheDiskOnlyWhenItsFolderIsSet) {
  TempDir dir;
  WriteText(dir / L"b.bmp", "x");
  FileList list;
  ASSERT_EQ(list.SetPath(dir.path()), static_cast<DWORD>(ERROR_SUCCESS));
  WriteText(dir / L"a.bmp", "x");
  DeleteFileW((dir / L"b.bmp").c_str());
  EXPECT_EQ(Entries(list), std::vector<std::wstring>{L"b.bmp"});
  ASSERT_EQ(list.SetPath(dir.path()), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(Entries(list), std::vector<std::wstring>{L"a.bmp"});
}

TEST(FileList, AFailedOrEmptyFolderKeepsTheOldFolderAndEntries) {
  TempDir dir;
  WriteText(dir / L"a.bmp", "x");
  FileList list;
  ASSERT_EQ(list.SetPath(dir.path()), static_cast<DWORD>(ERROR_SUCCESS));

  const DWORD missing = list.SetPath(dir / L"gone");
  EXPECT_TRUE(IsPathNotFound(missing)) << missing;
  const DWORD missingParent = list.SetPath(dir / L"gone\\deeper");
  EXPECT_TRUE(IsPathNotFound(missingParent)) << missingParent;
  // A file is no folder to list.
  EXPECT_TRUE(IsPathNotFound(list.SetPath(dir / L"a.bmp")));
  EXPECT_EQ(list.Path(), dir.path());
  EXPECT_EQ(Entries(list), std::vector<std::wstring>{L"a.bmp"});

  EXPECT_EQ(list.SetPath(L""), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(list.Path(), dir.path());
  EXPECT_EQ(Entries(list), std::vector<std::wstring>{L"a.bmp"});

  // An existing empty folder is a folder with no entries, not a failure.
  TempDir empty;
  EXPECT_EQ(list.SetPath(empty.path()), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(list.ListCount(), 0);
}

TEST(FileList, StartsWithTheWorkingFolderOfItsCreation) {
  TempDir dir;
  WriteText(dir / L"z.gif", "x");
  WriteText(dir / L"Y.jpg", "x");
  wchar_t old[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, old);
  ASSERT_TRUE(SetCurrentDirectoryW(dir.path().c_str()));
  FileList list;
  SetCurrentDirectoryW(old);
  EXPECT_EQ(lstrcmpiW(list.Path().c_str(), dir.path().c_str()), 0) << list.Path();
  EXPECT_EQ(Entries(list), (std::vector<std::wstring>{L"Y.jpg", L"z.gif"}));
}

TEST(Sign, UpAndDownStepInNameOrderAndStopAtTheEnds) {
  TempDir dir;
  WriteSolidBmp(dir / L"a.bmp", kRed);
  WriteSolidBmp(dir / L"B.bmp", kGreen);
  WriteText(dir / L"c.txt", "x");
  App app;
  Form1& f = app.form();
  const COLORREF defaultSign = SignColour(f);
  ASSERT_NE(defaultSign, kRed);
  ASSERT_NE(defaultSign, kGreen);
  f.strDir[0] = dir.path();
  f.picDir();
  ASSERT_EQ(f.File1.ListCount(), 2);
  EXPECT_EQ(SignColour(f), defaultSign);  // a new folder leaves the sign as it was

  PressKey(f, VK_UP);
  EXPECT_EQ(f.lngDesiIndex, 0);
  EXPECT_EQ(f.strDir[0], dir.path() + L"\\");
  EXPECT_EQ(SignColour(f), defaultSign);
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 1);
  EXPECT_TRUE(SignPixels(f.Picture1).All(kGreen));
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 1);
  PressKey(f, VK_UP);
  EXPECT_EQ(f.lngDesiIndex, 0);
  EXPECT_TRUE(SignPixels(f.Picture1).All(kRed));
  // Other keys step nothing, and the separator is added only once.
  PressKey(f, VK_RIGHT);
  PressKey(f, 'A');
  EXPECT_EQ(f.lngDesiIndex, 0);
  EXPECT_EQ(f.strDir[0], dir.path() + L"\\");
  EXPECT_TRUE(SignPixels(f.Picture1).All(kRed));
}

TEST(Sign, EveryKeyStoresTheSeparatorFirst) {
  App app;
  Form1& f = app.form();
  f.strDir[0] = L"c:\\signs";
  PressKey(f, VK_LEFT);
  EXPECT_EQ(f.strDir[0], L"c:\\signs\\");
  f.strDir[0] = L"";
  PressKey(f, VK_SHIFT);
  EXPECT_EQ(f.strDir[0], L"\\");
  f.strDir[0] = L"c:\\";
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.strDir[0], L"c:\\");
}

TEST(Sign, ANewFolderKeepsTheIndexAndDownNeverRunsPastItsEnd) {
  TempDir big, small, empty;
  WriteNumbered(big, 4);
  WriteSolidBmp(small / L"only.bmp", kBlue);
  WriteSolidBmp(small / L"zz.bmp", kGreen);
  App app;
  Form1& f = app.form();
  f.strDir[0] = big.path();
  f.picDir();
  PressKey(f, VK_DOWN);
  PressKey(f, VK_DOWN);
  PressKey(f, VK_DOWN);
  ASSERT_EQ(f.lngDesiIndex, 3);
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(3)));

  // A folder of two: the sign and the index stay; Down does nothing; Up shows the last entry.
  f.strDir[0] = small.path();
  f.picDir();
  EXPECT_EQ(f.lngDesiIndex, 3);
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(3)));
  PressKey(f, VK_DOWN);
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 3);
  PressKey(f, VK_UP);
  EXPECT_EQ(f.lngDesiIndex, 1);
  EXPECT_TRUE(SignPixels(f.Picture1).All(kGreen));

  // An empty folder: Down stays at 0 and one Up from beyond the end brings the index back.
  f.strDir[0] = empty.path();
  f.picDir();
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 1);
  PressKey(f, VK_UP);
  EXPECT_EQ(f.lngDesiIndex, 0);
  PressKey(f, VK_DOWN);
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 0);
  EXPECT_TRUE(SignPixels(f.Picture1).All(kGreen));

  // Back to the big folder: the next Down shows the old index plus one.
  f.strDir[0] = big.path();
  f.picDir();
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 1);
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(1)));
}

TEST(Sign, AFileThatIsNoPictureMovesTheIndexSilently) {
  TempDir dir;
  WriteSolidBmp(dir / L"a.bmp", kRed);
  WriteText(dir / L"b.bmp", "not a picture");
  WriteSolidBmp(dir / L"c.bmp", kBlue);
  App app;
  Form1& f = app.form();
  f.strDir[0] = dir.path();
  f.picDir();
  PressKey(f, VK_UP);  // index 0 already: nothing loads
  ModalAnswerer anyBox(kAppTitle, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 1);
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 2);
  EXPECT_TRUE(SignPixels(f.Picture1).All(kBlue));
  DeleteFileW((dir / L"a.bmp").c_str());  // listed, but gone from the disk
  PressKey(f, VK_UP);
  PressKey(f, VK_UP);
  EXPECT_EQ(f.lngDesiIndex, 0);
  EXPECT_TRUE(SignPixels(f.Picture1).All(kBlue));
  Pump();
  EXPECT_FALSE(anyBox.answered());
}

TEST(Sign, PicturesKeepTheirOwnSizeAtTheTopLeftOnWhite) {
  TempDir dir;
  // 104 x 64: only its top-left 52 x 32 quarter is blue.
  WriteBmp(dir / L"a_large.bmp", 104, 64,
           [](int x, int y) { return x < 52 && y < 32 ? kBlue : kRed; });
  WriteSolidBmp(dir / L"b_small.bmp", kGreen, 20, 10);
  WriteBmp(dir / L"c_exact.bmp", 52, 32, [](int x, int) { return x < 26 ? kRed : kBlue; });
  App app;
  Form1& f = app.form();
  f.strDir[0] = dir.path();
  f.picDir();
  PressKey(f, VK_DOWN);
  PressKey(f, VK_UP);  // a_large
  {
    SignPixels px(f.Picture1);
    ASSERT_EQ(px.width(), 52);
    ASSERT_EQ(px.height(), 32);
    EXPECT_TRUE(px.All(kBlue));  // stretched it would show red at the right and bottom
  }
  PressKey(f, VK_DOWN);  // b_small
  {
    SignPixels px(f.Picture1);
    EXPECT_EQ(px.Count(kGreen, 0, 0, 20, 10), 200);
    EXPECT_EQ(px.Count(kWhite, 0, 0, 52, 32), 52 * 32 - 200);
  }
  PressKey(f, VK_DOWN);  // c_exact
  {
    SignPixels px(f.Picture1);
    EXPECT_EQ(px.Count(kRed, 0, 0, 26, 32), 26 * 32);
    EXPECT_EQ(px.Count(kBlue, 26, 0, 52, 32), 26 * 32);
  }
}

TEST(Keypad, DigitsUpToSixAndClear) {
  App app;
  frmSet& p = app.panel();
  for (int digit = 1; digit <= 7; ++digit) PostClick(p.Command2[digit]);
  Pump();
  EXPECT_EQ(WindowText(p.Label1), L"123456");
  PostClick(p.Command2[10]);
  Pump();
  EXPECT_EQ(WindowText(p.Label1), L"");
  PostClick(p.Command2[0]);
  PostClick(p.Command2[0]);
  PostClick(p.Command2[9]);
  Pump();
  EXPECT_EQ(WindowText(p.Label1), L"009");
  p.Command2_Click(12);  // no such key
  p.Command2_Click(-1);
  EXPECT_EQ(WindowText(p.Label1), L"009");
}

TEST(Keypad, SetShowsTheNumberedEntryAndLeavesTheStepPosition) {
  TempDir dir;
  WriteNumbered(dir, 10);
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  f.strDir[0] = dir.path();
  f.picDir();
  auto press = [&](std::initializer_list<int> keys) {
    for (int k : keys) PostClick(p.Command2[k]);
    Pump();
  };

  // The empty display shows entry 0 and stores the separator.
  press({11});
  EXPECT_EQ(f.strDir[0], dir.path() + L"\\");
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(0)));
  // Leading zeros count for nothing; the display keeps its digits.
  press({0, 0, 7, 11});
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(7)));
  EXPECT_EQ(WindowText(p.Label1), L"007");
  EXPECT_EQ(f.lngDesiIndex, 0);

  // Beyond the list and beyond 16 bits: nothing changes, nothing is shown.
  ModalAnswerer anyBox(kAppTitle, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
  press({10, 1, 0, 11});
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(7)));
  press({10, 4, 0, 0, 0, 0, 11});
  EXPECT_EQ(WindowText(p.Label1), L"40000");
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(7)));
  press({10, 3, 2, 7, 6, 7, 11});
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(7)));

  // The arrows step on from the entry they last showed, not from the number typed.
  PressKey(f, VK_DOWN);
  PressKey(f, VK_DOWN);
  ASSERT_EQ(f.lngDesiIndex, 2);
  press({10, 5, 11});
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(5)));
  EXPECT_EQ(f.lngDesiIndex, 2);
  PressKey(f, VK_DOWN);
  EXPECT_EQ(f.lngDesiIndex, 3);
  EXPECT_TRUE(SignPixels(f.Picture1).All(NumberedColour(3)));
  Pump();
  EXPECT_FALSE(anyBox.answered());
}

TEST(Keypad, SetStoresTheSeparatorEvenWhenThePictureFails) {
  App app;
  Form1& f = app.form();
  frmSet& p = app.panel();
  TempDir dir;
  f.strDir[0] = dir.path();
  f.picDir();
  const COLORREF before = SignColour(f);
  p.Command2_Click(11);
  EXPECT_EQ(f.strDir[0], dir.path() + L"\\");
  EXPECT_EQ(SignColour(f), before);
  f.strDir[0] = L"";
  p.Command2_Click(11);
  EXPECT_EQ(f.strDir[0], L"\\");
}

}  // namespace
}  // namespace rumona::test
