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
  info.FileName = LnkBuilder()
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
  ASSERT_TRUE(readShortcutFile(info));
  EXPECT_EQ(info.FileName, dir / "Game.lnk");
  EXPECT_EQ(info.Target, "C:\\Games\\game.exe");
  EXPECT_EQ(info.Source, TargetSource::IdList);
  EXPECT_EQ(info.Description, "Play the game");
  EXPECT_EQ(info.WorkingDirectory, "C:\\Games");
  EXPECT_EQ(info.Arguments, "--full \"screen\"");
  EXPECT_EQ(info.IconLocation, "C:\\Games\\game.ico");
  EXPECT_EQ(info.IconIndex, -3);
  EXPECT_EQ(info.ShowCommand, 7);
  EXPECT_EQ(info.HotKey, 0x0641);
  EXPECT_EQ(info.TargetFindData.FileAttributes, 0x21u);
  EXPECT_EQ(info.TargetFindData.CreationTime, 111u);
  EXPECT_EQ(info.TargetFindData.LastAccessTime, 222u);
  EXPECT_EQ(info.TargetFindData.LastWriteTime, 333u);
  EXPECT_EQ(info.TargetFindData.FileSize, 4096u);
}

TEST(ReadShortcut, AnsiStringDataIsDecoded) {
  TempDir dir;
  ShortcutInfo info;
  info.FileName = LnkBuilder().localPath("C:\\x.exe").ansiStrings().arguments("-v").name("Plain").writeTo(dir.path() / "a.lnk");
  ASSERT_TRUE(readShortcutFile(info));
  EXPECT_EQ(info.Arguments, "-v");
  EXPECT_EQ(info.Description, "Plain");
  EXPECT_EQ(info.Target, "C:\\x.exe");
}

TEST(ReadShortcut, ClearsFieldsOfAnEarlierRead) {
  TempDir dir;
  ShortcutInfo info;
  info.FileName = LnkBuilder().localPath("C:\\x.exe").arguments("-v").writeTo(dir.path() / "a.lnk");
  ASSERT_TRUE(readShortcutFile(info));
  testing::writeFile(dir.path() / "b.lnk", "not a link");
  info.FileName = dir / "b.lnk";
  ReadShortcut(info);
  EXPECT_EQ(info.Target, "");
  EXPECT_EQ(info.Arguments, "");
  EXPECT_EQ(info.Source, TargetSource::None);
}

TEST(ReadShortcut, MissingFileOrFolderReadsAsEmpty) {
  TempDir dir;
  for (const std::string& path : {dir / "missing.lnk", dir.str()}) {
    ShortcutInfo info;
    info.FileName = path;
    EXPECT_FALSE(readShortcutFile(info)) << path;
    EXPECT_EQ(info.Target, "");
    EXPECT_EQ(info.FileName, path);
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
  info.FileName = dir / "near.lnk";
  testing::writeFile(info.FileName, near);
  ASSERT_TRUE(readShortcutFile(info));
  EXPECT_EQ(info.Target, "C:\\env.exe");
  EXPECT_EQ(info.Source, TargetSource::EnvBlock);

  info.FileName = dir / "far.lnk";
  testing::writeFile(info.FileName, far);
  ASSERT_TRUE(readShortcutFile(info));
  EXPECT_EQ(info.Target, "");
  EXPECT_EQ(info.Source, TargetSource::None);
}

TEST(ReadShortcut, ShortcutPathLongerThanMaxPath) {
  TempDir dir;
  std::filesystem::path folder = dir.path();
  for (int i = 0; i < 5; ++i) folder /= std::string(70, static_cast<char>('k' + i));
  ShortcutInfo info;
  info.FileName = LnkBuilder().localPath("C:\\long.exe").writeTo(folder / "deep shortcut.lnk");
  ASSERT_GT(info.FileName.size(), 260u);
  ASSERT_TRUE(readShortcutFile(info));
  EXPECT_EQ(info.Target, "C:\\long.exe");
}

}  // namespace
}  // namespace zendrift::shortcut
