#include "tools/BuildCommands.h"

#include "core/EntryDocument.h"
#include "core/LineReader.h"
#include "core/WordIndexCache.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "maintenance/DataBuild.h"
#include "tools/LookupCommands.h"

namespace quorvel::tools {
namespace {

maintenance::MessageSink Printer(ToolContext& context) {
  return [&context](const std::string& message) { context.PrintLine(message); };
}

// Prints plain text (CR LF line ends) as lines.
void PrintText(ToolContext& context, std::string_view text) {
  LineReader lines(text);
  while (!lines.AtEnd()) context.PrintLine(lines.Next());
}

int NoArguments(ToolContext& context, const std::vector<std::string>& args) {
  return args.empty() ? kExitOk : context.UsageError("this command takes no arguments");
}

}  // namespace

int RunBuild(ToolContext& context, const std::vector<std::string>& args) {
  if (const int usage = NoArguments(context, args); usage != kExitOk) return usage;
  return maintenance::BuildDataFiles(context.fs(), context.locations().ProgramDir, Printer(context)) ? kExitOk : kExitFailure;
}

int RunCheck(ToolContext& context, const std::vector<std::string>& args) {
  if (const int usage = NoArguments(context, args); usage != kExitOk) return usage;
  return maintenance::CheckAllDescriptions(context.fs(), context.locations().ProgramDir, Printer(context)) == 0 ? kExitOk : kExitFailure;
}

int RunByteRange(ToolContext& context, const std::vector<std::string>& args) {
  if (const int usage = NoArguments(context, args); usage != kExitOk) return usage;
  const Status status = maintenance::ByteRange(context.fs(), context.locations().ProgramDir, Printer(context));
  return status.ok() ? kExitOk : context.Fail(status.message());
}

int RunDescSearch(ToolContext& context, const std::vector<std::string>& args) {
  std::string error;
  const auto a = Arguments::Parse(args, {"--scan"}, {}, error);
  if (!a) return context.UsageError(error);
  if (a->positional().size() != 1) return context.UsageError("descsearch takes one WORD");
  // The list holds English headwords and the descriptions are searched: no Greek term is read.
  context.LoadEnglishOnly();
  Session& session = context.session();
  if (!a->Has("--scan")) {
    // The word index from the cache, or built and kept there; without one the descriptions are read.
    if (const auto inputs = session.WordIndexInputsFor(WordIndexFolderFromEnvironment())) {
      const WordIndexOutcome outcome = OpenWordIndex(*inputs, context.fs());
      if (!outcome.status.ok()) context.err() << "quorvel-tools: warning: word index: " << outcome.status.message() << '\n';
      session.AdoptWordIndex(outcome.index);
    }
  }
  EntryList list;
  const Status status = session.SearchDescriptions(context.encoding().FromArgument(a->positional()[0]), list);
  PrintList(context, list);
  return status.ok() ? kExitOk : context.Fail(status.message());
}

int RunText(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return context.UsageError("text takes one SLOT");
  int slot = 0;
  if (const int result = EntrySlotArgument(context, args[0], slot); result != kExitOk) return result;
  const auto document = BuildDescriptionDocument(context.fs(), context.dictionary(), context.session().readLocations(), context.rtfHeader(), slot);
  if (!document) return context.Fail("the description of slot " + args[0] + " cannot be read");
  const auto plain = richtext::RtfToPlainText(*document);
  if (!plain) return context.Fail("the description of slot " + args[0] + " is not RTF");
  PrintText(context, *plain);
  return kExitOk;
}

int RunRtfText(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return context.UsageError("rtf-text takes one FILE");
  const auto bytes = context.ReadWhole(context.PathArgument(args[0]));
  if (!bytes) return context.Fail("cannot read " + args[0]);
  const auto plain = richtext::RtfToPlainText(*bytes);
  if (!plain) return context.Fail(args[0] + " is not RTF");
  PrintText(context, *plain);
  return kExitOk;
}

int RunRtfSave(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return context.UsageError("rtf-save takes one FILE");
  const auto bytes = context.ReadWhole(context.PathArgument(args[0]));
  if (!bytes) return context.Fail("cannot read " + args[0]);
  if (!richtext::ResaveRtf(*bytes, context.out())) return context.Fail(args[0] + " is not RTF");
  return kExitOk;
}

}  // namespace quorvel::tools
