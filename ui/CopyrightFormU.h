// TCopyrightForm, the copyright window: the program's picture and version, the publisher's web
// and mail addresses as links, and the text of content/copyright.rtf, read again every time the
// window becomes active.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace quorvel::platform {
class Desktop;
}

namespace quorvel::ui {

class LinkLabel;
class RichTextView;

inline constexpr const char* kPublisherWebAddress = "www.quenborath.example";
inline constexpr const char* kPublisherMailAddress = "info@quenborath.example";

class TCopyrightForm : public QDialog {
  Q_OBJECT

 public:
  // `programDir` is the program folder (ending with "/"), whose content/copyright.rtf the window
  // shows. `desktop` opens the links and must outlive the window.
  TCopyrightForm(platform::Desktop& desktop, const QString& programDir, QWidget* parent = nullptr);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void FormActivate();
  void SiteLabelClick();
  void MailLabelClick();

  platform::Desktop& desktop_;
  QString programDir_;
  QLabel* Image1_ = nullptr;
  QLabel* Label1_ = nullptr;
  LinkLabel* SiteLabel_ = nullptr;
  LinkLabel* MailLabel_ = nullptr;
  RichTextView* CopyrightRTF_ = nullptr;
  QPushButton* BitBtn1_ = nullptr;
};

}  // namespace quorvel::ui
