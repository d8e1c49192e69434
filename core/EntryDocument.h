// The description document of an entry: the published description file's header, the entry's
// description and, for a published entry with a user addition, the addition under its caption,
// assembled into the one RTF document that the entry view loads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/EntryIndex.h"
#include "core/FileSystem.h"
#include "core/Locations.h"

namespace quorvel {

// Put between the published text and the user's addition: "Συμπλήρωση δική σας:" in italic
// underlined type in font 0.
inline constexpr std::string_view kAdditionCaption =
    " \\par {\\i\\ul\\f0 \\'D3\\'F5\\'EC\\'F0\\'EB\\'DE\\'F1\\'F9\\'F3\\'E7\\'20\\'E4\\'E9\\'EA\\'DE"
    "\\'20\\'F3\\'E1\\'F2\\'3A} \\par \\i0\\ul0 ";
// The caption's text as the view shows it (code page 1253): "Συμπλήρωση δική σας:".
inline constexpr std::string_view kUserAdditionMarker =
    "\xD3\xF5\xEC\xF0\xEB\xDE\xF1\xF9\xF3\xE7 \xE4\xE9\xEA\xDE \xF3\xE1\xF2:";

// The document from its parts: header, CR LF, description, [caption, addition, " "],
// "\par \par}", CR LF. `addition` nothing leaves out the caption too.
std::string AssembleDescriptionDocument(std::string_view rtfHeader, std::string_view description,
                                        const std::optional<std::string>& addition);

// The document of the entry at `slot`; nothing when its description cannot be read (the view
// then keeps what it showed). An addition that cannot be read is left out with its caption.
std::optional<std::string> BuildDescriptionDocument(FileSystem& fs, const Dictionary& dictionary,
                                                    const Locations& locations,
                                                    std::string_view rtfHeader, int slot);

}  // namespace quorvel
