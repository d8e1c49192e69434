// Installing a program folder into a folder on the disk, on the in-memory file system: what is
// copied and what not, second installs, the list of documents with its sub-folders, failures
// that stop the install, and a fault in every call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Installation.h"
#include "tests/support/FakeFileSystem.h"

namespace quorvel {
namespace {

using test::FakeFileSystem;

const std::string kProgram = "/media/cdrom/";
const std::string kTarget = "/home/anna/Quorvel";
const LauncherFolders kLaunchers{"/home/anna/Desktop", "/home/anna/.local/share/applications"};

// A read-only program folder as the medium holds it, and the target with its "Data" made.
void AddMedium(FakeFileSystem& fs, const std::string& list) {
  fs.AddFile(kProgram + "Quorvel", "program");
  fs.AddFile(kProgram + "data/QuorvelI.tbo", "english");
  fs.AddFile(kProgram + "data/QuorvelHI.tbo", "greek");
  fs.AddFile(kProgram + "data/Quorvel.tbo", "descriptions");
  fs.AddFile(kProgram + "data/QuorvelC.tbo", "someone's own entries");
  fs.AddFile(kProgram + "content/Preface.htm", "preface");
  fs.AddFile(kProgram + "content/Orvanta.svg", "<svg/>");
  fs.AddFile(kProgram + "content/figures/fig11.bmp", "BM1");
  fs.AddFile(kProgram + "content/figures/knots/fig21.bmp", "BM2");
  if (!list.empty()) fs.AddFile(kProgram + "content/fil.tbo", list);
  fs.SetReadOnly(kProgram + "Quorvel", true);
  fs.AddFolder(kTarget + "/Data");
  fs.AddFolder("/home/anna/Desktop");
}

struct InstallRun {
  InstallOutcome outcome;
  std::vector<std::string> remembered;
};

InstallRun Install(FakeFileSystem& fs, const std::string& target = kTarget) {
  InstallRun run;
  run.outcome = InstallFiles(fs, kProgram, target, kLaunchers,
                             [&run](const std::string& folder) { run.remembered.push_back(folder); });
  return run;
}

const char* const kList = "Preface.htm\r\nOrvanta.svg\r\n\r\nfigures/\r\nfig11.bmp\r\nfigures/knots/\r\nfig21.bmp\r\n";

TEST(Installation, CopiesTheProgramItsDataAndTheListedDocumentsThenLaunchersAndSettings) {
  FakeFileSystem fs;
  AddMedium(fs, kList);
  const InstallRun run = Install(fs);
  EXPECT_TRUE(run.outcome.finished);
  EXPECT_TRUE(run.outcome.complete);
  EXPECT_EQ(run.remembered, std::vector<std::string>{kTarget});

  EXPECT_EQ(fs.Content(kTarget + "/Quorvel"), "program");
  EXPECT_FALSE(fs.IsReadOnly(kTarget + "/Quorvel"));
  EXPECT_EQ(fs.Content(kTarget + "/Data/QuorvelI.tbo"), "english");
  EXPECT_EQ(fs.Content(kTarget + "/Data/QuorvelHI.tbo"), "greek");
  EXPECT_EQ(fs.Content(kTarget + "/Data/Quorvel.tbo"), "descriptions");
  EXPECT_FALSE(fs.Content(kTarget + "/Data/QuorvelC.tbo")) << "user files are not installed";
  EXPECT_EQ(fs.Content(kTarget + "/content/Preface.htm"), "preface");
  EXPECT_EQ(fs.Content(kTarget + "/content/figures/fig11.bmp"), "BM1");
  EXPECT_EQ(fs.Content(kTarget + "/content/figures/knots/fig21.bmp"), "BM2");
  EXPECT_FALSE(fs.Content(kTarget + "/content/fil.tbo")) << "only what the list names";

  for (const std::string& folder : {kLaunchers.desktop, kLaunchers.applications}) {
    const auto launcher = fs.Content(folder + "/Orvanta.desktop");
    ASSERT_TRUE(launcher) << folder;
    EXPECT_NE(launcher->find("\nExec=\"/home/anna/Quorvel/Quorvel\"\n"), std::string::npos) << *launcher;
    EXPECT_NE(launcher->find("\nPath=/home/anna/Quorvel\n"), std::string::npos);
    EXPECT_NE(launcher->find("\nIcon=/home/anna/Quorvel/content/Orvanta.svg\n"), std::string::npos);
    EXPECT_TRUE(fs.IsExecutable(folder + "/Orvanta.desktop"));
  }
}

TEST(Installation, SecondInstallKeepsWhatIsThereAndStillSucceeds) {
  FakeFileSystem fs;
  AddMedium(fs, kList);
  ASSERT_TRUE(Install(fs).outcome.complete);
  fs.AddFile(kTarget + "/content/Preface.htm", "the user's own preface");
  fs.AddFile(kLaunchers.desktop + "/Orvanta.desktop", "stale");
  const std::vector<std::string> before = fs.Files();

  const InstallRun again = Install(fs);
  EXPECT_TRUE(again.outcome.finished);
  EXPECT_TRUE(again.outcome.complete);
  EXPECT_EQ(again.remembered.size(), 1u) << "the settings are written again";
  EXPECT_EQ(fs.Content(kTarget + "/content/Preface.htm"), "the user's own preface");
  EXPECT_NE(fs.Content(kLaunchers.desktop + "/Orvanta.desktop"), "stale") << "the launcher is rewritten";
  EXPECT_EQ(fs.Files(), before) << "nothing new, no temporary left";
}

TEST(Installation, NestedFolderListedBeforeItsParentFailsWithItsFiles) {
  FakeFileSystem fs;
  AddMedium(fs, "figures/knots/\nfig21.bmp\nfigures/\nfig11.bmp\n");
  const InstallRun run = Install(fs);
  EXPECT_TRUE(run.outcome.finished);
  EXPECT_FALSE(run.outcome.complete);
  EXPECT_FALSE(fs.Content(kTarget + "/content/figures/knots/fig21.bmp"));
  EXPECT_EQ(fs.Content(kTarget + "/content/figures/fig11.bmp"), "BM1");
  EXPECT_EQ(run.remembered.size(), 1u) << "a failed copy does not stop the install";
}

TEST(Installation, WithoutTheListOnlyProgramDataAndAnEmptyContentFolder) {
  FakeFileSystem fs;
  AddMedium(fs, "");
  const InstallRun run = Install(fs);
  EXPECT_TRUE(run.outcome.complete);
  EXPECT_EQ(fs.Kind(kTarget + "/content"), FileKind::kFolder);
  for (const std::string& file : fs.Files()) {
    if (file.rfind(kTarget, 0) != 0) continue;
    EXPECT_TRUE(file == kTarget + "/Quorvel" || file.rfind(kTarget + "/Data/", 0) == 0) << file;
  }
  const auto launcher = fs.Content(kLaunchers.desktop + "/Orvanta.desktop");
  ASSERT_TRUE(launcher);
  EXPECT_EQ(launcher->find("Icon="), std::string::npos) << "no icon installed, none named";
}

TEST(Installation, UnreadableListStopsBeforeLauncherAndSettings) {
  FakeFileSystem fs;
  AddMedium(fs, "");
  fs.AddOther(kProgram + "content/fil.tbo");
  const InstallRun run = Install(fs);
  EXPECT_FALSE(run.outcome.finished);
  EXPECT_FALSE(run.outcome.stop.ok());
  EXPECT_TRUE(run.remembered.empty());
  EXPECT_FALSE(fs.Content(kLaunchers.desktop + "/Orvanta.desktop"));
  EXPECT_EQ(fs.Content(kTarget + "/Quorvel"), "program") << "what was done before stays";
}

TEST(Installation, ListLinesThatLeaveTheContentFolderAreRefused) {
  FakeFileSystem fs;
  AddMedium(fs, "..\\data\\QuorvelC.tbo\n/etc/passwd\nfigures/../../data/QuorvelC.tbo\nPreface.htm\n");
  fs.AddFolder(kTarget + "/data");
  const InstallRun run = Install(fs);
  EXPECT_TRUE(run.outcome.finished);
  EXPECT_FALSE(run.outcome.complete);
  EXPECT_EQ(fs.Content(kTarget + "/content/Preface.htm"), "preface");
  EXPECT_FALSE(fs.Content(kTarget + "/data/QuorvelC.tbo"));
}

TEST(Installation, DataAndContentFoldersAreFoundWhateverTheirLetterCase) {
  FakeFileSystem fs;
  fs.AddFile(kProgram + "Quorvel", "program");
  fs.AddFile(kProgram + "DATA/QuorvelI.tbo", "english");
  fs.AddFile(kProgram + "DATA/QuorvelHI.tbo", "greek");
  fs.AddFile(kProgram + "DATA/Quorvel.tbo", "descriptions");
  fs.AddFile(kProgram + "Content/fil.tbo", "Preface.htm\n");
  fs.AddFile(kProgram + "Content/Preface.htm", "preface");
  fs.AddFolder(kTarget + "/data");
  const InstallRun run = Install(fs);
  EXPECT_TRUE(run.outcome.complete);
  EXPECT_EQ(fs.Content(kTarget + "/data/Quorvel.tbo"), "descriptions");
  EXPECT_EQ(fs.Content(kTarget + "/Content/Preface.htm"), "preface");
}

TEST(Installation, RelativeTargetLiesInTheProgramFolder) {
  FakeFileSystem fs;
  AddMedium(fs, kList);
  fs.AddFolder(kProgram + "copy/Data");
  const InstallRun run = Install(fs, "copy");
  EXPECT_TRUE(run.outcome.complete);
  EXPECT_EQ(run.remembered, std::vector<std::string>{kProgram + "copy"});
  EXPECT_EQ(fs.Content(kProgram + "copy/Quorvel"), "program");
}

// A fault in any one call: the install never claims a file that is not there, and a stop, or a
// program or data file that did not arrive, leaves neither settings nor a menu entry.
TEST(Installation, FaultInAnyCallIsReportedNeverHidden) {
  for (uint64_t n = 1;; ++n) {
    FakeFileSystem fs;
    AddMedium(fs, kList);
    fs.FailCall(n);
    const InstallRun run = Install(fs);
    if (!fs.faulted()) {
      EXPECT_TRUE(run.outcome.complete);
      break;
    }
    if (!run.outcome.finished) {
      EXPECT_TRUE(run.remembered.empty()) << "call " << n;
      EXPECT_FALSE(fs.Content(kLaunchers.applications + "/Orvanta.desktop")) << "call " << n;
      continue;
    }
    bool arrived = true;
    for (const char* file : {"/Quorvel", "/Data/Quorvel.tbo", "/Data/QuorvelI.tbo", "/Data/QuorvelHI.tbo"}) {
      arrived = arrived && fs.Content(kTarget + file);
    }
    if (!arrived) {
      EXPECT_TRUE(run.remembered.empty()) << "call " << n;
      EXPECT_FALSE(fs.Content(kLaunchers.applications + "/Orvanta.desktop")) << "call " << n;
      EXPECT_FALSE(run.outcome.complete) << "call " << n;
    }
    EXPECT_LE(run.remembered.size(), 1u) << "call " << n;
    if (!run.outcome.complete) continue;
    EXPECT_EQ(run.remembered.size(), 1u) << "call " << n;
    for (const char* file : {"/Quorvel", "/Data/Quorvel.tbo", "/Data/QuorvelI.tbo", "/Data/QuorvelHI.tbo",
                             "/content/Preface.htm", "/content/figures/knots/fig21.bmp"}) {
      EXPECT_TRUE(fs.Content(kTarget + file)) << "call " << n << ": " << file;
    }
    EXPECT_FALSE(fs.IsReadOnly(kTarget + "/Quorvel")) << "call " << n;
    for (const std::string& file : fs.Files()) {
      EXPECT_EQ(file.find(".tmp"), std::string::npos) << "call " << n << ": " << file;
    }
  }
}

TEST(Launcher, PathsAreQuotedAndEscapedAsTheFormatAsks) {
  const std::string text = LauncherText("/opt/My \"100%\" $HOME\\`x`/Quorvel", " /tmp/a\\b", "");
  EXPECT_NE(text.find("\nExec=\"/opt/My \\\\\"100%%\\\\\" \\\\$HOME\\\\\\\\\\\\`x\\\\`/Quorvel\"\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\nPath=\\s/tmp/a\\\\b\n"), std::string::npos) << text;
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(text.find("\nName=Orvanta\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvel
