#include "tools/FileCommands.h"

#include <optional>

#include "core/Codec.h"
#include "core/LineReader.h"
#include "core/TextOps.h"
#include "core/UserRecord.h"
#include "tools/Synth.h"

namespace quorvel::tools {
namespace {

// Mirror-codes every line of `plain` with its 1-based ordinal as the seed; lines end in CR LF.
std::string EncodeIndexLines(std::string_view plain) {
  std::string coded;
  coded.reserve(plain.size() + plain.size() / 64);
  LineReader lines(plain);
  for (int64_t ordinal = 1; !lines.AtEnd(); ++ordinal) {
    coded += MirrorEncode(ordinal, lines.Next());
    coded += "\r\n";
  }
  return coded;
}

// Position-decodes a whole description file: every stored byte at its 1-based file position;
// the zero bytes that pad the header block are left out.
std::string DecodeDescriptionFile(std::string_view stored) {
  std::string plain;
  plain.reserve(stored.size());
  size_t at = 0;
  while (at < stored.size()) {
    const size_t zero = stored.find('\0', at);
    const size_t end = zero == std::string_view::npos ? stored.size() : zero;
    plain += PositionDecode(static_cast<int64_t>(at) + 1, stored.substr(at, end - at));
    at = end + 1;
  }
  return plain;
}

int PrintLines(ToolContext& context, std::string_view text, std::string (*decode)(int64_t, std::string_view)) {
  LineReader lines(text);
  for (int64_t ordinal = 1; !lines.AtEnd(); ++ordinal) context.PrintLine(decode(ordinal, lines.Next()));
  return kExitOk;
}

std::string MirrorDecodeLine(int64_t ordinal, std::string_view line) { return MirrorDecode(ordinal, line); }
std::string ShiftDecodeLine(int64_t, std::string_view line) { return ShiftDecode(line); }
std::string PlainLine(int64_t, std::string_view line) { return std::string(line); }

// The decoded description of each user index line, in line order, located by its offset and
// length fields. A line whose fields are damaged, or whose description lies outside the file,
// prints as an empty line.
int PrintUserDescriptions(ToolContext& context, std::string_view index, std::string_view descriptions) {
  LineReader lines(index);
  while (!lines.AtEnd()) {
    const std::string line = ShiftDecode(lines.Next());
    const UserIndexFields fields = UserIndexFieldsOf(line);
    const auto offset = ParseDecimal(fields.offset);
    const auto length = ParseDecimal(fields.length);
    std::string text;
    if (offset && length && *offset >= 1 && *offset - 1 + static_cast<uint64_t>(*length) <= descriptions.size()) {
      text = ShiftDecode(descriptions.substr(*offset - 1, *length));
    }
    context.PrintLine(text);
  }
  return kExitOk;
}

}  // namespace

int RunEncodeIndex(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 2) return context.UsageError("encode-index takes PLAIN and CODED");
  const auto plain = context.ReadWhole(context.PathArgument(args[0]));
  if (!plain) return context.Fail("cannot read " + args[0]);
  const Status status = context.fs().WriteFile(context.PathArgument(args[1]), EncodeIndexLines(*plain));
  return status.ok() ? kExitOk : context.Fail(status.message());
}

int RunEncodeDescriptions(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 2) return context.UsageError("encode-descriptions takes PLAIN and CODED");
  const auto plain = context.ReadWhole(context.PathArgument(args[0]));
  if (!plain) return context.Fail("cannot read " + args[0]);
  const Status status = context.fs().WriteFile(context.PathArgument(args[1]), PositionEncode(1, *plain));
  return status.ok() ? kExitOk : context.Fail(status.message());
}

int RunDump(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return context.UsageError("dump takes one WHAT");
  const std::string& what = args[0];
  const Locations& l = context.locations();
  const bool user = what.compare(0, 5, "user-") == 0;
  std::string file;
  if (what == "published-index") file = l.EnglishIndexFile();
  else if (what == "published-greek") file = l.GreekIndexFile();
  else if (what == "published-descriptions") file = l.DescriptionFile();
  else if (what == "user-index" || what == "user-descriptions") file = l.UserIndexFile;
  else if (what == "user-greek") file = l.UserGreekFile;
  else {
    return context.UsageError("WHAT is one of published-index, published-greek, published-descriptions, "
                              "user-index, user-greek, user-descriptions");
  }
  if (user && !l.HasUserFolder()) return context.Fail("no user-entry folder is known (give --user-dir)");
  const auto content = context.ReadWhole(file);
  if (!content) return context.Fail("cannot read " + file);

  if (what == "published-index" || what == "published-greek") return PrintLines(context, *content, MirrorDecodeLine);
  if (what == "published-descriptions") return PrintLines(context, DecodeDescriptionFile(*content), PlainLine);
  if (what == "user-descriptions") {
    const auto descriptions = context.ReadWhole(l.UserDescrFile);
    if (!descriptions) return context.Fail("cannot read " + l.UserDescrFile);
    return PrintUserDescriptions(context, *content, *descriptions);
  }
  return PrintLines(context, *content, ShiftDecodeLine);
}

int RunSynth(ToolContext& context, const std::vector<std::string>& args) {
  std::string error;
  const auto a = Arguments::Parse(args, {}, {"--entries", "--greek", "--user", "--seed"}, error);
  if (!a) return context.UsageError(error);
  if (a->positional().size() != 1) return context.UsageError("synth takes one DIR");
  SynthOptions options;
  struct Count {
    const char* option;
    int* value;
  };
  for (const Count& c : {Count{"--entries", &options.entries}, Count{"--greek", &options.greekTerms},
                         Count{"--user", &options.userEntries}}) {
    if (const auto text = a->Value(c.option)) {
      const auto value = ParseNumberArgument(*text, 0, kLastSlot);
      if (!value) return context.UsageError(std::string(c.option) + " needs a number from 0 to " + std::to_string(kLastSlot));
      *c.value = static_cast<int>(*value);
    }
  }
  if (const auto text = a->Value("--seed")) {
    const auto value = ParseNumberArgument(*text, 0, 999999999999999999);
    if (!value) return context.UsageError("--seed needs a number");
    options.seed = static_cast<uint64_t>(*value);
  }
  if (const Status check = CheckSynthOptions(options); !check.ok()) return context.UsageError(check.message());

  const std::string dir = context.PathArgument(a->positional()[0]);
  // With --user-dir the user files go there, otherwise into the new folder's data folder, where
  // the program finds them at start.
  const std::string userDir = context.userDir().value_or(dir + "/data");
  const Status status = WriteSyntheticFolder(context.fs(), dir, userDir, options);
  return status.ok() ? kExitOk : context.Fail(status.message());
}

}  // namespace quorvel::tools
