// The in-memory entry index: every published and user entry in list order, the Greek terms
// that lead to them, the long translations and the locations of the user's additions, built
// by LoadEntryIndex from the published index files with the user's lines merged in.
// An entry is identified everywhere by its slot in EnglishIndex.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/FoldedSlots.h"
#include "core/Locations.h"
#include "core/SlotArray.h"
#include "core/Status.h"
#include "core/UserFileSet.h"

namespace quorvel {

class FileSystem;

inline constexpr int kIndexSlots = 30002;  // slots 0-30001; slot 0 is never used
inline constexpr int kLastSlot = kIndexSlots - 1;
inline constexpr int kLongTranslationSlots = 1000;  // slots 0-999; slot 0 is never used
inline constexpr int kMaxHeadwordLength = 115;
inline constexpr int kMaxTermLength = 114;

inline constexpr char kOriginPublished = 'L';
inline constexpr char kOriginAddition = 'A';
inline constexpr char kOriginUser = 'C';

struct TEnglishEntry {
  uint16_t Number = 0;  // 0 marks an empty slot
  std::string Headword;
  int32_t DescrOffset = 0;  // 0-based in the published file; 1-based in the user file
  uint16_t DescrLength = 0;
  char Origin = 0;
  uint8_t KeyStart = 0;  // 1-based start of prefix matching in the left-trimmed headword
  int32_t NoteIndex = -1;  // for Origin 'A': index in NoteLocations
  uint16_t GreekSlot = 0;
  uint16_t TranslationSlot = 0;
};

struct TGreekEntry {
  uint16_t Number = 0;  // the English entry this term translates; 0 marks an empty slot
  std::string Term;
  uint16_t EnglishSlot = 0;
};

// Where a description's bytes are, by the rules for reading an entry.
struct DescriptionPlace {
  std::string file;
  int64_t position = 0;  // 0-based byte position
  int64_t length = 0;
  // The place is in the user description file as the index was loaded with it
  // (Dictionary::userDescriptions), not in the file as it is now.
  bool inUserFile = false;
};

// Every slot of the arrays can be read (an unused one reads as empty: Number 0, no text); memory
// is held only for the slots a load or a caller has written, so an empty dictionary costs next
// to nothing.
struct Dictionary {
  Dictionary();
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  SlotArray<TEnglishEntry, kIndexSlots> EnglishIndex;
  SlotArray<TGreekEntry, kIndexSlots> GreekIndex;
  SlotArray<std::string, kLongTranslationSlots> LongTranslations;
  std::vector<std::string> NoteLocations;  // 13 characters each: 8-digit position, 5-digit length

  // The used part: slots 1..englishCount, ended by the first slot whose Number is 0.
  int englishCount = 0;
  int greekCount = 0;
  int publishedEnglishCount = 0;  // lines of the published English index loaded
  int publishedGreekCount = 0;

  // Where a prefix search of a key starting with a given letter begins: the smallest published
  // line ordinal whose candidate begins with it, 1 when none does.
  std::array<int, 26> englishFirstSlot{};  // a-z
  std::array<int, 25> greekFirstSlot{};    // bytes 0xE1-0xF9

  // Search candidates of the used slots (index by slot; other slots read as empty), folded from
  // the entries when a search first reads them.
  FoldedSlots<TEnglishEntry, kIndexSlots> englishCandidate;     // AsciiLower(TrimLeft(Headword))
  FoldedSlots<TEnglishEntry, kIndexSlots> englishStartCandidate;  // englishCandidate from KeyStart
  FoldedSlots<TGreekEntry, kIndexSlots> greekKey;               // GreekSearchKey(Term, true)
  FoldedSlots<TGreekEntry, kIndexSlots> greekStartCandidate;    // SystemLower(greekKey)

  uint64_t generation = 0;  // grows with every load; lets caches see a reload

  // The generation of the user files the index was loaded from (UserFileSet.h), and the bytes
  // of their description file: the user's descriptions are read from these, never from a file
  // another program may have rewritten since.
  uint64_t userGeneration = 0;
  std::string userDescriptions;
  bool userDescriptionsPresent = false;  // the load found a user description file
  // A failure to read the published index files (an I/O error, no permission, a damaged
  // file); their absence is no failure. An index loaded so is not changed by an edit.
  Status publishedRead = Status::Ok();
};

// What a load reads: the whole index, or the English index alone (its entries and the user's,
// for list searches in English and the descriptions; no Greek terms, no renderings from them).
enum class IndexParts { kAll, kEnglishOnly };

// How the latest load ended; the dictionary holds what was loaded up to that point.
struct LoadReport {
  // An error names the published file (and line) where the load stopped: NotFound when the
  // published index is not there, the read's code when it cannot be read, Damaged for a line
  // that does not read. A Greek index that is not there is no error (no Greek terms).
  Status status = Status::Ok();
  // A damaged user line (a field that is not a number) stops the merge of the user lines from
  // it on, in that file; the published index still loads whole. The error names the line. A
  // user file that is there but cannot be read (a folder or a pipe in its place, a failed read)
  // is an error with the read's code naming it, and the index holds none of the user's lines
  // and descriptions; a missing one is no error (the user has no entries yet).
  Status userLines = Status::Ok();
  bool englishIndexFound = false;
  bool greekIndexFound = false;
  bool englishBoundReached = false;   // more lines than slots; the rest was not loaded
  bool greekBoundReached = false;
  int droppedLongTranslations = 0;    // beyond the 999 slots; those entries show their Greek term
  // Finishing an interrupted rewrite of the user files; an error means it is left unfinished
  // (the folder cannot be written, another program keeps the files): the load then read the
  // new files where they lie, never a mix, and a later load or edit finishes it.
  Status recovery = Status::Ok();
  // The locations the user files were read with: those given, or with the user paths naming
  // the new files of an unfinished rewrite.
  Locations readFrom;
  // The stamps of the user files when they were read: other stamps mean another program has
  // changed them since.
  UserFilesStamp userStamp;
};

// Rebuilds `dictionary` from the published index files and the user's index files named by
// `locations`. First completes or discards an interrupted rewrite of the user files (through
// `fs`, under the lock of the user files, held while they are read), so that the user files
// it reads are whole. Never throws.
LoadReport LoadEntryIndex(Dictionary& dictionary, const Locations& locations, FileSystem& fs,
                          IndexParts parts = IndexParts::kAll);

// The part of LoadEntryIndex after the user files are read: rebuilds `dictionary` from the
// published index files of `locations` and the user files `userFiles` (read by the caller,
// under the lock). Recovers nothing and reads no user file; the report's recovery and stamps
// are left empty.
LoadReport LoadEntryIndexFrom(Dictionary& dictionary, const Locations& locations, FileSystem& fs,
                              const UserFileSet& userFiles, IndexParts parts = IndexParts::kAll);

// Recomputes the used counts and the letter starts from the index arrays and makes the search
// candidates follow them (LoadEntryIndex does this at its end; a caller that writes the arrays
// itself calls it before searching). `userGreekSlot[g]` marks the Greek slots that
// hold user lines, which do not count as published lines for the letter starts.
void PrepareSearchData(Dictionary& dictionary, const std::vector<bool>& userGreekSlot = {});

// Links Greek slot g to the first English slot from `start` up whose Number is n (no link when
// none is, or when n is 0).
void LinkGreekTerm(Dictionary& dictionary, int g, uint16_t n, int start);

// The reading rules of an entry. REQUIRES: 0 <= slot < kIndexSlots.
std::string EntryTranslation(const Dictionary& dictionary, int slot);
// The entry's own description; nothing for an empty slot (or a user entry without user folder).
bool EntryDescriptionPlace(const Dictionary& dictionary, const Locations& locations, int slot,
                           DescriptionPlace& place);
// The user's addition of an 'A' entry; false for other entries or a bad location string.
bool EntryAdditionPlace(const Dictionary& dictionary, const Locations& locations, int slot,
                        DescriptionPlace& place);

}  // namespace quorvel
