// The records of cleanings: what is written reads back the same, the newest is the one found,
// and only the newest are kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "profile/wine/file_association.h"
#include "scan/cleaning_record.h"
#include "scan/cleaning_undo.h"
#include "scan/orphan_removal.h"
#include "scan_fixture.h"
#include "temp_dir.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

TEST(CleaningRecord, ReadsBackWhatWasWrittenAndKeepsOnlyTheNewest) {
  TempDir dir;
  const std::string folder = dir / "state/Zendrift";
  ASSERT_TRUE(scan::lastCleaningRecord(folder)) << "no record is nothing to undo, not a failure";
  EXPECT_FALSE(*scan::lastCleaningRecord(folder));

  scan::CleaningRecord odd;
  odd.trashed.push_back({"/a/tab\there.lnk", "/t/files/tab\there.lnk", "/t/info/tab\there.lnk.trashinfo", {64769, 42},
                         1796694480417779781, 1234});
  odd.trashed.push_back({"C:\\Users\\ann\\line\nbreak.lnk", "C:\\$Recycle.Bin\\x", "", {0xFFFFFFFF, ~0ULL}, 0});
  odd.deletedForGood.push_back("/a/back\\slash.lnk");
  odd.removedFolders = {"/a/deep/er", "/a/deep"};
  odd.alreadyGone.push_back("/a/gone\tbefore.lnk");
  odd.roots = {"/a", "/home/ann/.local/share/applications/wine"};
  // Lines edited in place, each with its line break: one removed (with the line above it), one changed.
  odd.editedLines = {{"/c/mimeapps.list", {1, "a=w.desktop\r\n", std::nullopt, "[Default Applications]\r\n"}},
                     {"/c/mimeapps.list", {0, "t=x\t;w.desktop;", "t=x\t;", {}}}};
  for (int i = 0; i < 22; ++i) {
    scan::CleaningRecord record;
    record.removedFolders.push_back("/folder " + std::to_string(i));
    ASSERT_FALSE(scan::saveCleaningRecord(i == 21 ? odd : record, folder));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
            static_cast<std::ptrdiff_t>(scan::kKeptCleaningRecords));
  const auto last = *scan::lastCleaningRecord(folder);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->record, odd);

  // What is left of it replaces it; once nothing is left, the one before is the last.
  scan::StoredCleaningRecord rest = *last;
  rest.record.trashed.resize(1);
  ASSERT_FALSE(scan::rewriteCleaningRecord(rest));
  EXPECT_EQ((*scan::lastCleaningRecord(folder))->record, rest.record);
  rest.record = {};
  ASSERT_FALSE(scan::rewriteCleaningRecord(rest));
  EXPECT_EQ((*scan::lastCleaningRecord(folder))->record.removedFolders,
            std::vector<std::string>{"/folder 20"});

  // A record written before sizes were kept reads as before, without one.
  writeFile(fs::path(folder) / "cleaning-99999999999999999998.txt",
            "Zendrift cleaning 1\ntrashed\t/a/x.lnk\t/t/files/x.lnk\t/t/info/x.lnk.trashinfo\t1\t2\t3\n");
  const auto older = *scan::lastCleaningRecord(folder);
  ASSERT_TRUE(older);
  EXPECT_EQ(older->record.trashed,
            (std::vector<platform::TrashedFile>{{"/a/x.lnk", "/t/files/x.lnk", "/t/info/x.lnk.trashinfo", {1, 2}, 3, 0}}));

  // A record cut short is an error, never a smaller undo.
  const std::string text = readFile((*scan::lastCleaningRecord(folder))->file);
  writeFile(fs::path(folder) / "cleaning-99999999999999999999.txt", text.substr(0, text.size() - 1));
  EXPECT_EQ(scan::lastCleaningRecord(folder).error(), std::errc::illegal_byte_sequence);
}

class CleaningRecordOfARemoval : public PrefixFixture {};

TEST_F(CleaningRecordOfARemoval, AShortcutGoneBeforeTheRemovalCameIsAlreadyGoneNeverDeletedForGood) {
  settings::ScanOptions options;
  options.prefix = prefix.str();
  options.desktop = true;
  const std::string trashed = shortcut(desktop() / "a.lnk", "C:\\Gone\\a.exe");
  const std::string vanishing = shortcut(desktop() / "b.lnk", "C:\\Gone\\b.exe");
  std::vector<scan::OrphanRecord> records;
  scan::ScanEvents events;
  events.orphanFound = [&records](scan::OrphanRecord&& record) { records.push_back(std::move(record)); };
  scan::scanForOrphans(options, {}, events);
  ASSERT_EQ(records.size(), 2u);
  const auto size = fs::file_size(trashed);
  fs::remove(vanishing);  // another cleaning took it meanwhile

  const scan::RemovalReport report = scan::removeOrphans(records, options.userDir, {}, {}, scan::Disposal::trash,
                                                         {scan::orphanCriteria(options), {}});
  EXPECT_TRUE(report.failures.empty());
  EXPECT_EQ(report.deleted, std::vector<std::string>{trashed});
  const scan::CleaningRecord record = scan::cleaningRecordOf(report);
  EXPECT_TRUE(record.deletedForGood.empty());
  EXPECT_EQ(record.alreadyGone, std::vector<std::string>{vanishing});
  ASSERT_EQ(record.trashed.size(), 1u);
  EXPECT_EQ(record.trashed[0].original, trashed);
  EXPECT_EQ(record.trashed[0].size, size);
}

// Wine's entry for `progId`, as its menu builder writes it.
std::string associationEntry(const std::string& prefix, const std::string& progId, const std::string& icon) {
  return "[Desktop Entry]\nType=Application\nName=Zen\nMimeType=application/x-zen;\nExec=env WINEPREFIX=\"" + prefix +
         "\" wine start /ProgIDOpen " + progId + " %f\nNoDisplay=true\nStartupNotify=true\nIcon=" + icon + "\n";
}

TEST_F(CleaningRecordOfARemoval, AFileAssociationIsJudgedAgainAndWhatCannotBeReadIsNeitherEditedNorTakenForUnused) {
  prefix.systemReg("[Software\\\\Classes\\\\Zen.Doc\\\\shell\\\\open\\\\command]\n@=\"C:\\\\Zen\\\\zen.exe %1\"\n\n"
                   "[Software\\\\Classes\\\\Back.Doc\\\\shell\\\\open\\\\command]\n@=\"C:\\\\Back\\\\back.exe %1\"\n");
  const fs::path applications = home.path() / "data/applications";
  writeFile(applications / "wine-extension-zdoc.desktop", associationEntry(prefix.str(), "Zen.Doc", "8A1F_zdoc.0"));
  writeFile(applications / "wine-extension-edit.desktop", associationEntry(prefix.str(), "Zen.Doc", "8A1F_edit.0"));
  writeFile(applications / "wine-extension-back.desktop", associationEntry(prefix.str(), "Back.Doc", "8A1F_back.0"));
  const fs::path icon = home.path() / "data/icons/hicolor/32x32/apps/8A1F_zdoc.0.png";
  writeFile(icon, "png");
  // An entry kept elsewhere and linked in: what it names cannot be vouched for.
  writeFile(home.path() / "dotfiles/mine.desktop", "[Desktop Entry]\nType=Application\nExec=mine\n");
  fs::create_symlink(home.path() / "dotfiles/mine.desktop", applications / "mine.desktop");
  const std::string linkedList = "[Default Applications]\napplication/x-zen=wine-extension-zdoc.desktop;\n";
  writeFile(home.path() / "dotfiles/mimeapps.list", linkedList);
  fs::create_directories(home.path() / "config");
  fs::create_symlink(home.path() / "dotfiles/mimeapps.list", home.path() / "config/mimeapps.list");
  settings::ScanOptions options = scanOf(prefix.str());
  options.startMenu = true;
  std::vector<scan::OrphanRecord> records;
  scan::ScanEvents events;
  events.orphanFound = [&records](scan::OrphanRecord&& record) { records.push_back(std::move(record)); };
  scan::scanForOrphans(options, {}, events);
  ASSERT_EQ(records.size(), 3u);
  // Since the scan: one entry edited in place into someone's own, and one program installed again.
  std::ofstream(applications / "wine-extension-edit.desktop", std::ios::app) << "Terminal=false\n";
  prefix.file("Back/back.exe");

  const scan::RemovalReport report = scan::removeOrphans(records, options.userDir, {}, {}, scan::Disposal::permanent,
                                                         {scan::orphanCriteria(options), {}});
  EXPECT_EQ(report.deleted, std::vector<std::string>{(applications / "wine-extension-zdoc.desktop").string()});
  std::map<std::string, std::string> kept;
  for (const scan::KeptShortcut& entry : report.kept) kept[fs::path(entry.path).filename().string()] = entry.why;
  EXPECT_EQ(kept, (std::map<std::string, std::string>{
                      {"wine-extension-edit.desktop", "changed since the scan and no longer of Wine's form"},
                      {"wine-extension-back.desktop", "what it opens with is no longer missing"}}));
  EXPECT_TRUE(fs::exists(icon));
  // The linked list names the entry that went, and stays as it was: a failure, not a success.
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].path, (home.path() / "config/mimeapps.list").string());
  EXPECT_EQ(readFile(home.path() / "dotfiles/mimeapps.list"), linkedList);
}

TEST_F(CleaningRecordOfARemoval, AnUndoPutsLinesOnlyIntoTheDesktopsOwnListsAndOnlyForEntriesThatAreThere) {
  const fs::path applications = home.path() / "data/applications";
  writeFile(applications / "wine-extension-back.desktop", "x");
  const std::string top = "[Default Applications]\n";
  const fs::path list = home.path() / "config/mimeapps.list";
  const fs::path elsewhere = home.path() / "notes.txt";
  const fs::path linked = home.path() / "dotfiles/mimeapps.list";
  for (const fs::path& file : {list, elsewhere, linked}) writeFile(file, top);
  fs::create_symlink(linked, applications / "mimeapps.list");
  const profile::wine::LineEdit back{1, "a/x=wine-extension-back.desktop;\n", std::nullopt, top};
  const profile::wine::LineEdit gone{1, "a/y=wine-extension-gone.desktop;\n", std::nullopt, top};
  scan::CleaningRecord record;
  record.editedLines = {{list.string(), back},
                        {list.string(), gone},
                        {elsewhere.string(), back},
                        {(applications / "mimeapps.list").string(), back}};
  const std::string folder = home / "state/Zendrift";
  ASSERT_FALSE(scan::saveCleaningRecord(record, folder));

  const scan::UndoReport undone = scan::undoLastCleaning(folder);
  EXPECT_EQ(readFile(list), top + back.before);
  EXPECT_EQ(readFile(elsewhere), top);
  EXPECT_EQ(readFile(linked), top);
  EXPECT_TRUE(fs::is_symlink(applications / "mimeapps.list"));
  EXPECT_EQ(undone.failures.size(), 2u);
}

}  // namespace
}  // namespace zendrift::testing
