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

// The plain text the entry view shows for a description (and an addition), as the store keeps
// them: the stored fragments of typed texts, assembled behind the description file's header.
std::string ShownText(std::string_view description, const std::optional<std::string>& addition) {
  const std::string header = "{" + std::string(test::kFixtureRtfHeader);
  return richtext::RtfToPlainText(AssembleDescriptionDocument(header, description, addition)).value_or("?");
}

std::string StoredEntry(std::string_view typed) { return StoredUserDescription(typed, UserTextForm::Entry); }
std::string StoredAddition(std::string_view typed) {
  return StoredUserDescription(typed, UserTextForm::Addition);
}

// Modifying an entry without changing anything gives back what the user typed, in both
// languages and for every origin: the prefill undoes what storing and showing did.
TEST(PrefillModify, GivesBackWhatWasTypedInBothLanguages) {
  const std::string typed = G("Πρώτη γραμμή,\r\n  δεύτερη & τρίτη\r\n\r\nτέλος.");
  for (const bool greek : {false, true}) {
    ShownEntry user;
    user.origin = kOriginUser;
    user.greek = greek;
    user.itemText = greek ? G("βάρκα *") : "boat *";
    user.rendering = greek ? "boat" : G("βάρκα");
    user.description = ShownText(StoredEntry(typed), std::nullopt);
    EditedEntryTexts texts = PrefillModify(user);
    EXPECT_EQ(texts.origin, kOriginUser);
    EXPECT_EQ(texts.english, "boat") << greek;
    EXPECT_EQ(texts.greek, G("βάρκα")) << greek;
    EXPECT_EQ(texts.description, typed) << greek;

    // A published entry's addition alone, without the published text and the caption.
    ShownEntry added;
    added.origin = kOriginAddition;
    added.greek = greek;
    added.itemText = greek ? G("πρύμνη") : "stern";
    added.rendering = greek ? "stern" : G("πρύμνη");
    added.description = ShownText("{Stern text.}", StoredAddition(typed));
    texts = PrefillModify(added);
    EXPECT_EQ(texts.english, "stern") << greek;
    EXPECT_EQ(texts.greek, G("πρύμνη")) << greek;
    EXPECT_EQ(texts.description, typed) << greek;

    ShownEntry published = added;
    published.origin = kOriginPublished;
    published.description = ShownText("{Stern text.}", std::nullopt);
    texts = PrefillModify(published);
    EXPECT_EQ(texts.origin, kOriginPublished);
    EXPECT_EQ(texts.english, "stern");
    EXPECT_EQ(texts.description, "");
  }
}

TEST(PrefillModify, DescriptionEdgeCases) {
  ShownEntry shown;
  shown.itemText = "rope & line";
  shown.rendering = G("σκοινί & σχοινί");

  // Leading blanks and control characters go, and the trailing paragraph marks.
  shown.origin = kOriginUser;
  shown.description = "\x01\t \r\nText\r\n\r\n";
  EXPECT_EQ(PrefillModify(shown).description, "Text");
  // Only the last two characters of a user entry's item are its mark.
  shown.itemText = "rope *";
  EXPECT_EQ(PrefillModify(shown).english, "rope");
  shown.itemText = "rope";
  EXPECT_EQ(PrefillModify(shown).english, "rope");

  // An addition whose caption the view does not show (it could not be read) gives an empty
  // description, never another entry's text.
  shown.origin = kOriginAddition;
  shown.description = "Published text only.\r\n";
  EXPECT_EQ(PrefillModify(shown).description, "");
  // The first caption counts; the addition may itself hold the caption's words.
  const std::string marker(kUserAdditionMarker);
  shown.description = "Text.\r\n" + marker + " \r\nmine, " + marker + " quoted \r\n\r\n";
  EXPECT_EQ(PrefillModify(shown).description, "mine, " + marker + " quoted");
  shown.description = "Text.\r\n" + marker;
  EXPECT_EQ(PrefillModify(shown).description, "");
}

TEST(CheckEditorTexts, RefusesAnEmptyHeadwordThenEmptyGreekAndDescription) {
  EXPECT_EQ(CheckEditorTexts("", G("βάρκα"), "text"), EditorRefusal::kNoEnglish);
  EXPECT_EQ(CheckEditorTexts("", "", ""), EditorRefusal::kNoEnglish);
  EXPECT_EQ(CheckEditorTexts("boat", "", ""), EditorRefusal::kNoGreekNorDescription);
  EXPECT_EQ(CheckEditorTexts("boat", G("βάρκα"), ""), EditorRefusal::kNone);
  EXPECT_EQ(CheckEditorTexts("boat", "", "text"), EditorRefusal::kNone);
  // Blanks fill a field.
  EXPECT_EQ(CheckEditorTexts(" ", " ", ""), EditorRefusal::kNone);
  EXPECT_EQ(CheckEditorTexts("boat", "", "\r\n"), EditorRefusal::kNone);
}

TEST(WithCrLfLineEnds, EveryLineEndBecomesCrLf) {
  EXPECT_EQ(WithCrLfLineEnds("a\nb\r\nc\rd\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
  EXPECT_EQ(WithCrLfLineEnds(""), "");
}

}  // namespace
}  // namespace quorvel
