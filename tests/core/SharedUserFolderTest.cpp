// Two programs on one user folder, and files that cannot be read during an edit: what the user
// did in one program is never undone or misapplied by the other, and an edit that cannot see
// the files whole changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Cp1253.h"
#include "core/Locations.h"
#include "core/Session.h"
#include "core/UserEntryStore.h"
#include "platform/PosixFileSystem.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/support/FakeFileSystem.h"

namespace quorvel {
namespace {

using test::DictionaryFixture;
using test::FakeFileSystem;

std::string G(const char* utf8) { return Utf8ToCp1253(utf8); }

// anchor 1, bow 2 (with the user's note), boat 7 (C, after bow), chain 3, deck 4, mooring 8 (C).
void WriteDictionary(const DictionaryFixture& fx) {
  fx.WritePublished({{"anchor", "{anchor text}"}, {"bow", "{bow text}"}, {"chain"}, {"deck"}},
                    {{1, G("άγκυρα")}, {2, G("πλώρη")}, {3, G("αλυσίδα")}, {4, G("κατάστρωμα")}});
  fx.WriteUserEntries({{2, 2, "", StoredUserDescription("note", UserTextForm::Addition)},
                       {2, 7, "boat", StoredUserDescription("small craft", UserTextForm::Entry)},
                       {4, 8, "mooring", StoredUserDescription("lines ashore", UserTextForm::Entry)}});
  fx.WriteUserGreekLines({DictionaryFixture::UserGreekLine(4, 8, G("πρόσδεση"))});
}

std::string PlainText(std::string_view rtf) { return std::string(rtf); }

// One program: its own session on the shared folder.
class Program {
 public:
  explicit Program(const Locations& locations) : session_(locations, fs_, PlainText) { session_.Reload(); }

  Session& session() { return session_; }
  int SlotOf(std::string_view headword) const {
    const Dictionary& d = session_.dictionary();
    for (int slot = 1; slot <= d.englishCount; ++slot) {
      if (d.EnglishIndex[slot].Headword == headword) return slot;
    }
    return 0;
  }
  EntryRef Ref(std::string_view headword) const { return session_.RefOf(SlotOf(headword)); }
  std::string Document(std::string_view headword) {
    return session_.ShowEntry(SlotOf(headword), std::string(headword), false)->document.value_or("");
  }

 private:
  PosixFileSystem fs_;
  Session session_;
};

// Window A and window B, started from two program folders, share one user folder. B deletes
// "mooring" (the highest number) and inserts "zebra", which takes the freed number. A's delete
// and modify of "mooring" are refused as changed meanwhile, and reload A; "zebra" and its Greek
// term stay. Until then A shows "mooring" from the files it loaded, never "zebra"'s bytes.
TEST(SharedUserFolder, AnEntryChangedByAnotherProgramIsNeverConfusedWithTheOneThatTookItsNumber) {
  DictionaryFixture fx;
  WriteDictionary(fx);
  DictionaryFixture otherProgramFolder;
  WriteDictionary(otherProgramFolder);
  Locations shared = otherProgramFolder.locations();
  SetUserFilePaths(shared, fx.userDir());
  Program a(fx.locations());
  Program b(shared);
  const EntryRef mooring = a.Ref("mooring");

  ASSERT_TRUE(b.session().DeleteEntry(b.Ref("mooring"), {}).status.ok());
  ASSERT_TRUE(b.session().InsertEntry({"zebra", G("ζέβρα"), "striped"}).status.ok());
  ASSERT_EQ(b.session().dictionary().EnglishIndex[b.SlotOf("zebra")].Number, mooring.number);
  const std::vector<std::string> index = fx.UserIndexLines();
  const std::vector<std::string> greek = fx.UserGreekLines();

  EXPECT_NE(a.Document("mooring").find("\\'6C\\'69\\'6E\\'65\\'73"), std::string::npos);  // "lines"
  const EditOutcome deleted = a.session().DeleteEntry(mooring, {});
  EXPECT_EQ(deleted.status.code(), StatusCode::kChanged);
  ASSERT_TRUE(deleted.view.has_value());
  EXPECT_EQ(a.SlotOf("mooring"), 0);  // reloaded
  EXPECT_NE(a.SlotOf("zebra"), 0);
  const EditOutcome modified =
      a.session().ModifyEntry(mooring, {kOriginUser, "mooring", G("πρόσδεση"), "lines ashore"});
  EXPECT_EQ(modified.status.code(), StatusCode::kChanged);
  EXPECT_EQ(fx.UserIndexLines(), index);
  EXPECT_EQ(fx.UserGreekLines(), greek);

  // A published entry: B removes the user's note of "bow", so A's modify of the note it saw is
  // refused; A's new entry, placed from the files as they are, keeps B's change.
  const EntryRef bow = a.Ref("bow");
  ASSERT_EQ(bow.origin, kOriginAddition);
  ASSERT_TRUE(b.session().ModifyEntry(b.Ref("bow"), {kOriginAddition, "bow", "", ""}).status.ok());
  EXPECT_EQ(a.session().ModifyEntry(bow, {kOriginAddition, "bow", "", "my note"}).status.code(),
            StatusCode::kChanged);
  ASSERT_TRUE(a.session().InsertEntry({"buoy", "", "float"}).status.ok());
  b.session().Follow(EntryRef(), false);
  EXPECT_EQ(b.session().dictionary().EnglishIndex[b.SlotOf("bow")].Origin, kOriginPublished);
  EXPECT_NE(b.SlotOf("zebra"), 0);
  EXPECT_NE(b.SlotOf("buoy"), 0);
  EXPECT_NE(b.session().dictionary().EnglishIndex[b.SlotOf("buoy")].Number, mooring.number);

  // An entry chosen from an index another program's commits have made stale is found again
  // and changed: "zebra" now stands at another slot.
  const EntryRef zebra = b.Ref("zebra");
  ASSERT_TRUE(a.session().InsertEntry({"yacht", "", "sails"}).status.ok());
  ASSERT_NE(b.SlotOf("zebra"), a.SlotOf("zebra"));
  ASSERT_TRUE(b.session().DeleteEntry(zebra, {}).status.ok());
  EXPECT_EQ(b.SlotOf("zebra"), 0);
  EXPECT_NE(b.SlotOf("boat"), 0);
  EXPECT_NE(b.SlotOf("buoy"), 0);
  EXPECT_NE(b.SlotOf("yacht"), 0);
  EXPECT_EQ(fx.UserIndexLines().size(), 3u);
  EXPECT_TRUE(fx.UserGreekLines().empty());
}

// The window looks at the files' stamps without reading them: another program's commit is seen,
// and following it makes the last list again with the entry shown before.
TEST(SharedUserFolder, AWindowFollowsAnotherProgramsCommit) {
  DictionaryFixture fx;
  WriteDictionary(fx);
  Program a(fx.locations());
  Program b(fx.locations());
  SearchRequest request;
  request.text = "b";
  const EntryList list = a.session().Search(request);
  ASSERT_EQ(list.items.size(), 2u);  // bow, boat
  EXPECT_FALSE(a.session().UserFilesChanged());

  ASSERT_TRUE(b.session().InsertEntry({"barge", "", "flat"}).status.ok());
  EXPECT_TRUE(a.session().UserFilesChanged());
  const ListOutcome followed = a.session().Follow(a.Ref("bow"), true);
  EXPECT_FALSE(a.session().UserFilesChanged());
  ASSERT_EQ(followed.list.items.size(), 3u);
  EXPECT_EQ(followed.list.items[0].text, "barge *");
  ASSERT_EQ(followed.list.selected, 1);
  ASSERT_TRUE(followed.shown.has_value());
  EXPECT_EQ(followed.shown->heading, "bow");
}

// The program's files as a fake disk sees them.
FakeFileSystem FakeOf(const DictionaryFixture& fx) {
  FakeFileSystem fake;
  for (const char* file : {"data/Quorvel.tbo", "data/QuorvelI.tbo", "data/QuorvelHI.tbo", "user/QuorvelIC.tbo",
                           "user/QuorvelC.tbo", "user/QuorvelHIC.tbo"}) {
    fake.AddFile(fx.programDir() + file, *fx.ReadRaw(file));
  }
  return fake;
}

// Each of the five files an edit reads fails (at the load, or after it): the insert, the modify
// and the delete are refused with the read's code and write nothing. The published index files
// are read at the load; once it has them whole, an edit reads only the user's files.
TEST(SharedUserFolder, AnEditWithAFileItCannotReadIsRefused) {
  DictionaryFixture fx;
  WriteDictionary(fx);
  const Locations l = fx.locations();
  const std::string files[] = {l.EnglishIndexFile(), l.GreekIndexFile(), l.UserIndexFile, l.UserDescrFile,
                               l.UserGreekFile};
  for (const std::string& file : files) {
    for (const bool beforeLoad : {true, false}) {
      for (const int edit : {0, 1, 2}) {
        FakeFileSystem fake = FakeOf(fx);
        Session session(l, fake, PlainText);
        if (beforeLoad) fake.FailReads(file);
        session.Reload();
        fake.FailReads(file);
        const std::vector<std::string> before = fake.Files();
        const std::optional<std::string> index = fake.Content(l.UserIndexFile);
        int slot = 1;
        while (slot < session.dictionary().englishCount && session.dictionary().EnglishIndex[slot].Headword != "boat") {
          ++slot;
        }
        const EntryRef boat = session.RefOf(slot);
        const Status status = edit == 0   ? session.InsertEntry({"raft", G("σχεδία"), "logs"}).status
                              : edit == 1 ? session.ModifyEntry(boat, {kOriginUser, "boat", "", "x"}).status
                                          : session.DeleteEntry(boat, {}).status;
        const std::string what = file + (beforeLoad ? " at load" : " after load") + " edit " + std::to_string(edit);
        // The published files are read once, at the load: after it the index in memory is whole.
        const bool published = &file == &files[0] || &file == &files[1];
        if (published && !beforeLoad) {
          EXPECT_TRUE(status.ok()) << what << ": " << status.message();
          continue;
        }
        EXPECT_EQ(status.code(), StatusCode::kIoError) << what << ": " << status.message();
        EXPECT_EQ(fake.Content(l.UserIndexFile), index) << what;
        EXPECT_EQ(fake.Files(), before) << what;
      }
    }
  }
}

}  // namespace
}  // namespace quorvel
