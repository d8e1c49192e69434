// One open dictionary: the file locations, the loaded entry index, the description header, the
// browsing history and the description search's kept texts, reloaded in one place after every
// edit. The main window and quorvel-tools each hold one. Every operation returns what the
// window is to show (a list, an entry view, a Status); none of them calls back into a window.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/BrowsingHistory.h"
#include "core/CriteriaSearch.h"
#include "core/DescriptionSearch.h"
#include "core/EntryIndex.h"
#include "core/EntryList.h"
#include "core/EntryView.h"
#include "core/FileSystem.h"
#include "core/ListSearch.h"
#include "core/Locations.h"
#include "core/Status.h"
#include "core/UserEntryStore.h"
#include "core/WordIndex.h"
#include "core/WordIndexCache.h"

namespace quorvel {

// A list, with the view of its selected item when the list shows that entry at once.
struct ListOutcome {
  EntryList list;
  std::optional<EntryView> shown;
};

// What an edit of the user's entries leaves the window to show.
struct EditOutcome {
  Status status = Status::Ok();
  // The window's list and view from now on; nothing leaves them as they are (the edit failed
  // and nothing was reloaded).
  std::optional<ListOutcome> view;
};

class Session {
 public:
  // Nothing is loaded until Reload(). `fs` must outlive the session; `converter`
  // turns a description document into its plain text for the description search.
  Session(Locations locations, FileSystem& fs, PlainTextConverter converter);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Loads the entry index (completing an interrupted rewrite of the user files first), reads
  // the description header, and moves the history to the slots its entries now have. The
  // window's view is to be cleared: no list is shown. A session loaded with kEnglishOnly serves
  // English lists and descriptions only (quorvel-tools' lookups); it never edits.
  LoadReport Reload(IndexParts parts = IndexParts::kAll);

  // Whether another program may have changed the user files since the load: a look at their
  // stamps, without reading them.
  bool UserFilesChanged();
  // Loads the files as they are now and makes the last list again (the same search, the same
  // history entry, the same user-entries listing) in the new index. The entry at
  // `selected` (an empty ref for none) is selected again when the list still
  // holds it, and shown when `show` is set, without a history step.
  ListOutcome Follow(const EntryRef& selected, bool show);

  const Dictionary& dictionary() const { return dictionary_; }
  const Locations& locations() const { return locations_; }
  // The locations the loaded entries' descriptions are read with (LoadReport::readFrom).
  const Locations& readLocations() const { return lastLoad_.readFrom; }
  const std::string& rtfHeader() const { return rtfHeader_; }
  const BrowsingHistory& history() const { return history_; }
  // How the latest load ended.
  const LoadReport& lastLoad() const { return lastLoad_; }
  // True when the latest load could not read the user's own files whole or could not finish an
  // interrupted rewrite of them: until a load finds them whole, the edits below write nothing.
  // Another program's edit in progress holds nothing: every edit takes the lock and recovers.
  bool userFilesHeld() const {
    return !lastLoad_.userLines.ok() ||
           (!lastLoad_.recovery.ok() && lastLoad_.recovery.code() != StatusCode::kInUse);
  }
  FileSystem& fileSystem() { return fs_; }

  // A list search the user started (Enter, the search dialog, the user-entries listing): the
  // forward history is emptied first.
  EntryList Search(const SearchRequest& request);
  // The search of the criteria dialog's confirmed answers: they become the kept criteria, the
  // forward history is emptied, and their search runs (one criterion in the language `greek`).
  // The list's search text is the one criterion (without leading blanks) or empty. Nothing when
  // no criterion is present: the list stays as it is.
  std::optional<EntryList> SearchByCriteria(const SearchCriteria& criteria, bool greek);
  // The answers of the last confirmed criteria dialog.
  const SearchCriteria& criteria() const { return criteria_; }
  // The search of typed text: a Start search; its first item is selected and, when the typed
  // text names it exactly, shown.
  ListOutcome SearchAsTyped(std::string_view text, bool greek);
  // The whole lexicon in English.
  EntryList ListAll();
  // The description search off the session's thread, in three steps. BeginDescriptionSearch,
  // on the session's thread, gives the work; the work runs on one other thread and touches
  // nothing of the session but the loaded dictionary and files (read) and the description
  // search's kept texts. EndDescriptionSearch, back on the session's thread, takes the work's
  // result and makes it the last list. In between the session is busy(): a load, a Follow, an
  // edit or another search is refused (or left undone) until the end.
  struct DescriptionSearchResult {
    Status status = Status::Ok();
    EntryList list;
  };
  std::function<DescriptionSearchResult()> BeginDescriptionSearch(std::string word);
  EntryList EndDescriptionSearch(DescriptionSearchResult result);
  bool busy() const { return searching_; }

  // The entries whose descriptions hold `word` as a whole word (the history is left as it is).
  // The word index, when one is adopted and the published files are still those it was made
  // for, answers one-word searches; otherwise the descriptions are read.
  Status SearchDescriptions(std::string_view word, EntryList& list);

  // The word index. What building it needs, taken from this load, with `cacheFolder` as the
  // cache (WordIndexFolderFromEnvironment(), or empty to keep none); nothing when the published
  // files changed during the load or cannot be stamped. Build with OpenWordIndex, on any thread.
  std::optional<WordIndexInputs> WordIndexInputsFor(std::string cacheFolder) const;
  // Lets `index` answer the description searches from now on, across reloads, for as long as
  // the published files keep the stamps of this load; false (and nothing kept) when it was made
  // for other files. Call it on the session's thread.
  bool AdoptWordIndex(std::shared_ptr<const WordIndex> index);
  bool hasWordIndex() const { return wordIndex_ != nullptr; }

  // The view of the entry of a list item; the entry becomes the history's current entry.
  // Nothing (and no history change) when `slot` names no slot. While the list is a
  // description search's, the view marks the searched word.
  std::optional<EntryView> ShowEntry(int slot, std::string_view listText, bool greek);

  // The history commands. Each lists exactly the entry it goes to, in the language of the
  // entry's remembered text (else in `greek`), and shows it; nothing when there is nowhere to go.
  // `id` names the item of a choice.
  std::optional<ListOutcome> GoThroughHistory(HistoryMove move, bool greek, uint64_t id = 0);

  // The ref of the entry at `slot` of the index loaded now, for an edit that may come later.
  EntryRef RefOf(int slot) const { return EntryRefAt(dictionary_, slot); }

  // The user entry store, followed by a reload when the files changed. Refused, with nothing
  // written, while the user files are held (userFilesHeld()), and when the published index
  // files could not be read. After an insert or a modify the view is cleared; after a delete
  // it shows `shown` (the list of the window) without the deleted entry, each item naming its
  // entry's new slot. An edit refused because another program changed or removed the entry
  // meanwhile (Changed) reloads and makes the last list again; other failures change nothing.
  EditOutcome InsertEntry(const NewEntryTexts& texts);
  EditOutcome ModifyEntry(const EntryRef& target, const EditedEntryTexts& texts);
  EditOutcome DeleteEntry(const EntryRef& target, const std::vector<ListItem>& shown);

  // Makes `folder` the user-entry folder (the six user paths point into it; an empty folder
  // empties them) and `settingsFile` the settings file that names it. When the user paths
  // change, the index is reloaded from the user files in the new folder, so that an edit is
  // placed among the entries there, and the last list is made again as Follow makes it (the
  // window shows it); nothing when the paths stay.
  std::optional<ListOutcome> TakeUserEntriesFolder(const std::string& folder, const std::string& settingsFile,
                                                   const EntryRef& selected);

 private:
  // How the list shown now was made, to make it again after a reload.
  struct ListRequest {
    enum class Kind { kNone, kSearch, kAll, kDescriptions };
    Kind kind = Kind::kNone;
    SearchRequest search;  // kSearch
    EntryRef entry;        // kSearch in mode Specific: the one entry listed
    std::string word;      // kDescriptions
  };

  // The view of the entry at `slot`, with the searched word marked while the list is a
  // description search's; no history step.
  std::optional<EntryView> ViewOf(int slot, std::string_view listText, bool greek);
  // Lists exactly the entry of `item` and shows it, without a history step.
  ListOutcome GoTo(const HistoryItem& item, bool greek);
  LoadReport Load();
  IndexParts parts_ = IndexParts::kAll;
  EntryList RunRequest(const ListRequest& request);
  // The description search, answered by the word index while it holds.
  Status RunDescriptionSearch(std::string_view word, EntryList& list);
  // The last list made again in the index loaded now, `selected` selected (and shown).
  ListOutcome Remake(const EntryRef& selected, bool show);
  // Refuses an edit that cannot be made from the index loaded now; Ok otherwise.
  Status CheckEditable() const;
  // After an edit that failed: a reload and the last list again when another program changed
  // the entry, else nothing.
  EditOutcome AfterFailedEdit(Status status, const EntryRef& selected);

  Locations locations_;
  FileSystem& fs_;
  Dictionary dictionary_;
  std::string rtfHeader_;
  LoadReport lastLoad_;
  BrowsingHistory history_;
  SearchCriteria criteria_;
  DescriptionSearch descriptionSearch_;
  ListRequest lastList_;
  bool searching_ = false;  // between BeginDescriptionSearch and EndDescriptionSearch
  std::optional<PublishedStamps> loadStamps_;  // the published files' stamps, unchanged during the load
  std::shared_ptr<const WordIndex> wordIndex_;
};

}  // namespace quorvel
