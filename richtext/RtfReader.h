// The RTF reader: RTF bytes in, a document model (or its plain text) out. It never trusts
// its input: nesting, control words, numbers, tables and binary lengths are bounded, and
// reading takes time linear in the input, whatever the input.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/Document.h"

namespace quorvel::richtext {

struct ReadResult {
  // False when the bytes do not start with "{\rtf": the caller shows them raw or treats
  // the load as failed. The document is then empty.
  bool isRtf = false;
  Document document;
};

// Reads a whole RTF document. Text after the group that the document opens with is
// ignored; groups left open at the end are closed there.
ReadResult ReadRtf(std::string_view bytes);

// Receives the blocks of a document as they are read.
using BlockTaker = std::function<void(Block&& block)>;

// Reads a whole RTF document as ReadRtf does, but hands each block to `take` as soon as it is
// complete instead of keeping it, so that a document of any length takes the memory of one
// block; a table comes as blocks of one row each. Gives the document's fonts (which the
// blocks' runs index); nothing (and no block taken) when the bytes are not RTF.
std::optional<std::vector<Font>> ReadRtfBlocks(std::string_view bytes, const BlockTaker& take);

// The plain text of an RTF document, as PlainText(ReadRtf(rtf).document) gives it, without
// building the model. Nothing when the bytes are not RTF.
std::optional<std::string> RtfToPlainText(std::string_view rtf);

}  // namespace quorvel::richtext
