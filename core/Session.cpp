#include "core/Session.h"

#include "core/DescriptionFile.h"
#include "core/SearchKey.h"

namespace quorvel {

Session::Session(Locations locations, FileSystem& fs, FileWriter& writer, PlainTextConverter converter)
    : locations_(std::move(locations)), fs_(fs), writer_(writer), descriptionSearch_(std::move(converter)) {
  lastLoad_.readFrom = locations_;
}

LoadReport Session::Reload() {
  PublishedStamps before;
  const bool stamped = StampPublishedFiles(fs_, locations_, before).ok();
  lastLoad_ = LoadEntryIndex(dictionary_, locations_, fs_, writer_);
  rtfHeader_ = ReadRtfHeader(locations_.DescriptionFile());
  history_.Remap(dictionary_);
  PublishedStamps after;
  loadStamps_.reset();
  if (stamped && StampPublishedFiles(fs_, locations_, after).ok() && after == before) loadStamps_ = before;
  if (wordIndex_ && loadStamps_ != wordIndex_->stamps()) wordIndex_.reset();
  return lastLoad_;
}

EntryList Session::Search(const SearchRequest& request) {
  history_.ClearForward();
  return FillEntryList(dictionary_, request);
}

std::optional<EntryList> Session::SearchByCriteria(const SearchCriteria& criteria, bool greek) {
  criteria_ = criteria;
  history_.ClearForward();
  const std::optional<SearchRequest> request = CriteriaSearchRequest(criteria, greek);
  if (!request) return std::nullopt;
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

Status Session::SearchDescriptions(std::string_view word, EntryList& list) {
  PublishedStamps now;
  const bool indexHolds =
      wordIndex_ && StampPublishedFiles(fs_, readLocations(), now).ok() && now == wordIndex_->stamps();
  return descriptionSearch_.Search(dictionary_, readLocations(), rtfHeader_, word, list,
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

std::optional<EntryView> Session::ShowEntry(int slot, std::string_view listText, bool greek) {
  std::optional<EntryView> view = ViewOfEntry(dictionary_, readLocations(), rtfHeader_, slot, listText, greek);
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
  outcome.list = FillEntryList(dictionary_, request);
  if (!item.caption.empty()) outcome.list.greek = greek;
  if (outcome.list.selected >= 0) {
    const ListItem& shown = outcome.list.items[static_cast<size_t>(outcome.list.selected)];
    outcome.shown = ShowEntry(shown.slot, shown.text, greek);
  } else if (!outcome.list.searchText) {
    outcome.list.searchText = item.caption;
  }
  return outcome;
}

std::optional<ListOutcome> Session::RunHistory(
    const std::function<void(const BrowsingHistory::GoTo&)>& command, bool greek) {
  std::optional<ListOutcome> outcome;
  command([&](const HistoryItem& item) { outcome = GoTo(item, greek); });
  return outcome;
}

std::optional<ListOutcome> Session::StepBack(bool greek) {
  return RunHistory([this](const BrowsingHistory::GoTo& goTo) { history_.StepBack(goTo); }, greek);
}

std::optional<ListOutcome> Session::StepForward(bool greek) {
  return RunHistory([this](const BrowsingHistory::GoTo& goTo) { history_.StepForward(goTo); }, greek);
}

std::optional<ListOutcome> Session::ChooseBack(uint64_t id, bool greek) {
  return RunHistory([this, id](const BrowsingHistory::GoTo& goTo) { history_.ChooseBack(id, goTo); },
                    greek);
}

std::optional<ListOutcome> Session::ChooseForward(uint64_t id, bool greek) {
  return RunHistory(
      [this, id](const BrowsingHistory::GoTo& goTo) { history_.ChooseForward(id, goTo); }, greek);
}

Status Session::ReloadAfter(Status status) {
  if (status.ok()) Reload();
  return status;
}

// The refusal of an edit while the user files are held, with the code of what the load met.
Status Session::HeldUserFiles() const {
  const Status& cause = lastLoad_.userLines.ok() ? lastLoad_.recovery : lastLoad_.userLines;
  return Status::Error(cause.code(), "the user files are not written until a load reads them whole (" +
                                         cause.message() + ")");
}

Status Session::InsertEntry(const NewEntryTexts& texts) {
  if (userFilesHeld()) return HeldUserFiles();
  return ReloadAfter(InsertUserEntry(dictionary_, locations_, fs_, writer_, texts));
}

Status Session::ModifyEntry(int slot, const EditedEntryTexts& texts) {
  if (userFilesHeld()) return HeldUserFiles();
  return ReloadAfter(ModifyUserEntry(dictionary_, locations_, fs_, writer_, slot, texts));
}

Status Session::DeleteEntry(int slot) {
  if (userFilesHeld()) return HeldUserFiles();
  return ReloadAfter(DeleteUserEntry(dictionary_, locations_, fs_, writer_, slot));
}

bool Session::TakeUserEntriesFolder(const std::string& folder, const std::string& settingsFile) {
  locations_.SettingsFile = settingsFile;
  const std::string before = locations_.UserIndexFile;
  SetUserFilePaths(locations_, folder);
  if (locations_.UserIndexFile == before) return false;
  Reload();
  return true;
}

}  // namespace quorvel
