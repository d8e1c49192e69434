#include "ui/CopyrightFormU.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <algorithm>
#include <string>

#include "core/Paths.h"
#include "platform/PosixFileSystem.h"
#include "platform/Desktop.h"
#include "ui/Artwork.h"
#include "ui/DialogFrame.h"
#include "ui/LinkLabel.h"
#include "ui/ProblemMessage.h"
#include "ui/RichTextView.h"

namespace quorvel::ui {
namespace {

constexpr int kClientWidth = 255;
constexpr int kClientHeight = 288;
constexpr int kMargin = 8;
// More than any copyright text; a larger file is not read.
constexpr qint64 kMaxCopyrightBytes = 1 << 20;

LinkLabel* AddressLabel(QWidget* parent, const char* name, const QString& address, const QString& purpose,
                        int y) {
  auto* label = new LinkLabel(address, parent);
  label->setObjectName(QString::fromLatin1(name));
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  font.setUnderline(true);
  label->setFont(font);
  QPalette blue = label->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  label->setPalette(blue);
  // Reached with Tab, where Enter opens it; a click opens it without taking the focus, so
  // that Enter afterwards presses OK.
  label->setFocusPolicy(Qt::TabFocus);
  // A screen reader says the address as shown, then what it is.
  label->setAccessibleName(address);
  label->setAccessibleDescription(purpose);
  label->setToolTip(purpose);
  // The address ends at the right margin, however wide the font draws it.
  const int width = label->fontMetrics().horizontalAdvance(address) + 4;
  label->setGeometry(std::max(96, kClientWidth - kMargin - width), y, width, 20);
  return label;
}

}  // namespace

TCopyrightForm::TCopyrightForm(platform::Desktop& desktop, const QString& programDir, QWidget* parent)
    : QDialog(parent), desktop_(desktop), programDir_(programDir) {
  setObjectName(QStringLiteral("CopyrightForm"));
  setWindowTitle(QStringLiteral("Orvanta"));
  // A single border: a caption with its close button, nothing to minimise or maximise.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);

  // The picture ends above the text below it.
  Image1_ = new QLabel(this);
  Image1_->setObjectName(QStringLiteral("Image1"));
  Image1_->setGeometry(kMargin, kMargin, 68, 68);
  Image1_->setPixmap(ArtworkPixmap(QStringLiteral("orvanta"), QSize(68, 68)));
  Image1_->setAccessibleName(QStringLiteral("Orvanta"));

  Label1_ = new QLabel(QStringLiteral("Έκδ.: 1.0"), this);
  Label1_->setObjectName(QStringLiteral("Label1"));
  QFont bold = Label1_->font();
  bold.setPointSize(12);
  bold.setBold(true);
  Label1_->setFont(bold);
  Label1_->adjustSize();
  Label1_->move(std::min(176, kClientWidth - kMargin - Label1_->width()), kMargin);
  Label1_->setAccessibleDescription(QStringLiteral("Έκδοση 1.0"));

  SiteLabel_ = AddressLabel(this, "SiteLabel", QString::fromLatin1(kPublisherWebAddress),
                            QStringLiteral("Ιστοσελίδα των Εκδόσεων Quenborath"), 32);
  MailLabel_ = AddressLabel(this, "MailLabel", QString::fromLatin1(kPublisherMailAddress),
                            QStringLiteral("Ηλεκτρονικό ταχυδρομείο των Εκδόσεων Quenborath"), 56);
  connect(SiteLabel_, &LinkLabel::clicked, this, &TCopyrightForm::SiteLabelClick);
  connect(MailLabel_, &LinkLabel::clicked, this, &TCopyrightForm::MailLabelClick);

  CopyrightRTF_ = new RichTextView(this);
  CopyrightRTF_->setObjectName(QStringLiteral("CopyrightRTF"));
  CopyrightRTF_->setGeometry(kMargin, 80, 241, 161);
  CopyrightRTF_->setReadOnly(true);
  CopyrightRTF_->setFocusPolicy(Qt::NoFocus);
  CopyrightRTF_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CopyrightRTF_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette face = CopyrightRTF_->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  CopyrightRTF_->setPalette(face);
  CopyrightRTF_->setAccessibleName(QStringLiteral("Πληροφορίες Copyright"));

  BitBtn1_ = new QPushButton(QStringLiteral("OK"), this);
  BitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1_->setGeometry(70, 252, 113, 25);
  BitBtn1_->setDefault(true);
  BitBtn1_->setAccessibleName(BitBtn1_->text());
  // OK is also the cancel button: it closes with the cancel result, as Escape does.
  connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::reject);
  BitBtn1_->setFocus();
  KeepRestoredWithOwner(this);
}

void TCopyrightForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

// The text is read again each time, so that it follows the file.
void TCopyrightForm::FormActivate() {
  PosixFileSystem fs;
  QFile file(QString::fromStdString(
      ResolveCaseInsensitive(fs, (programDir_ + QStringLiteral("content/copyright.rtf")).toStdString())));
  QByteArray bytes;
  // Only a regular file is opened: a pipe in its place would keep the window waiting.
  if (QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly) && file.size() <= kMaxCopyrightBytes) {
    bytes = file.read(kMaxCopyrightBytes);
  }
  if (bytes.isEmpty() || !CopyrightRTF_->LoadRtf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
    CopyrightRTF_->Clear();
  }
}

void TCopyrightForm::SiteLabelClick() {
  if (!desktop_.Open(QUrl(QStringLiteral("http://") + QString::fromLatin1(kPublisherWebAddress)))) {
    ShowProblem(this, QStringLiteral("Δεν είναι δυνατή η εκκίνηση του προγράμματος περιήγησης στο διαδίκτυο"));
  }
}

void TCopyrightForm::MailLabelClick() {
  if (!desktop_.Open(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kPublisherMailAddress)))) {
    ShowProblem(this, QStringLiteral("Δεν είναι δυνατή η εκκίνηση του προγράμματος διαχείρισης αλληλογραφίας"));
  }
}

}  // namespace quorvel::ui
