#include "tools/Commands.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "core/Locations.h"
#include "tools/BuildCommands.h"
#include "tools/EditCommands.h"
#include "tools/FileCommands.h"
#include "tools/InstallCommand.h"
#include "tools/LookupCommands.h"
#include "tools/PrintCommands.h"

namespace quorvel::tools {

const std::vector<Command>& CommandTable() {
  static const std::vector<Command> table = {
      {"build", "build", "build the published files from utils/Docs/OLO2.tbo and Greek.txt", RunBuild},
      {"check", "check", "check that every published description loads as RTF", RunCheck},
      {"byterange", "byterange", "smallest and largest byte of data/igr_.tbo", RunByteRange},
      {"encode-index", "encode-index PLAIN CODED",
       "code an index file line by line (seed = line ordinal)", RunEncodeIndex},
      {"encode-descriptions", "encode-descriptions PLAIN CODED",
       "position-code a description file from position 1", RunEncodeDescriptions},
      {"list", "list MODE [TEXT] [--greek] [--user-only] [--start S --contain C --end E]",
       "fill the entry list; MODE is START, CONTAIN, END or MULTI; prints SLOT TAB TEXT per item", RunList},
      {"descsearch", "descsearch WORD [--scan]",
       "whole-word search in every description (--scan: without the word index)", RunDescSearch},
      {"specific", "specific SLOT [--greek]", "the list of one entry, as the history commands make it",
       RunSpecific},
      {"all", "all", "list every English headword", RunAll},
      {"entry", "entry SLOT", "one line: Number TAB Origin TAB Headword TAB Translation", RunEntry},
      {"document", "document SLOT",
       "the exact bytes of the description document the entry view loads (RTF, printed raw in both "
       "text modes)",
       RunDocument},
      {"print-document", "print-document SLOT [--greek]",
       "the exact bytes of the print document of the entry at SLOT, as the print button builds it "
       "(with --greek: the list in Greek)",
       RunPrintDocument},
      {"insert", "insert ENGLISH GREEK DESCRIPTION",
       "insert a user entry, then reload (line feeds in DESCRIPTION become CR LF)", RunInsert},
      {"modify", "modify SLOT ENGLISH GREEK DESCRIPTION",
       "modify the entry at SLOT (its origin decides), reload", RunModify},
      {"delete", "delete SLOT", "delete the user entry at SLOT, reload", RunDelete},
      {"text", "text SLOT", "the plain text of the entry's description document", RunText},
      {"rtf-text", "rtf-text FILE", "plain text of an RTF file", RunRtfText},
      {"rtf-save", "rtf-save FILE", "the engine's RTF save of an RTF file", RunRtfSave},
      {"dump", "dump WHAT",
       "decoded file contents, one line per stored line, WHAT one of: published-index, "
       "published-greek, published-descriptions, user-index, user-greek, user-descriptions",
       RunDump},
      {"synth", "synth DIR [--entries N] [--greek M] [--user K] [--seed S]",
       "write a synthetic program folder of the given size (defaults 23177 entries, 21500 Greek "
       "terms, 500 user entries, seed 1; user files into --user-dir if given, else DIR/data)",
       RunSynth},
      {"install", "install TARGET",
       "install the program folder into TARGET as the install dialog's OK does (TARGET and "
       "TARGET/Data created first), print the final message",
       RunInstall},
  };
  return table;
}

std::string UsageText() {
  std::string text =
      "usage: quorvel-tools [--user-dir DIR] [--cp1253] COMMAND ARGS...\n"
      "  --user-dir DIR   the user-entry folder (sets the six user-entry paths); without it the folder\n"
      "                   is found as the program finds it at start-up\n"
      "  --cp1253         text arguments and output are raw code page 1253 bytes; default is UTF-8\n"
      "\n"
      "Runs in the program folder: the current directory when it holds data/, else the folder of\n"
      "quorvel-tools itself (file and folder arguments still count from the current directory).\n"
      "Exit status: 0 success, 1 a failure the command reports, 2 a usage error.\n"
      "\n"
      "commands:\n";
  for (const Command& c : CommandTable()) {
    text += "  ";
    text += c.usage;
    text += "\n      ";
    text += c.help;
    text += '\n';
  }
  return text;
}

namespace {

const Command* FindCommand(std::string_view name) {
  for (const Command& c : CommandTable()) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

int Usage(std::ostream& err, std::string_view message) {
  err << "quorvel-tools: " << message << '\n' << UsageText();
  return kExitUsage;
}

}  // namespace

int RunTools(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             FileSystem& fs, const std::string& callerDir) {
  std::optional<std::string> userDir;
  bool raw = false;
  size_t at = 0;
  for (; at < args.size(); ++at) {
    if (args[at] == "--cp1253") {
      raw = true;
    } else if (args[at] == "--user-dir") {
      if (at + 1 >= args.size() || args[at + 1].empty()) return Usage(err, "--user-dir needs a folder");
      userDir = args[++at];
    } else if (args[at] == "--help" || args[at] == "help") {
      out << UsageText();
      return kExitOk;
    } else {
      break;
    }
  }
  if (at >= args.size()) return Usage(err, "no command given");
  const Command* command = FindCommand(args[at]);
  if (!command) return Usage(err, "unknown command " + args[at]);

  std::error_code error;
  const std::string currentDir = std::filesystem::current_path(error).string();
  if (error) return Usage(err, "the current directory cannot be read: " + error.message());
  Locations locations = ResolveFileLocations(fs, currentDir, SystemFoldersFromEnvironment());
  const std::string calledIn = callerDir.empty() ? currentDir : callerDir;
  if (userDir) {
    *userDir = AbsolutePathFrom(calledIn, *userDir);
    // A trailing separator would double in the file paths.
    while (userDir->size() > 1 && userDir->back() == '/') userDir->pop_back();
    SetUserFilePaths(locations, *userDir);
  }

  ToolContext context(out, err, TextEncoding(raw), std::move(locations), userDir, calledIn, fs);
  context.SetCommand(command);
  const std::vector<std::string> commandArgs(args.begin() + static_cast<std::ptrdiff_t>(at) + 1, args.end());
  return command->run(context, commandArgs);
}

}  // namespace quorvel::tools
