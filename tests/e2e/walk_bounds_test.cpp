// Where the real program's walks stop: never inside a trash, never in the dot folders of a Unix
// home that a Windows folder leads to; and how much memory a very deep tree costs.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "home_with_prefix.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

// The /list lines' paths, in a fixed order.
std::vector<std::string> listedPaths(const std::string& out) {
  std::vector<std::string> paths;
  for (const std::string& line : outputLines(out)) {
    const std::size_t start = line.find('\t') + 1;
    paths.push_back(line.substr(start, line.find('\t', start) - start));
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

class WalkBounds : public HomeWithPrefix {
 protected:
  static void orphan(const fs::path& path) { shortcut(path, "C:\\Gone\\gone.exe"); }
};

TEST_F(WalkBounds, AHomeReachedAsAWindowsFolderIsWalkedWithoutItsDotFolders) {
  // Wine links a Desktop that the home does not have to the home itself.
  fs::remove_all(desktop());
  fs::create_directory_symlink(home.path(), desktop());
  orphan(home.path() / "Loose.lnk");
  orphan(home.path() / "Notes/.drafts/Draft.lnk");
  orphan(home.path() / ".cache/app/Cached.lnk");
  orphan(home.path() / ".local/share/app/Kept.lnk");

  const ProgramResult desktopList = run({"/list", "/desktop"});
  EXPECT_EQ(desktopList.exitCode, 0) << desktopList.err;
  EXPECT_EQ(listedPaths(desktopList.out),
            (std::vector<std::string>{desktop() / "Loose.lnk", desktop() / "Notes/.drafts/Draft.lnk"}))
      << "only the home's own dot folders are other programs'";
  // The home as the user's own folder, with no Desktop that leads there first (a folder reached
  // twice in one run is walked once).
  fs::remove(desktop());
  const ProgramResult userDirList = run({"/list", "/userdir", home.str()});
  fs::create_directory_symlink(home.path(), desktop());
  EXPECT_EQ(userDirList.exitCode, 0) << userDirList.err;
  for (const std::string& path : listedPaths(userDirList.out)) {
    EXPECT_TRUE(path.ends_with("/Loose.lnk") || path.ends_with("/Notes/.drafts/Draft.lnk")) << path;
  }
  EXPECT_NE(userDirList.out.find(home / "Loose.lnk"), std::string::npos) << userDirList.out;

  const ProgramResult silent = run({"/silent", "/desktop"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_FALSE(fs::exists(home.path() / "Loose.lnk"));
  EXPECT_TRUE(fs::exists(home.path() / ".cache/app/Cached.lnk"));
  EXPECT_TRUE(fs::exists(home.path() / ".local/share/app/Kept.lnk"));
}

TEST_F(WalkBounds, NoWalkEntersATrashHoweverItIsReached) {
  // What earlier cleanings put in the home trash and in volume trashes, and a Recycle Bin.
  orphan(dataHome / "Trash/files/Trashed.lnk");
  orphan(dataHome / ".Trash-1000/files/Volume.lnk");
  orphan(dataHome / ".Trash/1000/files/Shared.lnk");
  orphan(dataHome / "$RECYCLE.BIN/S-1-5-21/$R1.lnk");
  orphan(dataHome / "apps/.hidden/Hidden.lnk");
  orphan(dataHome / "apps/.Trash-old/Named.lnk");
  // The data folder reached through a link: the home trash has another path there.
  const fs::path data = home.path() / "data";
  fs::create_directory_symlink(dataHome, data);

  const ProgramResult list = run({"/list", "/userdir", data.string()});
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(listedPaths(list.out), (std::vector<std::string>{(data / "apps/.Trash-old/Named.lnk").string(),
                                                             (data / "apps/.hidden/Hidden.lnk").string()}));
  // Nor does one that starts inside a trash.
  for (const fs::path& inside : {data / "Trash/files", dataHome / ".Trash-1000/files"}) {
    const ProgramResult trash = run({"/list", "/userdir", inside.string()});
    EXPECT_EQ(trash.exitCode, 0) << trash.err;
    EXPECT_EQ(trash.out, "") << inside;
  }
}

// A chain of folders made and taken down one level at a time, relative to the one above: its
// path is far longer than the calls that take a whole path accept.
class FolderChain {
 public:
  FolderChain(const fs::path& root, std::size_t depth, std::size_t nameLength) : root_(root) {
    int folder = ::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t level = 0; folder >= 0 && level < depth; ++level) {
      std::string name = std::to_string(level);
      name.resize(nameLength, 'd');
      const int next = ::mkdirat(folder, name.c_str(), 0755) == 0
                           ? ::openat(folder, name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)
                           : -1;
      ::close(folder);
      folder = next;
      if (next >= 0) names_.push_back(std::move(name));
    }
    bottom_ = folder;
  }
  ~FolderChain() {
    int folder = bottom_;
    if (folder >= 0) ::unlinkat(folder, kShortcut, 0);
    for (std::size_t level = names_.size(); folder >= 0 && level > 0; --level) {
      const int parent = ::openat(folder, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
      ::close(folder);
      folder = parent;
      if (parent >= 0) ::unlinkat(parent, names_[level - 1].c_str(), AT_REMOVEDIR);
    }
    if (folder >= 0) ::close(folder);
  }
  FolderChain(const FolderChain&) = delete;
  FolderChain& operator=(const FolderChain&) = delete;

  std::size_t depth() const { return names_.size(); }
  // Puts a shortcut in the deepest folder.
  bool putShortcut(const std::string& content) const {
    const int file = ::openat(bottom_, kShortcut, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file < 0) return false;
    const bool written = ::write(file, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    return ::close(file) == 0 && written;
  }
  std::string shortcutPath() const {
    std::string path = root_.string();
    for (const std::string& name : names_) path += "/" + name;
    return path + "/" + kShortcut;
  }

  static constexpr const char* kShortcut = "Deep.lnk";

 private:
  fs::path root_;
  std::vector<std::string> names_;
  int bottom_ = -1;
};

TEST_F(WalkBounds, AVeryDeepTreeCostsMemoryInProportionToItsDepth) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine: the peak says nothing here";
#endif
  // 1,000 levels of 200-byte names: a path of 200 KB. A whole path kept per level would add up
  // to 100 MB for each copy.
  TempDir tree;
  const FolderChain chain(tree.path(), 1000, 200);
  ASSERT_EQ(chain.depth(), 1000u);
  ASSERT_TRUE(chain.putShortcut(LnkBuilder().localPath("C:\\Gone\\deep.exe").build()));

  const ProgramResult result = run({"/list", "/userdir", tree.str()});
  rusage children{};
  ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &children), 0);
  EXPECT_EQ(result.exitCode, 0) << result.err.substr(0, 300);
  EXPECT_EQ(listedPaths(result.out), std::vector<std::string>{chain.shortcutPath()});
  // The largest of this test's runs, in KiB.
  EXPECT_LT(children.ru_maxrss, 200 * 1024) << "a copy of the whole path per level";
}

}  // namespace
}  // namespace zendrift::testing
