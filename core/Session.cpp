#include "core/Session.h"

#include "core/DescriptionFile.h"
#include "core/SearchKey.h"
#include "core/UserFileSet.h"

namespace quorvel {

Session::Session(Locations locations, FileSystem& fs, PlainTextConverter converter)
    : locations_(std::move(locations)), fs_(fs), descriptionSearch_(std::move(converter)) {
  lastLoad_.readFrom = locations_;
}

LoadReport Session::Load() {
  // The description search's work reads the index: it is never replaced under it.
  if (searching_) return lastLoad_;
  PublishedStamps before;
  const bool stamped = StampPublishedFiles(fs_, locations_, before).ok();
  lastLoad_ = LoadEntryIndex(dictionary_, locations_, fs_, parts_);
  rtfHeader_ = ReadRtfHeader(fs_, locations_.DescriptionFile());
  history_.Remap(dictionary_);
  PublishedStamps after;
  loadStamps_.reset();
  if (stamped && StampPublishedFiles(fs_, locations_, after).ok() && after == before) loadStamps_ = before;
  if (wordIndex_ && loadStamps_ != wordIndex_->stamps()) wordIndex_.reset();
  return lastLoad_;
}

LoadReport Session::Reload(IndexParts parts) {
  parts_ = parts;
  lastList_ = ListRequest();
  return Load();
}

bool Session::UserFilesChanged() {
  return locations_.HasUserFolder() && StampUserFiles(locations_, fs_) != lastLoad_.userStamp;
}

EntryList Session::RunRequest(const ListRequest& request) {
  switch (request.kind) {
    case ListRequest::Kind::kNone:
      return EntryList();
    case ListRequest::Kind::kAll:
      return ListAllEntries(dictionary_);
    case ListRequest::Kind::kDescriptions: {
      // Silent, as the first search: what could not be read is simply not listed.
      EntryList list;
      (void)RunDescriptionSearch(request.word, list);
      return list;
    }
    case ListRequest::Kind::kSearch:
      break;
  }
  SearchRequest search = request.search;
  if (search.mode == SearchMode::Specific) {
    search.slot = SlotOfEntry(dictionary_, request.entry);
    if (search.slot == 0) return EntryList();
  }
  return FillEntryList(dictionary_, search);
}

ListOutcome Session::Follow(const EntryRef& selected, bool show) {
  if (searching_) return ListOutcome();  // left undone: the caller follows once the search ended
  Load();
  return Remake(selected, show);
}

ListOutcome Session::Remake(const EntryRef& selected, bool show) {
  ListOutcome outcome;
  outcome.list = RunRequest(lastList_);
  outcome.list.selected = -1;
  const int slot = SlotOfEntry(dictionary_, selected);
  for (size_t i = 0; slot != 0 && i < outcome.list.items.size(); ++i) {
    if (outcome.list.items[i].slot != slot) continue;
    outcome.list.selected = static_cast<int>(i);
    const bool greek = outcome.list.greek.value_or(lastList_.search.greek);
    if (show) outcome.shown = ViewOf(slot, outcome.list.items[i].text, greek);
    break;
  }
  return outcome;
}

EntryList Session::Search(const SearchRequest& request) {
  history_.ClearForward();
  lastList_ = ListRequest{ListRequest::Kind::kSearch, request, {}, {}};
  return FillEntryList(dictionary_, request);
}

std::optional<EntryList> Session::SearchByCriteria(const SearchCriteria& criteria, bool greek) {
  criteria_ = criteria;
  history_.ClearForward();
  const std::optional<SearchRequest> request = CriteriaSearchRequest(criteria, greek);
  if (!request) return std::nullopt;
  lastList_ = ListRequest{ListRequest::Kind::kSearch, *request, {}, {}};
  EntryList list = FillEntryList(dictionary_, *request);
  if (!list.searchText) list.searchText = request->text;
  return list;
}

ListOutcome Session::SearchAsTyped(std::string_view text, bool greek) {
  ListOutcome outcome;
  SearchRequest request;
  request.text = std::string(text);
  request.greek = greek;
  outcome.list = Search(request);
  if (outcome.list.items.empty()) return outcome;
  outcome.list.selected = 0;
  const ListItem& first = outcome.list.items.front();
  const std::string typed = outcome.list.searchText.value_or(std::string(text));
  if (TypedTextNamesEntry(dictionary_, typed, greek, first.slot)) {
    outcome.shown = ShowEntry(first.slot, first.text, greek);
  }
  return outcome;
}

EntryList Session::ListAll() {
  lastList_ = ListRequest{ListRequest::Kind::kAll, {}, {}, {}};
  return ListAllEntries(dictionary_);
}

Status Session::SearchDescriptions(std::string_view word, EntryList& list) {
  if (searching_) return Status::Error(StatusCode::kInUse, "a description search is running");
  lastList_ = ListRequest{ListRequest::Kind::kDescriptions, {}, {}, std::string(word)};
  return RunDescriptionSearch(word, list);
}

std::function<Session::DescriptionSearchResult()> Session::BeginDescriptionSearch(std::string word) {
  searching_ = true;
  lastList_ = ListRequest{ListRequest::Kind::kDescriptions, {}, {}, word};
  return [this, word = std::move(word)] {
    DescriptionSearchResult result;
    result.status = RunDescriptionSearch(word, result.list);
    return result;
  };
}

EntryList Session::EndDescriptionSearch(DescriptionSearchResult result) {
  searching_ = false;
  return std::move(result.list);
}

Status Session::RunDescriptionSearch(std::string_view word, EntryList& list) {
  PublishedStamps now;
  const bool indexHolds =
      wordIndex_ && StampPublishedFiles(fs_, readLocations(), now).ok() && now == wordIndex_->stamps();
  return descriptionSearch_.Search(fs_, dictionary_, readLocations(), rtfHeader_, word, list,
                                   indexHolds ? wordIndex_.get() : nullptr);
}

std::optional<WordIndexInputs> Session::WordIndexInputsFor(std::string cacheFolder) const {
  if (!loadStamps_) return std::nullopt;
  WordIndexInputs inputs;
  inputs.cacheFolder = std::move(cacheFolder);
  inputs.files = {locations_.DescriptionFile(), locations_.EnglishIndexFile(), locations_.GreekIndexFile()};
  inputs.stamps = *loadStamps_;
  inputs.rtfHeader = rtfHeader_;
  for (int slot = 1; slot <= dictionary_.englishCount; ++slot) {
    const TEnglishEntry& e = dictionary_.EnglishIndex[slot];
    if (e.Origin != kOriginUser) inputs.places.push_back({e.DescrOffset, e.DescrLength});
  }
  inputs.converter = descriptionSearch_.converter();
  return inputs;
}

bool Session::AdoptWordIndex(std::shared_ptr<const WordIndex> index) {
  if (!index || loadStamps_ != index->stamps()) return false;
  wordIndex_ = std::move(index);
  return true;
}

std::optional<EntryView> Session::ViewOf(int slot, std::string_view listText, bool greek) {
  std::optional<EntryView> view = ViewOfEntry(fs_, dictionary_, readLocations(), rtfHeader_, slot, listText, greek);
  if (view && view->document && lastList_.kind == ListRequest::Kind::kDescriptions) {
    if (const std::optional<std::string> plain = descriptionSearch_.converter()(*view->document)) {
      view->marks = WordHits(*plain, lastList_.word);
    }
  }
  return view;
}

std::optional<EntryView> Session::ShowEntry(int slot, std::string_view listText, bool greek) {
  std::optional<EntryView> view = ViewOf(slot, listText, greek);
  if (view) history_.EntryShown(std::string(listText), slot, dictionary_.EnglishIndex[slot].Number);
  return view;
}

// Goes to a history item: its remembered text sets the language, and the list holds exactly
// its entry, shown.
ListOutcome Session::GoTo(const HistoryItem& item, bool greek) {
  if (!item.caption.empty()) greek = IsGreekInitial(static_cast<unsigned char>(item.caption[0]));
  ListOutcome outcome;
  SearchRequest request;
  request.mode = SearchMode::Specific;
  request.text = item.caption;
  request.greek = greek;
  request.slot = item.slot;
  lastList_ = ListRequest{ListRequest::Kind::kSearch, request, EntryRefAt(dictionary_, item.slot), {}};
  outcome.list = FillEntryList(dictionary_, request);
  if (!item.caption.empty()) outcome.list.greek = greek;
  if (outcome.list.selected >= 0) {
    const ListItem& shown = outcome.list.items[static_cast<size_t>(outcome.list.selected)];
    outcome.shown = ViewOfEntry(fs_, dictionary_, readLocations(), rtfHeader_, shown.slot, shown.text, greek);
  } else if (!outcome.list.searchText) {
    outcome.list.searchText = item.caption;
  }
  return outcome;
}

std::optional<ListOutcome> Session::GoThroughHistory(HistoryMove move, bool greek, uint64_t id) {
  const std::optional<HistoryItem> target = history_.Target(move, id);
  if (!target) return std::nullopt;
  ListOutcome outcome = GoTo(*target, greek);
  std::optional<HistoryItem> shown;
  if (outcome.shown) {
    const ListItem& item = outcome.list.items[static_cast<size_t>(outcome.list.selected)];
    shown = HistoryItem{item.text, item.slot, dictionary_.EnglishIndex[item.slot].Number, 0};
  }
  history_.Moved(move, *target, shown);
  return outcome;
}

Status Session::CheckEditable() const {
  if (searching_) return Status::Error(StatusCode::kInUse, "a description search is running");
  if (parts_ != IndexParts::kAll) return Status::Refused("the index was loaded without its Greek terms");
  if (userFilesHeld()) {
    const Status& cause = lastLoad_.userLines.ok() ? lastLoad_.recovery : lastLoad_.userLines;
    return Status::Error(cause.code(), "the user files are not written until a load reads them whole (" +
                                           cause.message() + ")");
  }
  if (!dictionary_.publishedRead.ok()) {
    return Status::Error(dictionary_.publishedRead.code(),
                         "the published index cannot be read: " + dictionary_.publishedRead.message());
  }
  return Status::Ok();
}

EditOutcome Session::AfterFailedEdit(Status status, const EntryRef& selected) {
  EditOutcome outcome{std::move(status), std::nullopt};
  if (outcome.status.code() == StatusCode::kChanged) outcome.view = Follow(selected, false);
  return outcome;
}

EditOutcome Session::InsertEntry(const NewEntryTexts& texts) {
  Status status = CheckEditable();
  if (status.ok()) status = InsertUserEntry(dictionary_, locations_, fs_, texts);
  if (!status.ok()) return AfterFailedEdit(status, EntryRef());
  Reload();
  return EditOutcome{status, ListOutcome()};
}

EditOutcome Session::ModifyEntry(const EntryRef& target, const EditedEntryTexts& texts) {
  Status status = CheckEditable();
  if (status.ok()) status = ModifyUserEntry(dictionary_, locations_, fs_, target, texts);
  if (!status.ok()) return AfterFailedEdit(status, target);
  Reload();
  return EditOutcome{status, ListOutcome()};
}

EditOutcome Session::DeleteEntry(const EntryRef& target, const std::vector<ListItem>& shown) {
  Status status = CheckEditable();
  if (status.ok()) status = DeleteUserEntry(dictionary_, locations_, fs_, target);
  if (!status.ok()) return AfterFailedEdit(status, target);
  // The list keeps its other items, each found again in the new index by its entry.
  std::vector<EntryRef> refs;
  refs.reserve(shown.size());
  for (const ListItem& item : shown) refs.push_back(EntryRefAt(dictionary_, item.slot));
  Load();
  ListOutcome view;
  for (size_t i = 0; i < shown.size(); ++i) {
    const int slot = SlotOfEntry(dictionary_, refs[i]);
    if (slot != 0) view.list.items.push_back({shown[i].text, slot});
  }
  return EditOutcome{status, std::move(view)};
}

std::optional<ListOutcome> Session::TakeUserEntriesFolder(const std::string& folder, const std::string& settingsFile,
                                                          const EntryRef& selected) {
  locations_.SettingsFile = settingsFile;
  const std::string before = locations_.UserIndexFile;
  SetUserFilePaths(locations_, folder);
  if (locations_.UserIndexFile == before) return std::nullopt;
  Load();
  return Remake(selected, true);
}

}  // namespace quorvel
