// quorvel-tools install, end to end on real folders: a read-only copy of the sample program
// folder installs itself into a new folder, twice, with launchers that desktop-file-validate
// accepts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/Cp1253.h"
#include "core/LineReader.h"
#include "platform/PosixFileSystem.h"
#include "tools/Commands.h"
#include "tests/support/WholeFile.h"

namespace quorvel::tools {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Every file and folder under `root` without (or with back) its write bits.
void SetWritable(const fs::path& root, bool writable) {
  const auto apply = [writable](const fs::path& path) {
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, writable ? fs::perms::owner_write : write,
                    writable ? fs::perm_options::add : fs::perm_options::remove);
  };
  for (const auto& entry : fs::recursive_directory_iterator(root)) apply(entry.path());
  apply(root);
}

class InstallTool : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() /
           ("quorvel-install-test-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    medium_ = dir_ / "medium";
    fs::create_directories(medium_);
    // The program folder as the build makes it, with a stand-in for the program file.
    fs::copy(fs::path(QUORVEL_SAMPLE_DIR) / "data", medium_ / "data", fs::copy_options::recursive);
    fs::copy(fs::path(QUORVEL_DIST_DIR) / "content", medium_ / "content", fs::copy_options::recursive);
    fs::copy_file(QUORVEL_TOOLS_PROGRAM, medium_ / "Quorvel");
    SetWritable(medium_, false);
    home_ = dir_ / "home";
    fs::create_directories(home_);
    setenv("HOME", home_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home_ / ".config").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    fs::current_path(medium_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    SetWritable(medium_, true);
    fs::remove_all(dir_);
  }

  ToolRun Install(const std::string& target) {
    std::ostringstream out;
    std::ostringstream err;
    PosixFileSystem fileSystem;
    ToolRun run;
    run.status = RunTools({"install", target}, out, err, fileSystem);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // The lines of content/fil.tbo that name files (the list has no sub-folders).
  std::vector<std::string> ListedFiles() const {
    std::vector<std::string> files;
    const std::string list = test::ReadWholeFile((medium_ / "content" / "fil.tbo").string()).value_or("");
    LineReader lines(list);
    while (!lines.AtEnd()) {
      const std::string_view line = lines.Next();
      if (!line.empty()) files.emplace_back(line);
    }
    return files;
  }

  fs::path dir_;
  fs::path medium_;
  fs::path home_;

 private:
  fs::path previous_;
};

const char* const kInstalled =
    "Η εγκατάσταση ολοκληρώθηκε επιτυχώς. Για την εκκίνηση του Orvanta μπορείτε πλέον να "
    "χρησιμοποιείτε το εικονίδιο στην επιφάνεια εργασίας.\n";

TEST_F(InstallTool, ReadOnlyCopyInstallsItselfTwiceWithValidLaunchers) {
  const fs::path target = dir_ / "disk" / "Quorvel";
  const ToolRun first = Install(target.string());
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  EXPECT_EQ(first.out, kInstalled);

  EXPECT_TRUE(fs::is_regular_file(target / "Quorvel"));
  const fs::perms program = fs::status(target / "Quorvel").permissions();
  EXPECT_NE(program & fs::perms::owner_write, fs::perms::none) << "the program file is writable again";
  EXPECT_NE(program & fs::perms::owner_exec, fs::perms::none);
  for (const char* data : {"Quorvel.tbo", "QuorvelI.tbo", "QuorvelHI.tbo"}) {
    EXPECT_EQ(fs::file_size(target / "Data" / data), fs::file_size(medium_ / "data" / data)) << data;
  }
  const std::vector<std::string> listed = ListedFiles();
  ASSERT_GT(listed.size(), 6u);
  for (const std::string& file : listed) EXPECT_TRUE(fs::is_regular_file(target / "content" / file)) << file;
  EXPECT_FALSE(fs::exists(target / "content" / "fil.tbo"));

  const std::string settings = test::ReadWholeFile((home_ / ".config" / "Quorvel.ini").string()).value_or("");
  EXPECT_EQ(settings, target.string() + "\n") << "the installed folder keeps the user's entries";

  for (const fs::path& launcher : {home_ / "Desktop" / "Orvanta.desktop",
                                   home_ / ".local/share/applications/Orvanta.desktop"}) {
    ASSERT_TRUE(fs::is_regular_file(launcher)) << launcher;
    const std::string text = test::ReadWholeFile(launcher.string()).value_or("");
    EXPECT_NE(text.find("Exec=\"" + (target / "Quorvel").string() + "\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Path=" + target.string() + "\n"), std::string::npos) << text;
    EXPECT_NE(fs::status(launcher).permissions() & fs::perms::owner_exec, fs::perms::none);
    const std::string validate = "desktop-file-validate '" + launcher.string() + "' > validate.out 2>&1";
    fs::current_path(dir_);
    EXPECT_EQ(std::system(validate.c_str()), 0)
        << test::ReadWholeFile((dir_ / "validate.out").string()).value_or("");
    fs::current_path(medium_);
  }

  // Again into the same folder: nothing new is copied, and it still succeeds.
  fs::permissions(target / "content" / listed.front(), fs::perms::owner_write, fs::perm_options::add);
  {
    FILE* file = std::fopen((target / "content" / listed.front()).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("kept", file);
    std::fclose(file);
  }
  const ToolRun second = Install(target.string());
  EXPECT_EQ(second.status, 0) << second.out << second.err;
  EXPECT_EQ(second.out, kInstalled);
  EXPECT_EQ(test::ReadWholeFile((target / "content" / listed.front()).string()), "kept");
}

TEST_F(InstallTool, FolderThatCannotBeMadeIsReported) {
  const ToolRun run = Install((medium_ / "data" / "Quorvel.tbo" / "Quorvel").string());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. Παρακαλώ επιλέξτε άλλο φάκελο\n");
}

}  // namespace
}  // namespace quorvel::tools
