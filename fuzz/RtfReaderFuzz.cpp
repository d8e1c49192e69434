// Fuzz target of the RTF reader: any bytes, read into the model and as plain text, must
// neither crash nor disagree; the writer's output must read back to the same model.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvel::richtext;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ReadResult read = ReadRtf(bytes);
  const std::optional<std::string> fast = RtfToPlainText(bytes);
  if (read.isRtf != fast.has_value()) std::abort();
  if (!read.isRtf) return 0;
  if (PlainText(read.document) != *fast) std::abort();
  const ReadResult again = ReadRtf(WriteRtf(read.document));
  if (!(again.document == read.document)) std::abort();
  return 0;
}
