// Wine's file associations, in the form Wine's menu builder writes them, found and cleaned by the
// real program: with their MIME package, their mimeapps.list lines and their icons, and back again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

// What Wine writes for an extension whose ProgID's open command starts a program.
std::string associationEntry(const std::string& prefix, const std::string& progId, const std::string& icon) {
  return "[Desktop Entry]\nType=Application\nName=A Wine application\nMimeType=application/x-wine-extension-x;\n"
         "Exec=env WINEPREFIX=\"" + prefix + "\" wine start /ProgIDOpen " + progId +
         " %f\nNoDisplay=true\nStartupNotify=true\nIcon=" + icon + "\n";
}

std::string mimePackage(const std::string& extension) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"application/x-wine-extension-" + extension + "\">\n"
         "    <glob pattern=\"*." + extension + "\"/>\n"
         "    <comment>Zen document</comment>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

bool installed(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

class WineAssociations : public HomeWithPrefix {
 protected:
  fs::path applications() const { return dataHome / "applications"; }
  fs::path icons() const { return dataHome / "icons/hicolor"; }

  // Wine's files and the desktop's, without the caches the desktop's tools build from them.
  TreeSnapshot desktopFiles() const {
    TreeSnapshot tree;
    for (const char* part : {"applications", "mime/packages", "icons"}) {
      for (const auto& [path, kind] : snapshot(dataHome / part)) {
        if (path != "mimeinfo.cache") tree[std::string(part) + "/" + path] = kind;
      }
    }
    tree["mimeapps.list"] = snapshot(config())["mimeapps.list"];
    return tree;
  }
};

TEST_F(WineAssociations, GoWithTheirCompanionsWhenTheirProgramOrPrefixIsGoneAndComeBackWithUndo) {
  const std::string wine = prefix.str();
  const std::string gonePrefix = (home.path() / "old-prefix").string();
  prefix.systemReg(
      "[Software\\\\Classes\\\\.zdoc]\n@=\"ZenEdit.Document\"\n\n"
      "[Software\\\\Classes\\\\ZenEdit.Document\\\\shell\\\\open\\\\command]\n"
      "@=\"\\\"C:\\\\Program Files\\\\Zen Edit\\\\zenedit.exe\\\" \\\"%1\\\"\"\n\n"
      "[Software\\\\Classes\\\\Kept.Document\\\\shell\\\\open\\\\command]\n"
      "@=\"\\\"C:\\\\Program Files\\\\Kept\\\\kept.exe\\\" \\\"%1\\\"\"\n\n"
      "[Software\\\\Classes\\\\Excluded.Document\\\\shell\\\\open\\\\command]\n@=\"C:\\\\Gone\\\\excluded.exe %1\"\n\n"
      "[Software\\\\Classes\\\\Unplugged.Document\\\\shell\\\\open\\\\command]\n@=\"Q:\\\\game.exe %1\"\n\n"
      "[Software\\\\Classes\\\\Searched.Document\\\\shell\\\\open\\\\command]\n@=\"gone.exe %1\"\n");
  // The user's classes come first; an unquoted command is tried as Windows tries it.
  prefix.userReg("[Software\\\\Classes\\\\User.Document\\\\shell\\\\open\\\\command]\n"
                 "@=\"C:\\\\Program Files\\\\User App\\\\user.exe %1\"\n");
  prefix.file("Program Files/Kept/kept.exe");

  // Stale: the program is gone, or the prefix. The first has its MIME package, icons and lines.
  writeFile(applications() / "wine-extension-zdoc.desktop", associationEntry(wine, "ZenEdit.Document", "8A1F_zenedit.0"));
  writeFile(applications() / "wine-extension-udoc.desktop", associationEntry(wine, "User.Document", "77C0_user.0"));
  writeFile(applications() / "wine-extension-old.desktop", associationEntry(gonePrefix, "Old.Document", "51B2_kept.0"));
  writeFile(dataHome / "mime/packages/x-wine-extension-zdoc.xml", mimePackage("zdoc"));
  for (const char* size : {"32x32", "48x48"}) writeFile(icons() / size / "apps/8A1F_zenedit.0.png", "png");
  writeFile(icons() / "32x32/apps/application-x-wine-extension-zdoc.png", "png");
  // Current, or not to be judged: its program is there, it runs from a drive not mapped now, or
  // from the search path. One shares its icon with the stale entry of the gone prefix.
  writeFile(applications() / "wine-extension-kept.desktop", associationEntry(wine, "Kept.Document", "51B2_kept.0"));
  writeFile(applications() / "wine-extension-unp.desktop", associationEntry(wine, "Unplugged.Document", "0001_game.0"));
  writeFile(applications() / "wine-extension-srch.desktop", associationEntry(wine, "Searched.Document", "0002_gone.0"));
  writeFile(icons() / "32x32/apps/51B2_kept.0.png", "png");
  // Stale, but the exclude list names it.
  const fs::path excluded = applications() / "wine-extension-exd.desktop";
  writeFile(excluded, associationEntry(wine, "Excluded.Document", "0003_excluded.0"));
  writeFile(settingsFile(), "[Exclude]\nExcludeList=" + excluded.string() + ", \n");
  // Not Wine's: another Exec, an argument more, another name; an icon of another naming.
  writeFile(applications() / "wine-extension-hand.desktop",
            "[Desktop Entry]\nType=Application\nExec=gimp %f\nIcon=8A1F_zenedit.png\n");
  writeFile(applications() / "wine-extension-more.desktop",
            "[Desktop Entry]\nType=Application\nExec=env WINEPREFIX=\"" + gonePrefix +
                "\" wine start /ProgIDOpen Old.Document %f --new-window\n");
  writeFile(applications() / "wine-old.desktop", associationEntry(gonePrefix, "Old.Document", "51B2_kept.0"));
  writeFile(icons() / "32x32/apps/zenedit.png", "png");
  // The desktop's choices: one line names only the stale entry, two name others too.
  const std::string mimeapps =
      "[Default Applications]\n"
      "application/x-wine-extension-zdoc=wine-extension-zdoc.desktop\n"
      "text/plain=gedit.desktop;wine-extension-zdoc.desktop;\n"
      "\n"
      "[Added Associations]\n"
      "application/x-wine-extension-zdoc=wine-extension-zdoc.desktop;wine-extension-kept.desktop;\n"
      "application/x-wine-extension-exd=wine-extension-exd.desktop;\n";
  writeFile(config() / "mimeapps.list", mimeapps);

  const ProgramResult list = run({"/list", "/startmenu"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const std::vector<std::string> lines = outputLines(list.out);
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()),
            (std::set<std::string>{"x\t" + (applications() / "wine-extension-zdoc.desktop").string() + "\tZenEdit.Document",
                                   "x\t" + (applications() / "wine-extension-udoc.desktop").string() + "\tUser.Document",
                                   "x\t" + (applications() / "wine-extension-old.desktop").string() + "\tOld.Document",
                                   "-\t" + excluded.string() + "\tExcluded.Document"}));
  EXPECT_EQ(lines.size(), 4u);
  const ProgramResult json = run({"/list", "/startmenu", "/json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  for (const std::string& part :
       {std::string(R"j("kind": "file association")j"),
        std::string(R"j("reason": "the program it opens with is gone (C:\\Program Files\\Zen Edit\\zenedit.exe)")j"),
        std::string(R"j("reason": "the program it opens with is gone (C:\\Program Files\\User App\\user.exe)")j"),
        R"j("reason": "the prefix it opens with is gone ()j" + gonePrefix + ")\""}) {
    EXPECT_NE(json.out.find(part), std::string::npos) << part << "\n" << json.out;
  }

  TreeSnapshot expected = desktopFiles();
  const TreeSnapshot before = expected;
  const ProgramResult silent = run({"/silent", "/startmenu"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_EQ(silent.err, "");
  for (const std::string gone :
       {"applications/wine-extension-zdoc.desktop", "applications/wine-extension-udoc.desktop",
        "applications/wine-extension-old.desktop", "mime/packages/x-wine-extension-zdoc.xml",
        "icons/hicolor/32x32/apps/8A1F_zenedit.0.png", "icons/hicolor/48x48/apps/8A1F_zenedit.0.png",
        "icons/hicolor/32x32/apps/application-x-wine-extension-zdoc.png"}) {
    EXPECT_EQ(expected.erase(gone), 1u) << gone;
  }
  expected["mimeapps.list"] =
      "file:[Default Applications]\n"
      "text/plain=gedit.desktop;\n"
      "\n"
      "[Added Associations]\n"
      "application/x-wine-extension-zdoc=wine-extension-kept.desktop;\n"
      "application/x-wine-extension-exd=wine-extension-exd.desktop;\n";
  EXPECT_EQ(desktopFiles(), expected);
  // The desktop read its caches again.
  EXPECT_EQ(fs::exists(applications() / "mimeinfo.cache"), installed("update-desktop-database"));
  EXPECT_EQ(fs::exists(dataHome / "mime/mime.cache"), installed("update-mime-database"));

  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 0) << undone.err;
  EXPECT_EQ(undone.err, "Restored 0 shortcut(s) and 7 menu file(s).\n");
  EXPECT_EQ(desktopFiles(), before);
}

}  // namespace
}  // namespace zendrift::testing
