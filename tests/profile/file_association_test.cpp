// Wine's file associations: the entry's Exec= as Wine writes it and what merely looks like it, the
// program of a ProgID's open command, icon names, the MIME package, mimeapps.list edits, and the
// judgement against a prefix's registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

#include "../platform/wine_prefix_builder.h"
#include "profile/wine/disk_mounts.h"
#include "profile/wine/file_association.h"
#include "profile/wine/prefix_facts.h"
#include "profile/wine_menu_entries.h"
#include "temp_dir.h"

namespace zendrift::profile::wine {
namespace {

std::optional<AssociationLaunch> launchOf(std::string_view execLine) {
  const auto exec = applicationExec("[Desktop Entry]\nType=Application\nExec=" + std::string(execLine) + "\n");
  return exec ? parseAssociationLaunch(*exec) : std::nullopt;
}

TEST(FileAssociationText, TakesOnlyWinesExecForm) {
  // As Wine writes it: the ProgID escaped for the Exec key (a space as "\\ ", a backslash as four).
  const auto launch = launchOf(R"(env WINEPREFIX="/home/ann/my prefix/" wine start /ProgIDOpen Zen\\ Edit\\\\Doc.1 %f)");
  ASSERT_TRUE(launch);
  EXPECT_EQ(launch->prefix, "/home/ann/my prefix");
  EXPECT_EQ(launch->progId, R"(Zen Edit\Doc.1)");
  for (const std::string_view other : {
           R"(wine start /ProgIDOpen Zen.Doc %f)",                                  // no prefix
           R"(env WINEPREFIX="/p" wine start %u)",                                  // a protocol's
           R"(env WINEPREFIX="/p" wine start /ProgIDOpen Zen.Doc %f --new)",        // one word more
           R"(env WINEPREFIX="/p" wine start /ProgIDOpen Zen.Doc %U)",              // another field code
           R"(env WINEPREFIX="/p" gimp start /ProgIDOpen Zen.Doc %f)",              // another program
           R"(env WINEPREFIX="p" wine start /ProgIDOpen Zen.Doc %f)",               // a relative prefix
           R"(env WINEPREFIX="/p" wine C:\\\\x.lnk)"}) {                           // a menu entry's
    EXPECT_FALSE(launchOf(other)) << other;
  }
  EXPECT_EQ(associationExtension("wine-extension-zdoc.desktop"), "zdoc");
  EXPECT_FALSE(associationExtension("wine-extension-ZDOC.desktop"));
  EXPECT_FALSE(associationExtension("wine-protocol-zen.desktop"));
  EXPECT_FALSE(associationExtension("wine-extension-.desktop"));
}

TEST(FileAssociationEntry, IsWinesOnlyInTheWholeFormWineWritesAndNeverThroughALink) {
  testing::TempDir home;
  const std::string root = home / "applications";
  const std::string head = "[Desktop Entry]\nType=Application\nName=Zen\nMimeType=application/x-zdoc;\n";
  const std::string exec = "Exec=env WINEPREFIX=\"/p\" wine start /ProgIDOpen Zen.Doc %f\n";
  const std::string tail = "NoDisplay=true\nStartupNotify=true\n";
  const auto entry = [&](const std::string& name, const std::string& text) {
    testing::writeFile(root + "/wine-extension-" + name + ".desktop", text);
    return readAssociationEntry(root + "/wine-extension-" + name + ".desktop", root);
  };
  const auto wines = entry("zdoc", head + exec + tail + "Icon=8FC1_zen.0\n");
  ASSERT_TRUE(wines);
  EXPECT_EQ(wines->launch.progId, "Zen.Doc");
  EXPECT_TRUE(entry("noicon", head + exec + tail));
  for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
           {"more", head + exec + tail + "Terminal=false\n"},                      // a key more
           {"group", head + exec + tail + "[Desktop Action edit]\nExec=gimp %f\n"}, // a group more
           {"shown", head + exec + "NoDisplay=false\nStartupNotify=true\n"},        // shown in menus
           {"less", head + exec + "NoDisplay=true\n"},                              // a key less
           {"twice", head + exec + tail + "Name=Other\n"},                          // a key twice
           {"comment", "# mine\n" + head + exec + tail}}) {
    EXPECT_FALSE(entry(name, text)) << name;
  }
  // A link in the entry's place is someone's own arrangement, whatever it leads to.
  std::filesystem::create_symlink(root + "/wine-extension-zdoc.desktop", root + "/wine-extension-link.desktop");
  EXPECT_FALSE(readAssociationEntry(root + "/wine-extension-link.desktop", root));
}

TEST(FileAssociationText, NamesTheProgramOfAnOpenCommandAsWindowsTriesIt) {
  EXPECT_EQ(commandProgramCandidates(R"("C:\Program Files\Zen\zen.exe" "%1")"),
            (std::vector<std::string>{R"(C:\Program Files\Zen\zen.exe)"}));
  EXPECT_EQ(commandProgramCandidates(R"(C:\Program Files\Zen\zen.exe %1)"),
            (std::vector<std::string>{R"(C:\Program)", R"(C:\Program Files\Zen\zen.exe)",
                                      R"(C:\Program Files\Zen\zen.exe %1)"}));
  // Found through the search path, or quoted and unclosed: nothing to judge.
  EXPECT_TRUE(commandProgramCandidates(R"(rundll32.exe shimgvw.dll,ImageView_Fullscreen %1)").empty());
  EXPECT_TRUE(commandProgramCandidates(R"("C:\Zen\zen.exe %1)").empty());
}

TEST(FileAssociationText, KnowsWinesIconNamesAndMimePackages) {
  for (const std::string_view name : {"8FC1_notepad.0", "0A2B_My Game.-101", "application-x-wine-extension-zdoc"}) {
    EXPECT_TRUE(isWineIconName(name)) << name;
  }
  for (const std::string_view name : {"notepad", "8fc1_notepad.0", "8FC1_notepad", "8FC1_notepad.x", "8FC1notepad.0",
                                      "application-pdf", "8FC1_a/b.0"}) {
    EXPECT_FALSE(isWineIconName(name)) << name;
  }
  EXPECT_EQ(desktopEntryIcon("[Desktop Entry]\nName=x\nIcon=8FC1_notepad.0\n[Desktop Action x]\nIcon=other\n"),
            "8FC1_notepad.0");
  const std::string package =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"application/x-wine-extension-zdoc\">\n"
      "    <glob pattern=\"*.zdoc\"/>\n"
      "  </mime-type>\n"
      "</mime-info>\n";
  EXPECT_EQ(wineMimePackageType(package, "zdoc"), "application/x-wine-extension-zdoc");
  EXPECT_FALSE(wineMimePackageType(package, "zdo"));
  std::string edited = package;
  edited.insert(edited.find("  </mime-type>"), "    <glob pattern=\"*.txt\"/>\n");
  EXPECT_FALSE(wineMimePackageType(edited, "zdoc"));
}

TEST(FileAssociationText, MimeappsLinesGoAndComeBackByteForByte) {
  const std::string_view id = "wine-extension-zdoc.desktop";
  const std::string text =
      "[Default Applications]\r\n"
      "application/x-zdoc=wine-extension-zdoc.desktop\r\n"
      "text/plain=gedit.desktop;wine-extension-zdoc.desktop;kate.desktop;\r\n"
      "# wine-extension-zdoc.desktop stays in a comment\r\n"
      "[Added Associations]\r\n"
      "text/x-zdoc=wine-extension-zdoc.desktop;\r\n"
      "text/x-other=wine-extension-zdoc.desktop.bak;\r\n"
      "text/x-last=gedit.desktop;wine-extension-zdoc.desktop";
  const std::vector<LineEdit> edits = mimeappsEditsDropping(text, id);
  ASSERT_EQ(edits.size(), 4u);
  const std::string after = withLineEdits(text, edits);
  EXPECT_EQ(after,
            "[Default Applications]\r\n"
            "text/plain=gedit.desktop;kate.desktop;\r\n"
            "# wine-extension-zdoc.desktop stays in a comment\r\n"
            "[Added Associations]\r\n"
            "text/x-other=wine-extension-zdoc.desktop.bak;\r\n"
            "text/x-last=gedit.desktop;");
  EXPECT_EQ(withoutLineEdits(after, edits), text);
  // Lines added meanwhile above the edited ones: each goes back where it stood among the rest.
  const auto later = withoutLineEdits("[Default Applications]\r\nimage/png=eog.desktop\r\n" + after.substr(24), edits);
  ASSERT_TRUE(later);
  EXPECT_NE(later->find("text/plain=gedit.desktop;wine-extension-zdoc.desktop;kate.desktop;\r\n"), std::string::npos);
  // A changed line that is no longer there cannot be put back.
  EXPECT_FALSE(withoutLineEdits("[Default Applications]\r\n", edits));
  EXPECT_TRUE(mimeappsEditsDropping(text, "zdoc.desktop").empty());
}

TEST(FileAssociationState, JudgesTheProgramInTheRegistryOfItsPrefix) {
  testing::TempDir home;
  testing::WinePrefixBuilder prefix(home.path() / "prefix");
  prefix.systemReg(
      "[Software\\\\Classes\\\\Zen.Doc\\\\shell\\\\open\\\\command]\n@=\"\\\"C:\\\\Zen\\\\zen.exe\\\" \\\"%1\\\"\"\n\n"
      "[Software\\\\Classes\\\\Kept.Doc\\\\shell]\n@=\"edit\"\n\n"
      "[Software\\\\Classes\\\\Kept.Doc\\\\shell\\\\edit\\\\command]\n@=\"C:\\\\Kept\\\\kept %1\"\n\n"
      "[Software\\\\Classes\\\\Home.Doc\\\\shell\\\\open\\\\command]\n@=str(2):\"%ProgramFiles%\\\\Home\\\\home.exe %1\"\n\n"
      "[Software\\\\Classes\\\\Drive.Doc\\\\shell\\\\open\\\\command]\n@=\"D:\\\\drive.exe %1\"\n");
  prefix.userReg("[Software\\\\Classes\\\\Zen.Doc\\\\shell\\\\open\\\\command]\n@=\"C:\\\\Mine\\\\mine.exe %1\"\n");
  prefix.standardLayout("ann").file("Zen/zen.exe").file("Kept/kept.exe");
  const DiskMounts disks;
  PrefixFacts prefixes(disks);
  const auto state = [&](const std::string& prefixPath, const std::string& progId) {
    return associationState({"", "", {}, "x", {prefixPath, progId}}, prefixes);
  };
  // The user's classes over the machine's: the user's program is gone, though the machine's is there.
  const AssociationVerdict user = state(prefix.str(), "Zen.Doc");
  EXPECT_EQ(user.state, AssociationState::programGone);
  EXPECT_EQ(user.program, R"(C:\Mine\mine.exe)");
  // The verb the ProgID names, and a program named without ".exe", are there.
  EXPECT_EQ(state(prefix.str(), "Kept.Doc").state, AssociationState::current);
  // An expanded path; a drive not mapped; a ProgID the registry lacks.
  const AssociationVerdict expanded = state(prefix.str(), "Home.Doc");
  EXPECT_EQ(expanded.state, AssociationState::programGone);
  EXPECT_EQ(expanded.program, R"(C:\Program Files\Home\home.exe)");
  EXPECT_EQ(state(prefix.str(), "Drive.Doc").state, AssociationState::current);
  EXPECT_EQ(state(prefix.str(), "None.Doc").state, AssociationState::current);
  EXPECT_EQ(state((home.path() / "gone").string(), "Zen.Doc").state, AssociationState::prefixGone);
  EXPECT_EQ(state((home.path() / "gone/deeper").string(), "Zen.Doc").state, AssociationState::current);
}

}  // namespace
}  // namespace zendrift::profile::wine
