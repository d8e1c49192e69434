// The search that the three answers of the search-criteria dialog make: one present criterion
// is an ordinary Start, Contain or End search of the search box's text, two or three a
// combined Multi search with an empty search box.
#pragma once

#include <optional>

#include "core/ListSearch.h"

namespace quorvel {

// The request for `criteria`, in the list language `greek` (Multi chooses its own). A
// criterion is present when its text is not empty (blanks count); the request's text is what
// the search box shows before the search: the one criterion as typed, or empty for Multi.
// Nothing when no criterion is present.
std::optional<SearchRequest> CriteriaSearchRequest(const SearchCriteria& criteria, bool greek);

}  // namespace quorvel
