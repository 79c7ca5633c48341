// The real zendrift binary moving orphans to the trash, deleting them for good, and undoing the
// last cleaning, over real trees.
#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <regex>
#include <thread>

#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;


// A chain of folders below `root` whose full path may be longer than PATH_MAX, reached one level
// at a time as the ordinary calls cannot.
class FolderChain {
 public:
  FolderChain(fs::path root, std::size_t length) : root_(std::move(root)) {
    for (std::size_t total = root_.string().size(); total < length; total += 201) {
      names_.push_back(std::string(196, 'd') + std::to_string(1000 + names_.size()));
    }
  }
  const std::string& top() const { return names_.front(); }

  // Writes `content` as `name` in the deepest folder, making the chain.
  bool write(const std::string& name, const std::string& content) const {
    const int folder = open(true);
    if (folder < 0) return false;
    const int file = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    ::close(folder);
    if (file < 0) return false;
    const bool written = ::write(file, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    return ::close(file) == 0 && written;
  }
  // The content of `name` in the deepest folder; none when it or a folder on the way is missing.
  std::optional<std::string> read(const std::string& name) const {
    const int folder = open(false);
    const int file = folder < 0 ? -1 : ::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) ::close(folder);
    if (file < 0) return std::nullopt;
    std::string content;
    char buffer[4096];
    for (ssize_t got; (got = ::read(file, buffer, sizeof buffer)) > 0;) content.append(buffer, static_cast<std::size_t>(got));
    ::close(file);
    return content;
  }
  // Removes the chain from its top, with everything in it.
  void remove() const {
    const int root = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    removeTree(root, top());
    ::close(root);
  }

 private:
  int open(bool make) const {
    int folder = ::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (const std::string& name : names_) {
      if (folder < 0) break;
      if (make) ::mkdirat(folder, name.c_str(), 0755);
      const int next = ::openat(folder, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      ::close(folder);
      folder = next;
    }
    return folder;
  }
  static void removeTree(int parent, const std::string& name) {
    const int folder = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (DIR* listing = folder < 0 ? nullptr : ::fdopendir(folder)) {
      std::vector<std::string> names;
      while (const dirent* entry = ::readdir(listing)) {
        if (std::string_view(entry->d_name) != "." && std::string_view(entry->d_name) != "..") names.emplace_back(entry->d_name);
      }
      for (const std::string& inside : names) {
        if (::unlinkat(::dirfd(listing), inside.c_str(), 0) != 0) removeTree(::dirfd(listing), inside);
      }
      ::closedir(listing);
    }
    ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
  }

  fs::path root_;
  std::vector<std::string> names_;
};

class TrashAndUndo : public HomeWithPrefix {
 protected:
  TrashAndUndo() { prefix.folder("Games/Real").file("Games/Real/real.exe"); }

  // The orphans of a small profile: a folder they empty, two of one name, names that Path= must
  // encode, a kept one, an excluded one, a shortcut that is not an orphan.
  std::vector<fs::path> plantOrphans() {
    const std::vector<fs::path> orphans{startMenu() / "Programs/Gone/Deeper/a.lnk", startMenu() / "Programs/Gone/b.lnk",
                                        startMenu() / "Programs/Mixed/same.lnk", desktop() / "same.lnk",
                                        desktop() / "50% Ärger #1.lnk"};
    for (std::size_t i = 0; i < orphans.size(); ++i) {
      shortcut(orphans[i], "C:\\Gone\\" + std::to_string(i) + ".exe");
    }
    writeFile(startMenu() / "Programs/Mixed/readme.txt", "stays");
    shortcut(desktop() / "Real.lnk", "C:\\Games\\Real\\real.exe");
    shortcut(desktop() / "Excluded.lnk", "C:\\Gone\\x.exe");
    writeFile(settingsFile(), "[Exclude]\nExcludeList=" + (desktop() / "Excluded.lnk").string() + ", \n");
    return orphans;
  }

  // The trash's files/ and info/ entries, by name.
  static std::vector<std::string> names(const fs::path& folder) {
    std::vector<std::string> result;
    if (!fs::exists(folder)) return result;
    for (const auto& entry : fs::directory_iterator(folder)) result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
  }

  // The value of `key` in a .trashinfo file, checking the file's frame.
  static std::string infoValue(const fs::path& info, const std::string& key) {
    const std::string text = readFile(info);
    EXPECT_TRUE(text.starts_with("[Trash Info]\n")) << text;
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos) return {};
    const std::size_t start = at + key.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
  }
};

TEST_F(TrashAndUndo, SilentTrashesExactlyTheMarkedOrphansAndUndoGivesTheTreeBack) {
  const std::vector<fs::path> orphans = plantOrphans();
  const TreeSnapshot before = snapshot(home.path());
  std::map<std::string, std::string> contents;  // original path -> content
  for (const fs::path& orphan : orphans) contents[orphan.string()] = readFile(orphan);

  TreeSnapshot expected = before;
  for (const fs::path& orphan : orphans) ASSERT_EQ(expected.erase(fs::relative(orphan, home.path()).string()), 1u);
  for (const char* folder : {"Programs/Gone/Deeper", "Programs/Gone"}) {
    ASSERT_EQ(expected.erase(fs::relative(startMenu() / folder, home.path()).string()), 1u);
  }

  const ProgramResult cleaned = run({"/silent"});
  ASSERT_EQ(cleaned.exitCode, 0) << cleaned.err;
  EXPECT_EQ(snapshot(home.path()), expected);

  // Each orphan is in files/ under a name of its own, with a .trashinfo that names its place.
  const std::vector<std::string> files = names(trash() / "files");
  ASSERT_EQ(files.size(), orphans.size());
  EXPECT_EQ(std::count_if(files.begin(), files.end(), [](const std::string& n) { return n.starts_with("same."); }), 2);
  const std::regex date(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)");
  std::map<std::string, std::string> inTrash;
  for (const std::string& name : files) {
    const fs::path info = trash() / "info" / (name + ".trashinfo");
    ASSERT_TRUE(fs::is_regular_file(info)) << name;
    EXPECT_TRUE(std::regex_match(infoValue(info, "DeletionDate"), date)) << readFile(info);
    inTrash[infoValue(info, "Path")] = readFile(trash() / "files" / name);
  }
  std::map<std::string, std::string> expectedInTrash;
  for (const auto& [path, content] : contents) {
    std::string encoded = path;
    for (const auto& [plain, escaped] : std::vector<std::pair<std::string, std::string>>{
             {"%", "%25"}, {" ", "%20"}, {"#", "%23"}, {"\xC3\x84", "%C3%84"}}) {
      for (std::size_t at = 0; (at = encoded.find(plain, at)) != std::string::npos; at += escaped.size()) {
        encoded.replace(at, plain.size(), escaped);
      }
    }
    expectedInTrash[encoded] = content;
  }
  EXPECT_EQ(inTrash, expectedInTrash);

  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 0) << undone.err;
  EXPECT_EQ(snapshot(home.path()), before) << undone.err;
  EXPECT_TRUE(names(trash() / "files").empty());
  EXPECT_TRUE(names(trash() / "info").empty());
  const ProgramResult again = run({"/undo"});
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.err, "There is no cleaning to undo.\n");

  // Clean again; then one place is taken and one file leaves the trash, another taking its name
  // there: both are reported and skipped, nothing is overwritten, and the rest comes back.
  ASSERT_EQ(run({"/silent"}).exitCode, 0);
  writeFile(orphans[3], "the user's own");
  const fs::path gone = trash() / "files" / "50% Ärger #1.lnk";
  ASSERT_TRUE(fs::remove(gone));
  writeFile(gone, "trashed by someone else");
  const ProgramResult partly = run({"/undo"});
  EXPECT_EQ(partly.exitCode, 1);
  EXPECT_NE(partly.err.find("Could not restore " + orphans[3].string() + ": something else is at its place"),
            std::string::npos)
      << partly.err;
  EXPECT_NE(partly.err.find("Could not restore " + orphans[4].string() + ": it is no longer in the trash"),
            std::string::npos)
      << partly.err;
  EXPECT_EQ(readFile(orphans[3]), "the user's own");
  EXPECT_FALSE(fs::exists(orphans[4]));
  EXPECT_EQ(readFile(gone), "trashed by someone else");
  fs::remove(gone);
  for (const std::size_t i : {0u, 1u, 2u}) EXPECT_EQ(readFile(orphans[i]), contents[orphans[i].string()]);
  // The one whose place was taken stays recorded: freed, a second undo brings it back.
  fs::remove(orphans[3]);
  const ProgramResult retried = run({"/undo"});
  EXPECT_EQ(retried.exitCode, 0) << retried.err;
  EXPECT_EQ(readFile(orphans[3]), contents[orphans[3].string()]);

  // A scan of the trash itself does not walk into it: the shortcuts it holds stay as they are.
  ASSERT_EQ(run({"/silent"}).exitCode, 0);
  const TreeSnapshot trashBefore = snapshot(trash());
  const ProgramResult trashScan = run({"/silent", "/userdir", trash().string()});
  EXPECT_EQ(trashScan.exitCode, 0) << trashScan.err;
  EXPECT_EQ(snapshot(trash()), trashBefore);
}

TEST_F(TrashAndUndo, PermanentDeletesForGoodAndAMissingTrashNeverBecomesADeletion) {
  const std::vector<fs::path> orphans = plantOrphans();
  // No trash can be made where the data folder lies below a file.
  const fs::path dataFolder = dataHome;
  writeFile(xdg.path() / "plain-file", "");
  dataHome = xdg.path() / "plain-file/data";
  const TreeSnapshot before = snapshot(home.path());
  const ProgramResult refused = run({"/silent"});
  EXPECT_EQ(refused.exitCode, 1);
  for (const fs::path& orphan : orphans) {
    EXPECT_NE(refused.err.find("Could not delete " + orphan.string() + ": there is no trash on its volume that can take it"),
              std::string::npos)
        << refused.err;
  }
  EXPECT_EQ(snapshot(home.path()), before);

  // The switch, or the setting, deletes for good: nothing reaches the trash.
  const ProgramResult permanent = run({"/silent", "/permanent"});
  EXPECT_EQ(permanent.exitCode, 0) << permanent.err;
  for (const fs::path& orphan : orphans) EXPECT_FALSE(fs::exists(orphan)) << orphan;
  dataHome = dataFolder;
  EXPECT_FALSE(fs::exists(trash()));
  shortcut(desktop() / "later.lnk", "C:\\Gone\\later.exe");
  writeFile(settingsFile(), "[Delete]\nPermanently=1\n");
  EXPECT_EQ(run({"/silent"}).exitCode, 0);
  EXPECT_FALSE(fs::exists(desktop() / "later.lnk"));
  EXPECT_FALSE(fs::exists(trash()));
  // Undoing a permanent cleaning says plainly that there is nothing to undo: no error.
  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 0);
  // later.lnk, and Excluded.lnk, which the new settings no longer exclude.
  EXPECT_EQ(undone.err, "The last cleaning deleted 2 shortcut(s) for good: there is nothing to undo.\n");
}

TEST_F(TrashAndUndo, AShortcutOnAnotherVolumeGoesToThatVolumesTrash) {
  struct stat homeStatus {};
  struct stat shmStatus {};
  const fs::path shm = "/dev/shm";
  if (::stat(home.str().c_str(), &homeStatus) != 0 || ::stat(shm.c_str(), &shmStatus) != 0 ||
      homeStatus.st_dev == shmStatus.st_dev || ::access(shm.c_str(), W_OK) != 0) {
    GTEST_SKIP() << "no second writable file system beside " << home.str();
  }
  // /dev/shm is the top of its volume: its trash is /dev/shm/.Trash-$uid (or .Trash/$uid).
  const fs::path user = shm / ("zd-trash-" + std::to_string(::getpid()));
  fs::create_directories(user / "sub");
  shortcut(user / "sub/away.lnk", "C:\\Gone\\away.exe");
  const std::string content = readFile(user / "sub/away.lnk");

  const ProgramResult cleaned = run({"/silent", "/userdir", user.string()});
  EXPECT_EQ(cleaned.exitCode, 0) << cleaned.err;
  EXPECT_FALSE(fs::exists(user / "sub"));
  EXPECT_TRUE(names(trash() / "files").empty()) << "the home trash is on another volume";
  fs::path volumeTrash = shm / (".Trash-" + std::to_string(::getuid()));
  if (fs::is_directory(shm / ".Trash") && !fs::is_symlink(shm / ".Trash")) volumeTrash = shm / ".Trash" / std::to_string(::getuid());
  // Other runs may share that trash: find ours by its Path=, relative to the volume's top.
  const std::string relative = user.filename().string() + "/sub/away.lnk";
  fs::path ours;
  for (const auto& entry : fs::directory_iterator(volumeTrash / "info")) {
    if (infoValue(entry.path(), "Path") == relative) ours = entry.path();
  }
  ASSERT_FALSE(ours.empty()) << "no .trashinfo with Path=" << relative;
  EXPECT_EQ(readFile(volumeTrash / "files" / ours.stem()), content);

  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 0) << undone.err;
  EXPECT_EQ(readFile(user / "sub/away.lnk"), content);
  EXPECT_FALSE(fs::exists(ours));
  fs::remove_all(user);
}


TEST_F(TrashAndUndo, UndoTakesOnlyWhatItTrashedAndNeverFollowsALinkOnTheWay) {
  const fs::path gone = startMenu() / "Programs/Gone";
  shortcut(gone / "b.lnk", "C:\\Gone\\b.exe");
  shortcut(desktop() / "x.lnk", "C:\\Gone\\x.exe");
  const std::string content = readFile(gone / "b.lnk");
  ASSERT_EQ(run({"/silent"}).exitCode, 0);
  ASSERT_FALSE(fs::exists(gone));
  // Someone puts a link to a folder of theirs where the emptied folder was.
  const fs::path outside = xdg.path() / "outside";
  fs::create_directories(outside);
  fs::create_directory_symlink(outside, gone);

  // A record written by hand, newer than the cleaning: a file that never went to the trash going
  // to a place with "..", another file named as its .trashinfo, a folder elsewhere.
  const fs::path victim = home.path() / "victim.txt";
  const fs::path kept = home.path() / "kept.txt";
  writeFile(victim, "mine");
  writeFile(kept, "mine too");
  fs::create_directories(home.path() / "a");
  struct stat status {};
  ASSERT_EQ(::lstat(victim.c_str(), &status), 0);
  const std::string escaping = (home.path() / "a/../escaped.lnk").string();
  writeFile(cleaningRecords() / "cleaning-99999999999999999998.txt",
            "Zendrift cleaning 1\nfolder\t" + (outside / "made").string() + "\ntrashed\t" + escaping + "\t" +
                victim.string() + "\t" + kept.string() + "\t" + std::to_string(status.st_dev) + "\t" +
                std::to_string(status.st_ino) + "\t" +
                std::to_string(status.st_ctim.tv_sec * 1'000'000'000LL + status.st_ctim.tv_nsec) + "\n");
  // Newer still, a record that makes no sense: it is named once and set aside.
  const fs::path senseless = cleaningRecords() / "cleaning-99999999999999999999.txt";
  writeFile(senseless, "Zendrift cleaning 1\nnonsense\n");
  const ProgramResult unreadable = run({"/undo"});
  EXPECT_EQ(unreadable.exitCode, 1);
  EXPECT_NE(unreadable.err.find("Could not restore " + senseless.string()), std::string::npos) << unreadable.err;
  const ProgramResult refused = run({"/undo"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("Could not restore " + escaping + ": "), std::string::npos) << refused.err;
  EXPECT_EQ(readFile(victim), "mine");
  EXPECT_EQ(readFile(kept), "mine too");
  EXPECT_FALSE(fs::exists(home.path() / "escaped.lnk"));
  EXPECT_FALSE(fs::exists(outside / "made"));

  // That record can never be undone, so it is done; the cleaning before is next, and the link
  // takes nothing out of the tree.
  const ProgramResult blocked = run({"/undo"});
  EXPECT_EQ(blocked.exitCode, 1);
  EXPECT_NE(blocked.err.find("Could not restore " + (gone / "b.lnk").string() + ": "), std::string::npos) << blocked.err;
  EXPECT_TRUE(fs::is_empty(outside));
  EXPECT_TRUE(fs::exists(desktop() / "x.lnk"));
  // Without the link the file comes back, into a folder made anew.
  fs::remove(gone);
  const ProgramResult retried = run({"/undo"});
  EXPECT_EQ(retried.exitCode, 0) << retried.err;
  EXPECT_FALSE(fs::is_symlink(gone));
  EXPECT_EQ(readFile(gone / "b.lnk"), content);
}

TEST_F(TrashAndUndo, UndoMakesDeletedFoldersAgainAtAnyDepthAndThenTakesTheCleaningBefore) {
  // The older cleaning was of a folder of the user's own, which is gone by the time of its undo.
  const fs::path links = home.path() / "Links";
  shortcut(links / "older.lnk", "C:\\Gone\\older.exe");
  const std::string older = readFile(links / "older.lnk");
  ASSERT_EQ(run({"/silent", "/userdir", links.string()}).exitCode, 0);
  // A later cleaning takes a shortcut deeper than PATH_MAX; then the user deletes its folders.
  const FolderChain chain(startMenu() / "Programs", PATH_MAX + 300);
  const std::string content = LnkBuilder().localPath("C:\\Gone\\deep.exe").build();
  ASSERT_TRUE(chain.write("deep.lnk", content));
  const ProgramResult cleaned = run({"/silent"});
  ASSERT_EQ(cleaned.exitCode, 0) << cleaned.err;
  ASSERT_FALSE(chain.read("deep.lnk"));
  chain.remove();

  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 0) << undone.err;
  EXPECT_EQ(chain.read("deep.lnk"), content);
  EXPECT_FALSE(fs::exists(links / "older.lnk"));
  fs::remove_all(links);
  const ProgramResult before = run({"/undo"});
  EXPECT_EQ(before.exitCode, 0) << before.err;
  EXPECT_EQ(readFile(links / "older.lnk"), older);
  chain.remove();
}

TEST_F(TrashAndUndo, OneCleaningAtATimeAndTwoStartedAtOnceLoseNothing) {
  // While another holds the lock, a cleaning and an undo say so and do nothing.
  shortcut(desktop() / "held.lnk", "C:\\Gone\\held.exe");
  fs::create_directories(cleaningRecords());
  const int lock = ::open((cleaningRecords() / "cleaning.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);
  const ProgramResult cleaning = run({"/silent"});
  const ProgramResult undoing = run({"/undo"});
  ::close(lock);
  EXPECT_EQ(cleaning.exitCode, 1);
  EXPECT_NE(cleaning.err.find("another cleaning or undo is running"), std::string::npos) << cleaning.err;
  EXPECT_TRUE(fs::exists(desktop() / "held.lnk"));
  EXPECT_EQ(undoing.exitCode, 1);
  EXPECT_NE(undoing.err.find("another cleaning or undo is running"), std::string::npos) << undoing.err;

  // Two started at once over the same tree: every shortcut is in the trash once, never recorded
  // as deleted for good, and undo after undo gives them all back.
  std::map<fs::path, std::string> contents{{desktop() / "held.lnk", readFile(desktop() / "held.lnk")}};
  for (int i = 0; i < 400; ++i) {
    const fs::path path = desktop() / ("n" + std::to_string(i) + ".lnk");
    shortcut(path, "C:\\Gone\\" + std::to_string(i) + ".exe");
    contents[path] = readFile(path);
  }
  ProgramResult second;
  std::thread other([&] { second = run({"/silent"}); });
  const ProgramResult first = run({"/silent"});
  other.join();
  for (const ProgramResult* result : {&first, static_cast<const ProgramResult*>(&second)}) {
    EXPECT_TRUE(result->exitCode == 0 || result->err.find("another cleaning or undo is running") != std::string::npos)
        << result->err;
  }
  for (int undo = 0; undo < 3; ++undo) {
    const ProgramResult undone = run({"/undo"});
    EXPECT_EQ(undone.err.find("deleted for good"), std::string::npos) << undone.err;
    if (undone.err == "There is no cleaning to undo.\n") break;
  }
  for (const auto& [path, content] : contents) EXPECT_EQ(readFile(path), content) << path;
}

TEST_F(TrashAndUndo, AVolumesTrashFolderThatAnotherUserCouldReachIsNotUsed) {
  // A volume of its own, in a mount namespace of its own: a child process does the work and
  // tells by its exit code which step failed.
  const fs::path volume = xdg.path() / "volume";
  fs::create_directories(volume);
  const std::string uid = std::to_string(::getuid());
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("zendrift-test", volume.c_str(), "tmpfs", 0, "mode=0755") != 0) {
      ::_exit(100);
    }
    const fs::path shared = volume / ".Trash";
    const fs::path own = shared / uid;
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    fs::create_directories(volume / "elsewhere");
    // Prepared by another user; writable by others; a link; then this user's own.
    const std::vector<std::function<void()>> preparations{
        [&] { fs::create_directory(own); if (::chown(own.c_str(), 65534, 65534) != 0) ::_exit(101); },
        [&] { fs::create_directory(own); fs::permissions(own, fs::perms::all); },
        [&] { fs::create_directory_symlink(volume / "elsewhere", own); },
        [&] { fs::create_directory(own); fs::permissions(own, fs::perms::owner_all); },
    };
    for (std::size_t step = 0; step < preparations.size(); ++step) {
      fs::remove_all(own);
      fs::remove_all(volume / (".Trash-" + uid));
      preparations[step]();
      const fs::path shortcutPath = volume / "user" / "away.lnk";
      shortcut(shortcutPath, "C:\\Gone\\away.exe");
      const ProgramResult cleaned = run({"/silent", "/userdir", (volume / "user").string()});
      const bool ownTrash = step + 1 == preparations.size();
      const fs::path used = ownTrash ? own : volume / (".Trash-" + uid);
      if (cleaned.exitCode != 0 || !fs::exists(used / "files/away.lnk")) ::_exit(static_cast<int>(10 + step));
      if (!ownTrash && (fs::exists(volume / "elsewhere/files") || (!fs::is_symlink(own) && fs::exists(own / "files")))) {
        ::_exit(static_cast<int>(20 + step));
      }
      if (run({"/undo"}).exitCode != 0 || !fs::exists(shortcutPath)) ::_exit(static_cast<int>(30 + step));
      fs::remove(shortcutPath);
    }
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 100) GTEST_SKIP() << "no mount namespace of its own for a second volume";
  // 1x: the file did not go to the trash it should; 2x: the other trash was used; 3x: no undo.
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace zendrift::testing
