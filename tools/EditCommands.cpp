#include "tools/EditCommands.h"

#include "core/ListSearch.h"
#include "core/MemoryEntryList.h"
#include "core/UserEntryStore.h"
#include "tools/LookupCommands.h"

namespace quorvel::tools {
namespace {

int RequireUserFolder(ToolContext& context) {
  if (context.locations().HasUserFolder()) return kExitOk;
  return context.Fail("no user-entry folder is known (give --user-dir)");
}

// The window of an edit command: the list holds the entry at `slot`, selected, as after the
// user clicked it.
void SelectEntry(const Dictionary& d, MemoryEntryList& window, int slot) {
  const TEnglishEntry& e = d.EnglishIndex[static_cast<size_t>(slot)];
  window.AppendItem(e.Origin == kOriginUser ? e.Headword + std::string(kUserMark) : e.Headword, slot);
  window.SelectItem(0);
}

}  // namespace

std::string EditorLineBreaks(std::string_view text) {
  std::string joined;
  joined.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) joined += '\r';
    joined += text[i];
  }
  return joined;
}

int RunInsert(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 3) return context.UsageError("insert takes ENGLISH, GREEK and DESCRIPTION");
  if (const int status = RequireUserFolder(context); status != kExitOk) return status;
  const TextEncoding& encoding = context.encoding();
  NewEntryTexts texts;
  texts.english = encoding.FromArgument(args[0]);
  texts.greek = encoding.FromArgument(args[1]);
  texts.description = EditorLineBreaks(encoding.FromArgument(args[2]));
  MemoryEntryList window;
  const Status status =
      InsertUserEntry(context.dictionary(), context.locations(), context.writer(), window, texts);
  if (!status.ok()) return context.Fail(status.message());
  context.ReloadDictionary();
  return kExitOk;
}

int RunModify(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 4) return context.UsageError("modify takes SLOT, ENGLISH, GREEK and DESCRIPTION");
  if (const int status = RequireUserFolder(context); status != kExitOk) return status;
  int slot = 0;
  if (const int status = EntrySlotArgument(context, args[0], slot); status != kExitOk) return status;
  const Dictionary& d = context.dictionary();
  const TextEncoding& encoding = context.encoding();
  EditedEntryTexts texts;
  texts.origin = d.EnglishIndex[static_cast<size_t>(slot)].Origin;
  texts.english = encoding.FromArgument(args[1]);
  texts.greek = encoding.FromArgument(args[2]);
  texts.description = EditorLineBreaks(encoding.FromArgument(args[3]));
  MemoryEntryList window;
  SelectEntry(d, window, slot);
  const Status status = ModifyUserEntry(d, context.locations(), context.writer(), window, texts);
  if (!status.ok()) return context.Fail(status.message());
  context.ReloadDictionary();
  return kExitOk;
}

int RunDelete(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return context.UsageError("delete takes one SLOT");
  if (const int status = RequireUserFolder(context); status != kExitOk) return status;
  int slot = 0;
  if (const int status = EntrySlotArgument(context, args[0], slot); status != kExitOk) return status;
  Dictionary& d = context.dictionary();
  MemoryEntryList window;
  SelectEntry(d, window, slot);
  // The store reloads the index itself after a deletion.
  const Status status = DeleteUserEntry(d, context.locations(), context.writer(), window);
  return status.ok() ? kExitOk : context.Fail(status.message());
}

}  // namespace quorvel::tools
