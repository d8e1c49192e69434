#include "tools/PrintCommands.h"

#include "core/EntryDocument.h"
#include "core/PrintDocument.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "tools/LookupCommands.h"

namespace quorvel::tools {

int RunPrintDocument(ToolContext& context, const std::vector<std::string>& args) {
  std::string error;
  const auto a = Arguments::Parse(args, {"--greek"}, {}, error);
  if (!a) return context.UsageError(error);
  if (a->positional().size() != 1) return context.UsageError("print-document takes one SLOT");
  int slot = 0;
  if (const int status = EntrySlotArgument(context, a->positional()[0], slot); status != kExitOk) return status;
  const auto document =
      BuildDescriptionDocument(context.fs(), context.dictionary(), context.session().readLocations(), context.rtfHeader(), slot);
  if (!document) return context.Fail("the description of slot " + a->positional()[0] + " cannot be read");
  // The view shows what the engine reads (nothing when it is not RTF) and saves that.
  richtext::ReadResult shown = richtext::ReadRtf(*document);
  if (!shown.isRtf) shown.document = richtext::Document{};
  const std::string printed = BuildPrintDocument(richtext::WriteRtf(shown.document),
                                                 PrintRowsOfEntry(context.dictionary(), slot, a->Has("--greek")));
  context.out().write(printed.data(), static_cast<std::streamsize>(printed.size()));
  return kExitOk;
}

}  // namespace quorvel::tools
