// The real zendrift binary moving orphans to the trash, deleting them for good, and undoing the
// last cleaning, over real trees.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <regex>

#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

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
  // Undoing a permanent cleaning says that nothing of it can come back.
  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 1);
  EXPECT_NE(undone.err.find("Could not restore " + (desktop() / "later.lnk").string() +
                            ": it was deleted for good, not moved to the trash"),
            std::string::npos)
      << undone.err;
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

}  // namespace
}  // namespace zendrift::testing
