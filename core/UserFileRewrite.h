// The one way the user's files are changed: all new contents are written to the temporary
// files and flushed, then moved over the user files in a fixed order (index, descriptions,
// Greek terms). A load first finishes or discards a rewrite that a crash interrupted, so the
// user files are always all old or all new.
#pragma once

#include <optional>
#include <string>

#include "core/FileWriter.h"
#include "core/Locations.h"
#include "core/Status.h"

namespace quorvel {

struct UserFileContents {
  std::string index;         // the user English index file, coded lines with CR LF
  std::string descriptions;  // the user description file
  std::optional<std::string> greek;  // the user Greek index file; nothing keeps the old one
};

// Writes and replaces the user files. On an error before the first replacement the user
// files are untouched and the temporaries removed.
// REQUIRES: locations.HasUserFolder().
Status CommitUserFiles(const Locations& locations, FileWriter& writer,
                       const UserFileContents& contents);

// Completes an interrupted CommitUserFiles: a temporary index file left means nothing was
// replaced yet (all temporaries are discarded); without it, the temporaries that are left are
// moved into place in commit order. Does nothing without a user folder.
Status RecoverUserFiles(const Locations& locations, FileWriter& writer);

}  // namespace quorvel
