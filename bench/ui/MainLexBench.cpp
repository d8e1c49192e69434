// Speed of the main window on a full-size synthetic dictionary (23177 entries, 21500 Greek
// terms, 500 user entries), offscreen: the start-up to the first showing done, a keystroke in
// the search box to the list filled and the entry shown, and the first description search of a
// new window once its word index is in use.
//
// Goals: start-up <= 250 ms; a keystroke <= 16 ms (one frame); the first description search
// <= 10 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QDir>
#include <QTest>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "core/Locations.h"
#include "core/Session.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "tools/Synth.h"
#include "ui/CaptionLabel.h"
#include "ui/MainLexU.h"
#include "ui/SearchBox.h"
#include "ui/TextCodec.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// The synthetic program folder, written once; the process works in it.
const fs::path& ProgramFolder() {
  static const fs::path folder = [] {
    const fs::path dir = fs::temp_directory_path() / ("quorvel-ui-bench-" + std::to_string(getpid()));
    PosixFileSystem fileSystem{PosixFileSystem::Durability::kUnflushed};
    const Status status =
        tools::WriteSyntheticFolder(fileSystem, dir.string(), (dir / "data").string(), tools::SynthOptions{});
    if (!status.ok()) throw std::runtime_error(status.message());
    return dir;
  }();
  return folder;
}

// The window with its session on the program folder, shown.
struct ShownWindow {
  ShownWindow()
      : session(ResolveFileLocations(fileSystem, ProgramFolder().string(), SystemFolders{}), fileSystem,
                [](std::string_view rtf) { return richtext::RtfToPlainText(rtf); }),
        window(session, std::make_unique<platform::FakeKeyboardLayouts>(
                            std::vector<platform::KeyboardLayout>{{1, "English"}, {2, "Greek"}})) {
    window.show();
  }
  template <typename T = QWidget>
  T* Control(const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
  }
  QWidget* Box() { return Control("Entry_Text"); }
  QString Shown() { return Control<ui::CaptionLabel>("Entry_Label")->caption(); }
  int ItemCount() { return Control<QListView>("Entries_List")->model()->rowCount(); }

  PosixFileSystem fileSystem;
  Session session;
  ui::TMainLex window;
};

void TypeKey(QWidget* box, QChar ch) {
  QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// A headword that typing shows (no key punctuation, no leading digits), at least `length` long.
std::string ShownHeadword(const Session& session, size_t length, int from) {
  const Dictionary& d = session.dictionary();
  for (int slot = from; slot <= d.englishCount; ++slot) {
    const std::string& h = d.EnglishIndex[static_cast<size_t>(slot)].Headword;
    if (h.size() >= length && h == Trim(h) && SystemLower(EnglishSearchKey(h, true)) == SystemLower(h)) {
      return h;
    }
  }
  throw std::runtime_error("no headword to type");
}

void BM_StartUp(benchmark::State& state) {
  ProgramFolder();
  for (auto _ : state) {
    auto window = std::make_unique<ShownWindow>();
    window->window.repaint();  // the first picture of the window on the screen
    benchmark::DoNotOptimize(window->ItemCount());
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// The last letter of a headword: the list is filled and the entry shown.
void BM_KeystrokeShowsEntry(benchmark::State& state) {
  auto window = std::make_unique<ShownWindow>();
  const QString headword = ui::ToQString(ShownHeadword(window->session, 8, 9000));
  const QString start = headword.left(headword.size() - 1);
  for (auto _ : state) {
    state.PauseTiming();
    static_cast<QLineEdit*>(window->Box())->setText(start);
    state.ResumeTiming();
    TypeKey(window->Box(), headword.back());
    if (state.range(0) == 1) window->window.repaint();
  }
  if (window->Shown().isEmpty()) state.SkipWithError("the entry was not shown");
}
BENCHMARK(BM_KeystrokeShowsEntry)->Arg(0)->Arg(1)->ArgNames({"paint"})->Unit(benchmark::kMillisecond);

// The first letter in an empty box: the longest list a keystroke fills ("s").
void BM_KeystrokeFirstLetter(benchmark::State& state) {
  auto window = std::make_unique<ShownWindow>();
  for (auto _ : state) {
    state.PauseTiming();
    static_cast<QLineEdit*>(window->Box())->clear();
    state.ResumeTiming();
    TypeKey(window->Box(), QLatin1Char('s'));
    if (state.range(0) == 1) window->window.repaint();
  }
  state.counters["items"] = window->ItemCount();
}
BENCHMARK(BM_KeystrokeFirstLetter)->Arg(0)->Arg(1)->ArgNames({"paint"})->Unit(benchmark::kMillisecond);

// A Greek term's last letter in Greek mode.
void BM_GreekKeystrokeShowsEntry(benchmark::State& state) {
  auto window = std::make_unique<ShownWindow>();
  QTest::mouseClick(window->Control("Lang_Button"), Qt::LeftButton);
  const Dictionary& d = window->session.dictionary();
  QString term;
  for (int slot = 5000; slot <= d.greekCount && term.isEmpty(); ++slot) {
    const std::string& t = d.GreekIndex[static_cast<size_t>(slot)].Term;
    if (t.size() >= 8 && GreekSearchKey(t, true) == FoldGreekText(Trim(GreekSearchKey(t, true)))) {
      term = ui::ToQString(t);
    }
  }
  const QString start = term.left(term.size() - 1);
  for (auto _ : state) {
    state.PauseTiming();
    static_cast<QLineEdit*>(window->Box())->setText(start);
    state.ResumeTiming();
    TypeKey(window->Box(), term.back());
    window->window.repaint();
  }
  if (window->Shown().isEmpty()) state.SkipWithError("the term was not shown");
}
BENCHMARK(BM_GreekKeystrokeShowsEntry)->Unit(benchmark::kMillisecond);

// A new window's first description search, once the word index the window makes (or finds in
// the cache) after it shows is in use: the search's work as the window runs it, on one word.
void BM_FirstDescriptionSearch(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<ShownWindow>();
    if (!QTest::qWaitFor([&] { return window->session.hasWordIndex(); }, 60000)) {
      state.SkipWithError("no word index");
      return;
    }
    state.ResumeTiming();
    const EntryList list = window->session.EndDescriptionSearch(window->session.BeginDescriptionSearch("ship")());
    benchmark::DoNotOptimize(list.items.size());
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstDescriptionSearch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(quorvel::ProgramFolder(), ignored);
  return 0;
}
