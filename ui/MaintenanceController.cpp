#include "ui/MaintenanceController.h"

#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

#include "ui/BusyCursor.h"
#include "ui/MainLexForm.h"
#include "ui/TextCodec.h"

namespace quorvel::ui {

MaintenanceController::MaintenanceController(FileSystem& fs, const QString& programDir, QWidget* window,
                                             const MainLexForm& form, std::function<void()> reload)
    : fs_(fs),
      programDir_(programDir.toLocal8Bit().toStdString()),
      window_(window),
      reload_(std::move(reload)) {
  connect(form.Button1, &QPushButton::clicked, this, &MaintenanceController::Button1Click);
  connect(form.Button2, &QPushButton::clicked, this, &MaintenanceController::Button2Click);
  connect(form.Button3, &QPushButton::clicked, this, &MaintenanceController::Button3Click);
  // The buttons are never shown; these keys click them.
  const std::pair<int, QPushButton*> keys[] = {{Qt::Key_1, form.Button1}, {Qt::Key_2, form.Button2},
                                               {Qt::Key_3, form.Button3}};
  for (const auto& [key, button] : keys) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | key), window);
    connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
  }
}

namespace {

// More lines than this are shown in the box's details.
constexpr int kShownLines = 30;

}  // namespace

// The messages of one run, one per line, in one box after the run (a build alone has 28).
void MaintenanceController::Show(const std::vector<std::string>& messages) {
  if (messages.empty()) return;
  QStringList lines;
  for (const std::string& message : messages) lines << ToQString(message);
  QMessageBox box(QMessageBox::NoIcon, window_->windowTitle(),
                  QStringList(lines.mid(0, kShownLines)).join(QLatin1Char('\n')), QMessageBox::Ok, window_);
  box.setObjectName(QStringLiteral("ToolMessage"));
  if (lines.size() > kShownLines) {
    box.setInformativeText(QStringLiteral("… (%1)").arg(lines.size()));
    box.setDetailedText(lines.join(QLatin1Char('\n')));
  }
  box.exec();
}

void MaintenanceController::Button1Click() {
  std::vector<std::string> messages;
  {
    BusyCursor busy;
    maintenance::BuildDataFiles(fs_, programDir_, Collect(messages));
    reload_();
  }
  Show(messages);
}

void MaintenanceController::Button2Click() {
  std::vector<std::string> messages;
  {
    BusyCursor busy;
    maintenance::CheckAllDescriptions(fs_, programDir_, Collect(messages));
  }
  Show(messages);
}

void MaintenanceController::Button3Click() {
  std::vector<std::string> messages;
  const Status status = maintenance::ByteRange(fs_, programDir_, Collect(messages));
  if (!status.ok()) messages.push_back(status.message());
  Show(messages);
}

maintenance::MessageSink MaintenanceController::Collect(std::vector<std::string>& messages) {
  return [&messages](const std::string& message) { messages.push_back(message); };
}

}  // namespace quorvel::ui
