#include "tools/EditCommands.h"

#include "core/UserEntryStore.h"
#include "tools/LookupCommands.h"

namespace quorvel::tools {
namespace {

int RequireUserFolder(ToolContext& context) {
  if (context.locations().HasUserFolder()) return kExitOk;
  return context.Fail("no user-entry folder is known (give --user-dir)");
}

// Reports the store's failure, or the reload's warnings after a change.
int Finish(ToolContext& context, const EditOutcome& outcome) {
  if (!outcome.status.ok()) return context.Fail(outcome.status.message());
  context.WarnAboutLoad(context.session().lastLoad());
  return kExitOk;
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
  return Finish(context, context.session().InsertEntry(texts));
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
  return Finish(context, context.session().ModifyEntry(context.session().RefOf(slot), texts));
}

int RunDelete(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return context.UsageError("delete takes one SLOT");
  if (const int status = RequireUserFolder(context); status != kExitOk) return status;
  int slot = 0;
  if (const int status = EntrySlotArgument(context, args[0], slot); status != kExitOk) return status;
  return Finish(context, context.session().DeleteEntry(context.session().RefOf(slot), {}));
}

}  // namespace quorvel::tools
