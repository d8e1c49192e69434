#include "core/EntryDocument.h"

#include "core/DescriptionFile.h"

namespace quorvel {

std::string AssembleDescriptionDocument(std::string_view rtfHeader, std::string_view description,
                                        const std::optional<std::string>& addition) {
  std::string document;
  document.reserve(rtfHeader.size() + description.size() + 200);
  document.append(rtfHeader).append("\r\n").append(description);
  if (addition) document.append(kAdditionCaption).append(*addition).append(" ");
  document.append("\\par \\par}\r\n");
  return document;
}

namespace {

std::optional<std::string> ReadPlaced(FileSystem& fs, const Dictionary& dictionary, const DescriptionPlace& place,
                                      DescriptionCoding coding) {
  if (place.inUserFile) {
    if (!dictionary.userDescriptionsPresent) return std::nullopt;
    return DescriptionFromBytes(dictionary.userDescriptions, place.position, place.length, coding);
  }
  return ReadDescriptionText(fs, place.file, place.position, place.length, coding);
}

}  // namespace

std::optional<std::string> BuildDescriptionDocument(FileSystem& fs, const Dictionary& dictionary,
                                                    const Locations& locations,
                                                    std::string_view rtfHeader, int slot) {
  if (slot <= 0 || slot >= kIndexSlots) return std::nullopt;
  DescriptionPlace place;
  if (!EntryDescriptionPlace(dictionary, locations, slot, place)) return std::nullopt;
  const DescriptionCoding coding = dictionary.EnglishIndex[slot].Origin == kOriginUser
                                       ? DescriptionCoding::Shift
                                       : DescriptionCoding::Position;
  const auto description = ReadPlaced(fs, dictionary, place, coding);
  if (!description) return std::nullopt;

  std::optional<std::string> addition;
  DescriptionPlace added;
  if (EntryAdditionPlace(dictionary, locations, slot, added)) {
    addition = ReadPlaced(fs, dictionary, added, DescriptionCoding::Shift);
  }
  return AssembleDescriptionDocument(rtfHeader, *description, addition);
}

}  // namespace quorvel
