// The RTF writer: a document model saved as RTF in the form a rich-text control saves its
// content, which the printing of an entry takes apart as text:
//
//   {\rtf1\ansi\ansicpg1253\deff0{\fonttbl{\f0\fnil\fcharset161 Arial;}...}
//   {\colortbl ;\red0\green0\blue128;}            (only when the text uses a colour)
//   \viewkind4\uc1\pard\f0\fs22 text\par ...}
//
// Font table entries are numbered from 0 in the order of Document::fonts (the order the
// text first uses them), each "\fN" followed directly by "\fnil". The first size control
// word of the document comes right after the tables, before any space. Text is written in
// the code page of its font's charset, with \'hh for every byte above 127; characters the
// code page lacks are written as \uN followed by "?" (\uc1).
//
// Reading the output gives back the same model, for every model the reader makes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "richtext/Document.h"

namespace quorvel::richtext {

// REQUIRES: every run's font indexes document.fonts.
std::string WriteRtf(const Document& document);

// Writes to `out` what WriteRtf(ReadRtf(rtf).document) gives, without holding the document: it
// is read twice, once for its tables and once to be written a block at a time. False (nothing
// written) when the bytes are not RTF.
bool ResaveRtf(std::string_view rtf, std::ostream& out);

}  // namespace quorvel::richtext
