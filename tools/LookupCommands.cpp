#include "tools/LookupCommands.h"

#include "core/EntryDocument.h"
#include "core/ListSearch.h"
#include "core/SearchKey.h"

namespace quorvel::tools {
namespace {

// The list text an entry had when it was shown in the given language.
std::string ShownText(const Dictionary& d, int slot, bool greek) {
  const TEnglishEntry& e = d.EnglishIndex[static_cast<size_t>(slot)];
  return ListText(greek ? d.GreekIndex[e.GreekSlot].Term : e.Headword, e.Origin);
}

}  // namespace

void PrintList(ToolContext& context, const EntryList& list) {
  for (const ListItem& item : list.items) {
    context.out() << item.slot << '\t' << context.encoding().ToOutput(item.text) << '\n';
  }
}

int EntrySlotArgument(ToolContext& context, const std::string& text, int& slot) {
  const auto value = ParseNumberArgument(text, 0, kLastSlot);
  if (!value) return context.UsageError("SLOT must be a number from 1 to " + std::to_string(kLastSlot));
  if (*value < 1 || *value > context.dictionary().englishCount) {
    return context.Fail("no entry at slot " + text);
  }
  slot = static_cast<int>(*value);
  return kExitOk;
}

int RunList(ToolContext& context, const std::vector<std::string>& args) {
  std::string error;
  const auto a = Arguments::Parse(args, {"--greek", "--user-only"}, {"--start", "--contain", "--end"}, error);
  if (!a) return context.UsageError(error);
  const std::vector<std::string>& words = a->positional();
  if (words.empty() || words.size() > 2) return context.UsageError("list takes MODE and at most one TEXT");
  const auto mode = ParseSearchMode(words[0]);
  if (!mode || *mode == SearchMode::Specific) {
    return context.UsageError("MODE is START, CONTAIN, END or MULTI");
  }
  const TextEncoding& encoding = context.encoding();
  SearchCriteria criteria;
  criteria.start = encoding.FromArgument(a->Value("--start").value_or(""));
  criteria.contain = encoding.FromArgument(a->Value("--contain").value_or(""));
  criteria.end = encoding.FromArgument(a->Value("--end").value_or(""));

  SearchRequest request;
  request.mode = *mode;
  request.text = words.size() > 1 ? encoding.FromArgument(words[1]) : std::string();
  request.greek = a->Has("--greek");
  request.userOnly = a->Has("--user-only");
  request.criteria = criteria;
  // An English list reads no Greek term: the Greek index is left unread.
  if (!request.greek && request.mode != SearchMode::Multi) context.LoadEnglishOnly();
  PrintList(context, FillEntryList(context.dictionary(), request));
  return kExitOk;
}

// As a history command shows an entry: its list text goes into the search box, the language
// follows that text's first character, and the list gets exactly that entry.
int RunSpecific(ToolContext& context, const std::vector<std::string>& args) {
  std::string error;
  const auto a = Arguments::Parse(args, {"--greek"}, {}, error);
  if (!a) return context.UsageError(error);
  if (a->positional().size() != 1) return context.UsageError("specific takes one SLOT");
  int slot = 0;
  if (const int status = EntrySlotArgument(context, a->positional()[0], slot); status != kExitOk) return status;

  const Dictionary& d = context.dictionary();
  SearchRequest request;
  request.mode = SearchMode::Specific;
  request.text = ShownText(d, slot, a->Has("--greek"));
  request.greek = request.text.empty() ? a->Has("--greek")
                                       : IsGreekInitial(static_cast<unsigned char>(request.text[0]));
  request.slot = slot;
  PrintList(context, FillEntryList(d, request));
  return kExitOk;
}

int RunAll(ToolContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) return context.UsageError("all takes no arguments");
  context.LoadEnglishOnly();
  PrintList(context, ListAllEntries(context.dictionary()));
  return kExitOk;
}

int RunEntry(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return context.UsageError("entry takes one SLOT");
  int slot = 0;
  if (const int status = EntrySlotArgument(context, args[0], slot); status != kExitOk) return status;
  const Dictionary& d = context.dictionary();
  const TEnglishEntry& e = d.EnglishIndex[static_cast<size_t>(slot)];
  context.PrintLine(std::to_string(e.Number) + '\t' + e.Origin + '\t' + e.Headword + '\t' +
                    EntryTranslation(d, slot));
  return kExitOk;
}

// The document is RTF (7-bit text with code page 1253 escapes), printed as its exact bytes in
// both text modes.
int RunDocument(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return context.UsageError("document takes one SLOT");
  int slot = 0;
  if (const int status = EntrySlotArgument(context, args[0], slot); status != kExitOk) return status;
  const auto document =
      BuildDescriptionDocument(context.fs(), context.dictionary(), context.session().readLocations(), context.rtfHeader(), slot);
  if (!document) return context.Fail("the description of slot " + args[0] + " cannot be read");
  context.out().write(document->data(), static_cast<std::streamsize>(document->size()));
  return kExitOk;
}

}  // namespace quorvel::tools
