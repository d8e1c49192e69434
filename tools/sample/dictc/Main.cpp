// quorvel-dictc: compiles the sample dictionary's editable sources into the source documents
// of the data build (OLO2.tbo, Greek.txt) and the figure manifest (figures.lst).
//   quorvel-dictc SOURCE_DIR OUT_DOCS_DIR
// Exit status: 0 written, 1 a malformed source or a write failure, 2 a usage error.
#include <iostream>

#include "tools/sample/dictc/DictCompile.h"
#include "tools/sample/dictc/DictSource.h"

int main(int argc, char** argv) {
  using namespace quorvel::dictc;
  if (argc != 3) {
    std::cerr << "usage: quorvel-dictc SOURCE_DIR OUT_DOCS_DIR\n";
    return 2;
  }
  const LoadedSource source = LoadSourceFolder(argv[1]);
  if (!source.error.empty()) {
    std::cerr << source.error << "\n";
    return 1;
  }
  const CompiledDictionary dictionary = Compile(source.records);
  if (!dictionary.error.empty()) {
    std::cerr << dictionary.error << "\n";
    return 1;
  }
  const quorvel::Status written = WriteOutputs(dictionary, argv[2]);
  if (!written.ok()) {
    std::cerr << written.message() << "\n";
    return 1;
  }
  std::cout << dictionary.entries.size() << " entries, " << dictionary.greekLines.size()
            << " Greek terms, " << dictionary.figureLines.size() << " figures\n";
  return 0;
}
