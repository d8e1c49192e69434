// Reader throughput on description documents as the entry view and the description search
// build them: the 511-character header with its font and colour tables, then a body of
// 200 to 3000 bytes of Greek escapes, English words, bold and italic groups and paragraphs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace {

std::string Header() {
  std::string header =
      "{\\rtf1\\ansi\\ansicpg1253\\deff0\\deflang1032{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset161 Arial;}"
      "{\\f60\\froman\\fprq2\\fcharset161 Times New Roman Greek;}}"
      "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red128\\green0\\blue0;}"
      "{\\stylesheet{\\s0\\f0\\fs22 Normal;}{\\*\\cs10\\additive Default Paragraph Font;}}"
      "{\\*\\generator Orvanta build;}";
  const std::string tail = "\\viewkind4\\uc1\\pard\\f0\\fs22";
  // The stored header is 511 bytes; the document puts an opening brace before it.
  const std::string commentOpen = "{\\*\\comment ";
  header += commentOpen + std::string(1 + 511 - header.size() - commentOpen.size() - 1 - tail.size(), 'x') + "}";
  header += tail;
  return header;
}

std::string Body(std::mt19937& random, std::size_t length) {
  static const char* const kEnglish[] = {"ship", "anchor", "hull", "deck", "mast", "the", "of", "cargo"};
  std::uniform_int_distribution<int> pick(0, 99);
  std::uniform_int_distribution<int> letter(0xE1, 0xF9);
  std::uniform_int_distribution<int> wordLength(3, 10);
  std::string body;
  while (body.size() < length) {
    const int kind = pick(random);
    if (kind < 60) {
      for (int i = wordLength(random); i > 0; --i) {
        static const char kHex[] = "0123456789abcdef";
        const int byte = letter(random);
        body += "\\'";
        body += kHex[byte >> 4];
        body += kHex[byte & 15];
      }
      body += ' ';
    } else if (kind < 85) {
      body += kEnglish[pick(random) % 8];
      body += ' ';
    } else if (kind < 91) {
      body += "{\\b ";
      body += kEnglish[pick(random) % 8];
      body += "} ";
    } else if (kind < 96) {
      body += "\\i ";
      body += kEnglish[pick(random) % 8];
      body += "\\i0  ";
    } else {
      body += "\\par ";
    }
  }
  return body;
}

const std::vector<std::string>& Documents() {
  static const std::vector<std::string> documents = [] {
    std::mt19937 random(1253);
    std::uniform_int_distribution<std::size_t> length(200, 3000);
    const std::string header = Header();
    std::vector<std::string> all;
    for (int i = 0; i < 2000; ++i) all.push_back(header + "\r\n" + Body(random, length(random)) + "\\par \\par}\r\n");
    return all;
  }();
  return documents;
}

std::int64_t TotalBytes() {
  std::int64_t total = 0;
  for (const std::string& document : Documents()) total += static_cast<std::int64_t>(document.size());
  return total;
}

void BM_RtfToPlainText(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& document : Documents()) benchmark::DoNotOptimize(quorvel::richtext::RtfToPlainText(document));
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_RtfToPlainText);

void BM_ReadRtf(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& document : Documents()) benchmark::DoNotOptimize(quorvel::richtext::ReadRtf(document));
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_ReadRtf);

void BM_ReadThenPlainText(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& document : Documents()) {
      benchmark::DoNotOptimize(quorvel::richtext::PlainText(quorvel::richtext::ReadRtf(document).document));
    }
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_ReadThenPlainText);

void BM_WriteRtf(benchmark::State& state) {
  std::vector<quorvel::richtext::Document> models;
  for (const std::string& document : Documents()) models.push_back(quorvel::richtext::ReadRtf(document).document);
  for (auto _ : state) {
    for (const auto& model : models) benchmark::DoNotOptimize(quorvel::richtext::WriteRtf(model));
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_WriteRtf);

}  // namespace
