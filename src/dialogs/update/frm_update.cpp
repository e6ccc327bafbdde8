#include "dialogs/update/frm_update.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/update/pad_file.h"
#include "dialogs/update/standard_box.h"
#include "dialogs/update/version_number.h"

namespace kardomel {
namespace {

const char* const kNoNewVersion = "Es ist keine neue Version verfügbar!";
const char* const kNewVersion = "Es ist eine neue Programmversion verfügbar!";
const char* const kCheckFailed = "Die Prüfung konnte nicht durchgeführt werden!";
// A PAD file is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxPadBytes = 1 << 20;

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TFrmUpdate::TFrmUpdate(QWidget* parent) : QDialog(parent) {
  setObjectName("FrmUpdate");
  setWindowTitle(QStringLiteral("Auf neue Version überprüfen"));
  Label1 = NamedLabel("Label1", QStringLiteral("Diese Version:"), this);
  LblVer = NamedLabel("LblVer", QString(), this);
  Label4 = NamedLabel("Label4", QStringLiteral("Aktuelle Version:"), this);
  LblVerServer = NamedLabel("LblVerServer", QString(), this);
  LblInfo = NamedLabel("LblInfo", QString(), this);
  LblInfo->setAlignment(Qt::AlignCenter);
  QFont bold = LblInfo->font();
  bold.setBold(true);
  LblInfo->setFont(bold);
  const int versionWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000000"));
  LblVer->setFixedWidth(versionWidth);
  LblVerServer->setFixedWidth(versionWidth);
  // Stands in for the find-file animation: a busy bar, hidden while idle.
  Animate = new QProgressBar(this);
  Animate->setObjectName("Animate");
  Animate->setRange(0, 0);
  Animate->setTextVisible(false);
  Animate->setFixedSize(48, 16);
  Animate->hide();
  BtnCheck = NamedButton("BtnCheck", QStringLiteral("Version prüfen"), this);
  BtnUpdate = NamedButton("BtnUpdate", QStringLiteral("Updaten"), this);
  BtnCancel = NamedButton("BtnCancel", QStringLiteral("Abbrechen"), this);
  BtnUpdate->setEnabled(false);

  auto* versions = new QGridLayout;
  versions->addWidget(Label1, 0, 0);
  versions->addWidget(LblVer, 0, 1);
  versions->addWidget(Label4, 1, 0);
  versions->addWidget(LblVerServer, 1, 1);
  versions->addWidget(Animate, 0, 2, 2, 1, Qt::AlignCenter);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnCheck);
  buttons->addWidget(BtnUpdate);
  buttons->addWidget(BtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(versions);
  layout->addWidget(LblInfo);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  LblInfo->setMinimumWidth(fontMetrics().horizontalAdvance(QString::fromUtf8(kNewVersion)) * 5 / 4);

  connect(BtnCheck, &QPushButton::clicked, this, &TFrmUpdate::BtnCheckClick);
  connect(BtnUpdate, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  FormCreate();
}

TFrmUpdate::~TFrmUpdate() { CancelCheck(); }

void TFrmUpdate::FormCreate() {
  LblVer->setText(QString::fromStdString(GetVersionString("ProductVersion")));
  FNet = new QNetworkAccessManager(this);
}

void TFrmUpdate::SetInfo(const QString& text, bool red) {
  QPalette palette = LblInfo->palette();
  palette.setColor(QPalette::WindowText, red ? QColor(Qt::red)
                                             : QApplication::palette(LblInfo).color(QPalette::WindowText));
  LblInfo->setPalette(palette);
  LblInfo->setText(text);
}

void TFrmUpdate::BtnCheckClick() {
  if (FReply) return;
  SetInfo(QString(), false);
  LblVerServer->clear();
  for (QLabel* label : {LblVerServer, LblVer}) {
    QFont font = label->font();
    font.setBold(false);
    label->setFont(font);
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  FBusyCursor = true;
  Animate->show();
  BtnCheck->setEnabled(false);

  QNetworkRequest request{QUrl(FPadFileURL)};
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setTransferTimeout(FTransferTimeout);
  FReply = FNet->get(request);
  connect(FReply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
    if (received > kMaxPadBytes && FReply) FReply->abort();
  });
  connect(FReply, &QNetworkReply::finished, this, &TFrmUpdate::LoadFinished);
}

void TFrmUpdate::LoadFinished() {
  QNetworkReply* reply = FReply;
  FReply = nullptr;
  if (!reply) return;
  reply->deleteLater();
  TPadVersion pad;
  if (reply->error() == QNetworkReply::NoError) pad = ReadPadVersion(reply->readAll());
  if (reply->error() != QNetworkReply::NoError || pad.Status == TPadVersion::TStatus::NotXml) {
    ShowCheckFailed();
    return;
  }
  EndBusy();
  SetInfo(QString::fromUtf8(kCheckFailed), false);
  if (pad.Status == TPadVersion::TStatus::NoNode) {
    ShowCheckFailed();
    return;
  }
  LblVerServer->setText(pad.Text);
  std::optional<double> published = ParseVersionNumber(pad.Text.toStdString());
  std::optional<double> running =
      ParseVersionNumber(VersionBeforeBlank(LblVer->text().toStdString()));
  if (!published || !running) {
    ShowCheckFailed();
    return;
  }
  if (*running >= *published) {
    SetInfo(QString::fromUtf8(kNoNewVersion), false);
  } else {
    QFont font = LblVerServer->font();
    font.setBold(true);
    LblVerServer->setFont(font);
    SetInfo(QString::fromUtf8(kNewVersion), true);
    BtnUpdate->setEnabled(true);
  }
  emit CheckFinished();
}

void TFrmUpdate::EndBusy() {
  if (FBusyCursor) QApplication::restoreOverrideCursor();
  FBusyCursor = false;
  Animate->hide();
  BtnCheck->setEnabled(true);
}

void TFrmUpdate::ShowCheckFailed() {
  EndBusy();
  ShowStandardErrorBox(this, QStringLiteral("Fehler"), QString::fromUtf8(kCheckFailed));
  emit CheckFinished();
}

void TFrmUpdate::CancelCheck() {
  if (!FReply) return;
  // Cleared first: the abort reports finished at once, and that must not count.
  QNetworkReply* reply = FReply;
  FReply = nullptr;
  reply->abort();
  reply->deleteLater();
  EndBusy();
}

void TFrmUpdate::done(int result) {
  CancelCheck();
  QDialog::done(result);
}

}  // namespace kardomel
