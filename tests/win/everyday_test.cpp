#include <gtest/gtest.h>

#include "test_support.h"

namespace rumona::test {
namespace {

// Only an end of the session that really comes unloads the window: saved, then the end.
TEST(Everyday, SessionEndUnloadsOnlyWhenItComes) {
  App app;
  const std::wstring ini = SettingsFilePath();
  EXPECT_TRUE(SendMessageW(app.form().hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  SendMessageW(app.form().hwnd(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_EQ(GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(app.endCalls, 0);
  SendMessageW(app.form().hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_NE(GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(app.endCalls, 1);
}

}  // namespace
}  // namespace rumona::test
