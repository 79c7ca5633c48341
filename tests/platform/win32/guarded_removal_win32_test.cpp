// The guarded removal on Windows and under Wine: only the entry the scan saw goes, never through
// a folder swapped for a link, and a linked shortcut never takes its target with it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/guarded_removal.h"
#include "platform/os_error.h"
#include "platform/win32/win32_text.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace zendrift::platform {
namespace {

using testing::TempDir;
using testing::win32::makeFile;
using testing::win32::makeFolder;
using testing::win32::SymbolicLink;

std::error_code systemError(DWORD error) { return {static_cast<int>(error), std::system_category()}; }

EntryIdentity identityOf(const std::string& path) {
  const Result<EntryIdentity> identity = entryIdentity(path);
  EXPECT_TRUE(identity) << path;
  return identity.valueOr({});
}

TEST(Win32GuardedRemoval, DeletesOnlyTheFileTheScanSaw) {
  TempDir dir;
  const std::wstring root = dir.path().wstring();
  // Deeper than the classic limit: nothing takes the whole path.
  const std::string deep = std::string(120, 'd') + "\\" + std::string(120, 'e');
  makeFolder(L"\\\\?\\" + root + L"\\" + std::wstring(120, L'd'));
  makeFolder(L"\\\\?\\" + root + L"\\" + win32::toWide(deep));
  makeFile(L"\\\\?\\" + root + L"\\" + win32::toWide(deep) + L"\\old.lnk", "old");
  for (const wchar_t* name : {L"\\replaced.lnk", L"\\read-only.lnk", L"\\new.lnk"}) makeFile(root + name, "x");
  ASSERT_TRUE(::SetFileAttributesW((root + L"\\read-only.lnk").c_str(), FILE_ATTRIBUTE_READONLY));

  const EntryIdentity old = identityOf(dir / deep + "\\old.lnk");
  const EntryIdentity replaced = identityOf(dir / "replaced.lnk");
  const EntryIdentity readOnly = identityOf(dir / "read-only.lnk");
  EXPECT_NE(old, replaced);
  // Another file takes the name after the scan; both exist at once, so they cannot share an index.
  ASSERT_TRUE(::MoveFileExW((root + L"\\new.lnk").c_str(), (root + L"\\replaced.lnk").c_str(), MOVEFILE_REPLACE_EXISTING));

  EXPECT_EQ(deleteFileBelow(dir.str(), "replaced.lnk", replaced), RemovalError::changedSinceScan);
  EXPECT_TRUE(fileExists(dir / "replaced.lnk"));
  EXPECT_EQ(deleteFileBelow(dir.str(), "read-only.lnk", readOnly), systemError(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(fileExists(dir / "read-only.lnk"));
  for (const char* outside : {"", "..\\replaced.lnk", "x\\..\\..\\replaced.lnk", "\\replaced.lnk", "C:replaced.lnk"}) {
    EXPECT_EQ(deleteFileBelow(dir.str(), outside, replaced), RemovalError::notBelowRoot) << outside;
  }

  EXPECT_FALSE(deleteFileBelow(dir.str(), deep + "\\old.lnk", old));
  EXPECT_FALSE(fileExists(dir / deep + "\\old.lnk"));
  EXPECT_EQ(deleteFileBelow(dir.str(), deep + "\\old.lnk", old), systemError(ERROR_FILE_NOT_FOUND));
  ::SetFileAttributesW((root + L"\\read-only.lnk").c_str(), FILE_ATTRIBUTE_NORMAL);
  // The test folder's own clean-up cannot reach that deep.
  EXPECT_FALSE(removeFolder(dir / deep));
  EXPECT_FALSE(removeFolder(dir / std::string(120, 'd')));
}

TEST(Win32GuardedRemoval, RemovesOnlyEmptyFoldersBelowTheRoot) {
  TempDir dir;
  const std::wstring root = dir.path().wstring();
  for (const wchar_t* folder : {L"\\Games", L"\\Games\\Empty", L"\\Games\\Full"}) makeFolder(root + folder);
  makeFile(root + L"\\Games\\Full\\keep.txt");

  EXPECT_EQ(removeEmptyFolderBelow(dir.str(), "Games\\Full"), RemovalError::folderNotEmpty);
  EXPECT_TRUE(folderExists(dir / "Games\\Full"));
  EXPECT_EQ(removeEmptyFolderBelow(dir.str(), "."), RemovalError::notBelowRoot);
  EXPECT_EQ(removeEmptyFolderBelow(dir.str(), "Games\\Full\\keep.txt"), systemError(ERROR_DIRECTORY));
  EXPECT_FALSE(removeEmptyFolderBelow(dir.str(), "Games/Empty"));
  EXPECT_FALSE(folderExists(dir / "Games\\Empty"));
}

TEST(Win32GuardedRemoval, AFolderSwappedForALinkStopsTheWalk) {
  TempDir dir;
  const std::wstring root = dir.path().wstring();
  for (const wchar_t* folder : {L"\\Desktop", L"\\Desktop\\Game", L"\\Desktop\\Game\\Saves", L"\\Elsewhere"}) {
    makeFolder(root + folder);
  }
  makeFile(root + L"\\Desktop\\Game\\old.lnk", "old");
  makeFile(root + L"\\Desktop\\kept.lnk", "kept");
  const EntryIdentity old = identityOf(dir / "Desktop\\Game\\old.lnk");

  // After the scan the folder moves away and a link to it takes its place: the same file is
  // reached, but through a link.
  ASSERT_TRUE(::MoveFileW((root + L"\\Desktop\\Game").c_str(), (root + L"\\Elsewhere\\Game").c_str()));
  const SymbolicLink game(root + L"\\Desktop\\Game", root + L"\\Elsewhere\\Game");
  if (!game.made()) GTEST_SKIP() << "symbolic links cannot be made here";
  ASSERT_TRUE(fileExists(dir / "Desktop\\Game\\old.lnk"));
  EXPECT_EQ(deleteFileBelow(dir.str() + "\\Desktop", "Game\\old.lnk", old), RemovalError::linkOnTheWay);
  EXPECT_EQ(removeEmptyFolderBelow(dir.str() + "\\Desktop", "Game\\Saves"), RemovalError::linkOnTheWay);
  EXPECT_TRUE(fileExists(dir / "Elsewhere\\Game\\old.lnk"));
  EXPECT_TRUE(folderExists(dir / "Elsewhere\\Game\\Saves"));

  // The root itself may be a link, as Wine's Desktop is.
  const SymbolicLink desktop(root + L"\\Linked Desktop", root + L"\\Desktop");
  ASSERT_TRUE(desktop.made());
  EXPECT_FALSE(deleteFileBelow(dir.str() + "\\Linked Desktop", "kept.lnk", identityOf(dir / "Desktop\\kept.lnk")));
  EXPECT_FALSE(fileExists(dir / "Desktop\\kept.lnk"));
}

TEST(Win32GuardedRemoval, ALinkedShortcutNeverTakesItsTargetAlong) {
  TempDir dir;
  const std::wstring root = dir.path().wstring();
  makeFolder(root + L"\\Desktop");
  makeFolder(root + L"\\Outside");
  makeFile(root + L"\\Outside\\working.lnk", "working");
  const SymbolicLink a(root + L"\\Desktop\\a.lnk", root + L"\\Outside\\working.lnk");
  const SymbolicLink b(root + L"\\Desktop\\b.lnk", root + L"\\Outside\\working.lnk");
  if (!a.made() || !b.made()) GTEST_SKIP() << "symbolic links cannot be made here";

  const std::error_code guarded = deleteFileBelow(dir / "Desktop", "a.lnk", identityOf(dir / "Desktop\\a.lnk"));
  const bool plain = !deleteFile(dir / "Desktop\\b.lnk");
  EXPECT_EQ(testing::readFile(root + L"\\Outside\\working.lnk"), "working");
  // Windows removes a link itself; Wine 8 opens a Unix link as its target, so it must stay.
  EXPECT_EQ(!guarded, !fileExists(dir / "Desktop\\a.lnk")) << guarded.message();
  EXPECT_EQ(plain, !fileExists(dir / "Desktop\\b.lnk"));
  if (testing::win32::underWine()) {
    EXPECT_EQ(guarded, std::error_code(OsErrc::cantResolveFilename));
    EXPECT_FALSE(plain);
  }
}

}  // namespace
}  // namespace zendrift::platform
