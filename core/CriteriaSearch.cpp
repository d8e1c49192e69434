#include "core/CriteriaSearch.h"

namespace quorvel {

std::optional<SearchRequest> CriteriaSearchRequest(const SearchCriteria& criteria, bool greek) {
  const int present = !criteria.start.empty() + !criteria.contain.empty() + !criteria.end.empty();
  if (present == 0) return std::nullopt;
  SearchRequest request;
  request.greek = greek;
  if (present > 1) {
    request.mode = SearchMode::Multi;
    request.criteria = criteria;
  } else if (!criteria.start.empty()) {
    request.mode = SearchMode::Start;
    request.text = criteria.start;
  } else if (!criteria.contain.empty()) {
    request.mode = SearchMode::Contain;
    request.text = criteria.contain;
  } else {
    request.mode = SearchMode::End;
    request.text = criteria.end;
  }
  return request;
}

}  // namespace quorvel
