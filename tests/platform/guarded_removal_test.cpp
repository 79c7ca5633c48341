// The guarded removal on real trees: links swapped in on the way, entries replaced since the
// scan, read-only files, folders that are not empty, and trees deeper than the path limit.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "lnk_builder.h"
#include "platform/file_prefix.h"
#include "platform/file_system.h"
#include "platform/guarded_removal.h"
#include "temp_dir.h"

namespace zendrift::platform {
namespace {

namespace fs = std::filesystem;
using testing::LnkBuilder;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

EntryIdentity identityOf(const std::string& path) {
  const Result<EntryIdentity> identity = entryIdentity(path);
  EXPECT_TRUE(identity) << path;
  return identity.valueOr({});
}

TEST(GuardedRemoval, NeverDeletesThroughAFolderSwappedForALink) {
  TempDir dir;
  writeFile(dir / "Desktop/Game/Old.lnk", "orphan");
  writeFile(dir / "other/Old.lnk", "healthy");
  const EntryIdentity orphan = identityOf(dir / "Desktop/Game/Old.lnk");
  const EntryIdentity healthy = identityOf(dir / "other/Old.lnk");
  fs::rename(dir.path() / "Desktop/Game", dir.path() / "Desktop/Game.moved");
  fs::create_directory_symlink(dir.path() / "other", dir.path() / "Desktop/Game");

  // Even the identity of the file behind the link does not lead through it.
  EXPECT_EQ(deleteFileBelow(dir / "Desktop", "Game/Old.lnk", orphan), RemovalError::linkOnTheWay);
  EXPECT_EQ(deleteFileBelow(dir / "Desktop", "Game/Old.lnk", healthy), RemovalError::linkOnTheWay);
  EXPECT_EQ(removeEmptyFolderBelow(dir / "Desktop", "Game/x"), RemovalError::linkOnTheWay);
  EXPECT_EQ(readFile(dir.path() / "other/Old.lnk"), "healthy");

  // The root itself is opened as the scan opened it, through a link (Wine's Desktop often is one).
  fs::create_directory_symlink(dir.path() / "Desktop", dir.path() / "DesktopLink");
  EXPECT_FALSE(deleteFileBelow(dir / "DesktopLink", "Game.moved/Old.lnk", orphan));
  EXPECT_FALSE(fs::exists(dir.path() / "Desktop/Game.moved/Old.lnk"));
}

TEST(GuardedRemoval, RefusesWhatChangedSinceTheScanOrLiesOutsideTheRoot) {
  TempDir dir;
  writeFile(dir / "root/a/Old.lnk", "scanned");
  writeFile(dir / "root/Folder.lnk/x", "");
  writeFile(dir / "outside.lnk", "keep");
  const EntryIdentity scanned = identityOf(dir / "root/a/Old.lnk");
  writeFile(dir / "root/a/New.lnk", "another");
  fs::rename(dir.path() / "root/a/New.lnk", dir.path() / "root/a/Old.lnk");

  EXPECT_EQ(deleteFileBelow(dir / "root", "a/Old.lnk", scanned), RemovalError::changedSinceScan);
  EXPECT_EQ(readFile(dir.path() / "root/a/Old.lnk"), "another");
  const EntryIdentity folder = identityOf(dir / "root/Folder.lnk");
  EXPECT_EQ(deleteFileBelow(dir / "root", "Folder.lnk", folder), RemovalError::changedSinceScan);
  EXPECT_EQ(deleteFileBelow(dir / "root", "a/Gone.lnk", scanned), std::errc::no_such_file_or_directory);
  EXPECT_EQ(deleteFileBelow(dir / "missing", "a/Old.lnk", scanned), std::errc::no_such_file_or_directory);

  const EntryIdentity outside = identityOf(dir / "outside.lnk");
  for (const char* relative : {"../outside.lnk", "a/../../outside.lnk", "./../outside.lnk", "", "/outside.lnk",
                               "a//Old.lnk", "a/Old.lnk/", "a/."}) {
    EXPECT_EQ(deleteFileBelow(dir / "root", relative, outside), RemovalError::notBelowRoot) << relative;
  }
  EXPECT_EQ(readFile(dir.path() / "outside.lnk"), "keep");
  EXPECT_EQ(entryIdentity(dir / "missing").error(), std::errc::no_such_file_or_directory);
}

TEST(GuardedRemoval, RemovesALinkItselfAndRefusesReadOnlyFiles) {
  TempDir dir;
  writeFile(dir / "target.exe", "program");
  fs::create_directories(dir.path() / "root");
  fs::create_symlink(dir.path() / "target.exe", dir.path() / "root/Game.lnk");
  writeFile(dir / "root/ReadOnly.lnk", "kept");
  fs::permissions(dir.path() / "root/ReadOnly.lnk", fs::perms::owner_read | fs::perms::group_read);

  const EntryIdentity link = identityOf(dir / "root/Game.lnk");
  EXPECT_NE(link, identityOf(dir / "target.exe")) << "a link has its own identity";
  EXPECT_FALSE(deleteFileBelow(dir / "root", "Game.lnk", link));
  EXPECT_FALSE(fs::is_symlink(fs::symlink_status(dir.path() / "root/Game.lnk")));
  EXPECT_EQ(readFile(dir.path() / "target.exe"), "program");

  // Windows will not delete a read-only file, and neither do we, whoever runs us.
  EXPECT_EQ(deleteFileBelow(dir / "root", "ReadOnly.lnk", identityOf(dir / "root/ReadOnly.lnk")),
            std::errc::permission_denied);
  EXPECT_EQ(readFile(dir.path() / "root/ReadOnly.lnk"), "kept");
}

TEST(GuardedRemoval, RemovesOnlyEmptyFoldersBelowTheRoot) {
  TempDir dir;
  fs::create_directories(dir.path() / "root/a/empty");
  writeFile(dir / "root/full/.hidden", "");
  fs::create_directories(dir.path() / "elsewhere");
  fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "root/link");

  EXPECT_FALSE(removeEmptyFolderBelow(dir / "root", "a/empty"));
  EXPECT_FALSE(fs::exists(dir.path() / "root/a/empty"));
  EXPECT_EQ(removeEmptyFolderBelow(dir / "root", "full"), RemovalError::folderNotEmpty);
  EXPECT_TRUE(fs::exists(dir.path() / "root/full/.hidden"));
  EXPECT_EQ(removeEmptyFolderBelow(dir / "root", ""), RemovalError::notBelowRoot);
  EXPECT_EQ(removeEmptyFolderBelow(dir / "root", "a/.."), RemovalError::notBelowRoot);
  EXPECT_EQ(removeEmptyFolderBelow(dir / "root", "link"), RemovalError::linkOnTheWay);
  EXPECT_TRUE(fs::is_directory(dir.path() / "elsewhere"));
  EXPECT_EQ(removeEmptyFolderBelow(dir / "root", "a/gone"), std::errc::no_such_file_or_directory);
  EXPECT_TRUE(fs::is_directory(dir.path() / "root/a"));
}

// A chain of folders whose full path is longer than PATH_MAX, made and taken down one level at a
// time relative to its parent (the ordinary calls, and the test helpers, stop at the limit). Its
// two deepest folders both lie beyond the limit.
class DeepTree {
 public:
  explicit DeepTree(std::string root) : root_(std::move(root)) {
    int folder = ::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    while (folder >= 0 && root_.size() + 1 + relative_.size() < PATH_MAX + 400) {
      const std::string name = std::string(200, 'd') + std::to_string(names_.size());
      const int next = ::mkdirat(folder, name.c_str(), 0755) == 0
                           ? ::openat(folder, name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)
                           : -1;
      ::close(folder);
      folder = next;
      if (next < 0) return;
      names_.push_back(name);
      relative_ += name + "/";
    }
    if (folder >= 0) ::close(folder);
  }
  ~DeepTree() {
    for (std::size_t level = names_.size(); level > 0; --level) {
      const int folder = open(level);
      if (folder < 0) continue;
      for (const char* file : {"Deep.lnk", "Second.lnk"}) ::unlinkat(folder, file, 0);
      ::close(folder);
      const int parent = open(level - 1);
      if (parent < 0) continue;
      ::unlinkat(parent, names_[level - 1].c_str(), AT_REMOVEDIR);
      ::close(parent);
    }
  }
  bool made() const { return names_.size() >= 2 && root_.size() + relative_.size() > PATH_MAX + 200; }
  // The deepest folder relative to the root, with a trailing delimiter.
  const std::string& relative() const { return relative_; }
  const std::string& deepestName() const { return names_.back(); }
  std::string full(const std::string& below) const { return root_ + "/" + relative_ + below; }

  // Writes `content` to `name` in the deepest folder.
  bool write(const char* name, const std::string& content) const {
    const int folder = open(names_.size());
    if (folder < 0) return false;
    const int file = ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    ::close(folder);
    if (file < 0) return false;
    const bool written = ::write(file, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    return ::close(file) == 0 && written;
  }

 private:
  // The folder `levels` levels below the root.
  int open(std::size_t levels) const {
    int folder = ::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t level = 0; folder >= 0 && level < levels; ++level) {
      const int next = ::openat(folder, names_[level].c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
      ::close(folder);
      folder = next;
    }
    return folder;
  }

  std::string root_;
  std::vector<std::string> names_;
  std::string relative_;
};

TEST(GuardedRemoval, WorksDeeperThanThePathLimit) {
  TempDir dir;
  DeepTree tree(dir.str());
  ASSERT_TRUE(tree.made());
  const std::string link = LnkBuilder().localPath("C:\\Games\\deep.exe").build();
  ASSERT_TRUE(tree.write("Deep.lnk", link));
  ASSERT_TRUE(tree.write("Second.lnk", ""));
  const std::string path = tree.full("Deep.lnk");

  // What the scan asks of a shortcut there.
  std::vector<std::byte> buffer(link.size() + 100);
  const auto read = readFilePrefix(path, buffer);
  ASSERT_TRUE(read);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), *read), link);
  EXPECT_TRUE(fileExists(path));
  EXPECT_TRUE(folderExists(tree.full("")));
  EXPECT_FALSE(folderExists(path));

  // What the removal does there, from a short root and from one beyond the limit.
  const Result<EntryIdentity> identity = entryIdentity(path);
  ASSERT_TRUE(identity);
  EXPECT_FALSE(deleteFileBelow(dir.str(), tree.relative() + "Deep.lnk", *identity));
  EXPECT_FALSE(fileExists(path));
  const std::string deepest = tree.deepestName();
  const std::string longRoot = dir.str() + "/" + tree.relative().substr(0, tree.relative().size() - deepest.size() - 1);
  ASSERT_GT(longRoot.size(), static_cast<std::size_t>(PATH_MAX));
  EXPECT_EQ(removeEmptyFolderBelow(longRoot, deepest), RemovalError::folderNotEmpty);
  EXPECT_FALSE(deleteFileBelow(longRoot, deepest + "/Second.lnk", identityOf(tree.full("Second.lnk"))));
  EXPECT_FALSE(removeEmptyFolderBelow(longRoot, deepest));
  EXPECT_FALSE(folderExists(tree.full("")));
}

}  // namespace
}  // namespace zendrift::platform
