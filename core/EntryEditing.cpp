#include "core/EntryEditing.h"

#include "core/EntryDocument.h"
#include "core/EntryList.h"
#include "core/TextOps.h"

namespace quorvel {

namespace {

// The addition as the view shows it: after the caption and the one character that follows it.
std::string ShownAddition(std::string_view description) {
  const size_t marker = description.find(kUserAdditionMarker);
  if (marker == std::string_view::npos) return {};
  const size_t start = marker + kUserAdditionMarker.size() + 1;
  return start < description.size() ? std::string(description.substr(start)) : std::string();
}

// A description as the user typed it, from the text the view shows: the stored form writes a
// line break as " \par ", so the view shows a space before every line break that was not typed.
std::string AsTyped(std::string_view shown) {
  std::string typed;
  typed.reserve(shown.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == ' ' && shown.substr(i + 1, 2) == "\r\n") continue;
    typed += shown[i];
  }
  return Trim(typed);
}

}  // namespace

EditedEntryTexts PrefillModify(const ShownEntry& shown) {
  EditedEntryTexts texts;
  texts.origin = shown.origin;
  const std::string item =
      shown.origin == kOriginUser ? WithoutUserMark(shown.itemText) : shown.itemText;
  texts.english = shown.greek ? shown.rendering : item;
  texts.greek = shown.greek ? item : shown.rendering;
  if (shown.origin == kOriginUser) {
    texts.description = AsTyped(shown.description);
  } else if (shown.origin == kOriginAddition) {
    texts.description = AsTyped(ShownAddition(shown.description));
  }
  return texts;
}

EditorRefusal CheckEditorTexts(std::string_view english, std::string_view greek,
                               std::string_view description) {
  if (english.empty()) return EditorRefusal::kNoEnglish;
  if (greek.empty() && description.empty()) return EditorRefusal::kNoGreekNorDescription;
  return EditorRefusal::kNone;
}

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

int SlotOfEntryNumber(const Dictionary& dictionary, uint16_t number) {
  if (number == 0) return 0;
  for (int slot = 1; slot <= dictionary.englishCount; ++slot) {
    if (dictionary.EnglishIndex[static_cast<size_t>(slot)].Number == number) return slot;
  }
  return 0;
}

}  // namespace quorvel
