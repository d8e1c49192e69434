#include "core/EntryEditing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/Cp1253.h"
#include "core/EntryDocument.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"

namespace quorvel {
namespace {

std::string G(const char* utf8) { return Utf8ToCp1253(utf8); }

// The plain text the entry view shows for a description and an addition stored from typed
// texts, behind the description file's header.
std::string ShownText(std::string_view description, const std::optional<std::string>& addition) {
  const std::string header = "{" + std::string(test::kFixtureRtfHeader);
  return richtext::RtfToPlainText(AssembleDescriptionDocument(header, description, addition)).value_or("?");
}

// Modifying an entry without changing anything gives back what the user typed, in both
// languages and for every origin: the prefill undoes what storing and showing did.
TEST(PrefillModify, GivesBackWhatWasTypedInBothLanguages) {
  const std::string typed = G("Πρώτη γραμμή,\r\n  δεύτερη & τρίτη \r\n\r\nτέλος.");
  const std::string addition = StoredUserDescription(typed, UserTextForm::Addition);
  for (const bool greek : {false, true}) {
    ShownEntry shown{kOriginUser, greek, greek ? G("βάρκα *") : "boat *", greek ? "boat" : G("βάρκα"),
                     ShownText(StoredUserDescription(typed, UserTextForm::Entry), std::nullopt)};
    EditedEntryTexts texts = PrefillModify(shown);
    EXPECT_EQ(texts.english, "boat");
    EXPECT_EQ(texts.greek, G("βάρκα"));
    EXPECT_EQ(texts.description, typed);

    // A published entry: its addition alone, or nothing.
    shown = {kOriginAddition, greek, greek ? G("πρύμνη") : "stern", greek ? "stern" : G("πρύμνη"),
             ShownText("{Stern text.}", addition)};
    texts = PrefillModify(shown);
    EXPECT_EQ(texts.english, "stern");
    EXPECT_EQ(texts.greek, G("πρύμνη"));
    EXPECT_EQ(texts.description, typed);
    shown.origin = kOriginPublished;
    EXPECT_EQ(PrefillModify(shown).description, "");
  }
}

TEST(PrefillModify, AdditionWithoutItsCaptionGivesNoText) {
  const std::string marker(kUserAdditionMarker);
  ShownEntry shown{kOriginAddition, false, "stern", "", "Published text only.\r\n"};
  EXPECT_EQ(PrefillModify(shown).description, "");
  shown.description = "Text.\r\n" + marker;
  EXPECT_EQ(PrefillModify(shown).description, "");
  // The first caption counts: the addition may hold the caption's words itself.
  shown.description = "Text. \r\n" + marker + " \r\n\x01mine, " + marker + " \r\n\r\n";
  EXPECT_EQ(PrefillModify(shown).description, "mine, " + marker);
}

}  // namespace
}  // namespace quorvel
