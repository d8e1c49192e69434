// quorvel-figgen MANIFEST OUT_DIR: draws OUT_DIR/fig<Number><digit>.bmp for every line of the
// figure manifest that the dictionary compiler writes.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "tools/sample/figgen/Bmp.h"
#include "tools/sample/figgen/Drawings.h"
#include "tools/sample/figgen/Manifest.h"

namespace fs = std::filesystem;
using namespace quorvel::figgen;

namespace {

constexpr const char* kProgram = "quorvel-figgen";

bool readFile(const fs::path& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  out = buffer.str();
  return !in.bad();
}

bool writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << kProgram << " MANIFEST OUT_DIR\n";
    return 2;
  }
  const fs::path manifestPath = argv[1];
  const fs::path outDir = argv[2];

  std::string manifest;
  if (!readFile(manifestPath, manifest)) {
    std::cerr << kProgram << ": cannot read " << manifestPath.string() << "\n";
    return 1;
  }
  const ManifestResult parsed = parseManifest(manifest, isDrawingName);
  if (!parsed.ok()) {
    std::cerr << kProgram << ": " << manifestPath.string() << ": " << parsed.error << "\n";
    return 1;
  }

  std::error_code ec;
  fs::create_directories(outDir, ec);
  if (!fs::is_directory(outDir)) {
    std::cerr << kProgram << ": cannot create " << outDir.string() << "\n";
    return 1;
  }

  std::map<std::string, std::string> drawn;  // drawing name -> file bytes
  for (const FigureRequest& figure : parsed.figures) {
    auto it = drawn.find(figure.drawing);
    if (it == drawn.end()) {
      Canvas canvas(kFigureWidth, kFigureHeight);
      const RenderResult result = renderDrawing(figure.drawing, canvas);
      if (result.missingGlyphs > 0)
        std::cerr << kProgram << ": warning: " << figure.drawing << ": " << result.missingGlyphs
                  << " label characters without a glyph\n";
      it = drawn.emplace(figure.drawing, encodeGreyBmp(kFigureWidth, kFigureHeight, canvas.pixels())).first;
    }
    const fs::path target = outDir / figureFileName(figure);
    if (!writeFile(target, it->second)) {
      std::cerr << kProgram << ": cannot write " << target.string() << " (manifest line " << figure.line << ")\n";
      return 1;
    }
  }
  std::cout << parsed.figures.size() << " figures written to " << outDir.string() << "\n";
  return 0;
}
