#include "core/EntryView.h"

#include "core/EntryDocument.h"
#include "core/EntryList.h"

namespace quorvel {

std::optional<EntryView> ViewOfEntry(FileSystem& fs, const Dictionary& d, const Locations& locations,
                                     std::string_view rtfHeader, int slot,
                                     std::string_view listText, bool greek) {
  if (slot < 1 || slot >= kIndexSlots) return std::nullopt;
  const TEnglishEntry& e = d.EnglishIndex[slot];
  EntryView view;
  view.slot = slot;
  if (greek) {
    view.heading = WithoutUserMark(listText);
    view.rendering = e.Headword;
  } else {
    view.heading = e.Headword;
    view.rendering = EntryTranslation(d, slot);
  }
  if (e.Origin == kOriginPublished || e.Origin == kOriginUser || e.Origin == kOriginAddition) {
    view.deletable = e.Origin == kOriginUser;
    view.document = BuildDescriptionDocument(fs, d, locations, rtfHeader, slot);
  }
  return view;
}

}  // namespace quorvel
