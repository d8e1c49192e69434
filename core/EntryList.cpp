#include "core/EntryList.h"

#include "core/EntryIndex.h"
#include "core/TextOps.h"

namespace quorvel {

int ListKeyTarget(ListKey key, int selected, int count, int page) {
  switch (key) {
    case ListKey::Down:
      return selected < count - 1 ? selected + 1 : -1;
    case ListKey::Up:
      return selected > 0 ? selected - 1 : -1;
    case ListKey::PageUp:
      if (selected <= 0) return -1;
      return selected > page ? selected - page : 0;
    case ListKey::PageDown:
      if (selected >= count - 1) return -1;
      return selected > count - 1 - page ? count - 1 : selected + page;
  }
  return -1;
}

std::string ListText(std::string text, char origin) {
  if (origin == kOriginUser) text += kUserMark;
  return text;
}

std::string WithoutUserMark(std::string_view text) {
  std::string_view shown = UpToNul(text);
  if (shown.ends_with(kUserMark)) shown.remove_suffix(kUserMark.size());
  return std::string(shown);
}

}  // namespace quorvel
