// Reading shortcut files from disk: every field as stored, and files that are not links.
#include <gtest/gtest.h>

#include <string>

#include "lnk_builder.h"
#include "shortcut/read_shortcut.h"
#include "temp_dir.h"

namespace zendrift::shortcut {
namespace {

using testing::LnkBuilder;
using testing::TempDir;

TEST(ReadShortcut, FillsEveryFieldAsStored) {
  TempDir dir;
  ShortcutInfo info;
  info.fileName = LnkBuilder()
                      .myComputer()
                      .volume("C:\\")
                      .fileEntry("Games", true)
                      .fileEntry("game.exe")
                      .name("Play the game")
                      .workingDirectory("C:\\Games")
                      .arguments("--full \"screen\"")
                      .iconLocation("C:\\Games\\game.ico")
                      .iconIndex(-3)
                      .showCommand(7)
                      .hotKey(0x0641)
                      .attributes(0x21)
                      .times(111, 222, 333)
                      .fileSize(4096)
                      .writeTo(dir.path() / "Game.lnk");
  ASSERT_TRUE(readShortcutFile(info, {}));
  EXPECT_EQ(info.fileName, dir / "Game.lnk");
  EXPECT_EQ(info.target, "C:\\Games\\game.exe");
  EXPECT_EQ(info.source, TargetSource::IdList);
  EXPECT_EQ(info.description, "Play the game");
  EXPECT_EQ(info.workingDirectory, "C:\\Games");
  EXPECT_EQ(info.arguments, "--full \"screen\"");
  EXPECT_EQ(info.iconLocation, "C:\\Games\\game.ico");
  EXPECT_EQ(info.iconIndex, -3);
  EXPECT_EQ(info.showCommand, 7);
  EXPECT_EQ(info.hotKey, 0x0641);
  EXPECT_EQ(info.targetFindData.fileAttributes, 0x21u);
  EXPECT_EQ(info.targetFindData.creationTime, 111u);
  EXPECT_EQ(info.targetFindData.lastAccessTime, 222u);
  EXPECT_EQ(info.targetFindData.lastWriteTime, 333u);
  EXPECT_EQ(info.targetFindData.fileSize, 4096u);
}

TEST(ReadShortcut, AnsiStringDataIsDecoded) {
  TempDir dir;
  ShortcutInfo info;
  info.fileName = LnkBuilder().localPath("C:\\x.exe").ansiStrings().arguments("-v").name("Plain").writeTo(dir.path() / "a.lnk");
  ASSERT_TRUE(readShortcutFile(info, {}));
  EXPECT_EQ(info.arguments, "-v");
  EXPECT_EQ(info.description, "Plain");
  EXPECT_EQ(info.target, "C:\\x.exe");
}

TEST(ReadShortcut, ClearsFieldsOfAnEarlierRead) {
  TempDir dir;
  ShortcutInfo info;
  info.fileName = LnkBuilder().localPath("C:\\x.exe").arguments("-v").writeTo(dir.path() / "a.lnk");
  ASSERT_TRUE(readShortcutFile(info, {}));
  testing::writeFile(dir.path() / "b.lnk", "not a link");
  info.fileName = dir / "b.lnk";
  EXPECT_TRUE(readShortcutFile(info, {}));
  EXPECT_EQ(info.target, "");
  EXPECT_EQ(info.arguments, "");
  EXPECT_EQ(info.source, TargetSource::None);
}

TEST(ReadShortcut, MissingFileOrFolderReadsAsEmpty) {
  TempDir dir;
  for (const std::string& path : {dir / "missing.lnk", dir.str()}) {
    ShortcutInfo info;
    info.fileName = path;
    EXPECT_FALSE(readShortcutFile(info, {})) << path;
    EXPECT_EQ(info.target, "");
    EXPECT_EQ(info.fileName, path);
  }
}

// Only the first megabyte is read: a block that lies beyond it is not seen.
TEST(ReadShortcut, ReadsAtMostTheFirstMegabyte) {
  TempDir dir;
  const auto linkWithPadding = [](std::size_t padding) {
    return LnkBuilder().unknownBlock(0xA0000099, padding).environmentTarget("", "C:\\env.exe").build();
  };
  const std::string near = linkWithPadding(4096);
  const std::string far = linkWithPadding(kMaxShortcutBytes);
  ASSERT_GT(far.size(), kMaxShortcutBytes);

  ShortcutInfo info;
  info.fileName = dir / "near.lnk";
  testing::writeFile(info.fileName, near);
  ASSERT_TRUE(readShortcutFile(info, {}));
  EXPECT_EQ(info.target, "C:\\env.exe");
  EXPECT_EQ(info.source, TargetSource::EnvBlock);

  info.fileName = dir / "far.lnk";
  testing::writeFile(info.fileName, far);
  ASSERT_TRUE(readShortcutFile(info, {}));
  EXPECT_EQ(info.target, "");
  EXPECT_EQ(info.source, TargetSource::None);
}

TEST(ReadShortcut, ShortcutPathLongerThanMaxPath) {
  TempDir dir;
  std::filesystem::path folder = dir.path();
  for (int i = 0; i < 5; ++i) folder /= std::string(70, static_cast<char>('k' + i));
  ShortcutInfo info;
  info.fileName = LnkBuilder().localPath("C:\\long.exe").writeTo(folder / "deep shortcut.lnk");
  ASSERT_GT(info.fileName.size(), 260u);
  ASSERT_TRUE(readShortcutFile(info, {}));
  EXPECT_EQ(info.target, "C:\\long.exe");
}

}  // namespace
}  // namespace zendrift::shortcut
