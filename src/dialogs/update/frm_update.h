// The dialog "Auf neue Version überprüfen": compares the running version with
// the one published in the maker's PAD file. The download runs while the
// dialog keeps painting; closing the dialog cancels it.
#pragma once

#include <QDialog>
#include <QNetworkReply>
#include <QPointer>
#include <QString>

class QLabel;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;

namespace kardomel {

class TFrmUpdate : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmUpdate(QWidget* parent = nullptr);
  ~TFrmUpdate() override;

  // The PAD file's address; set before a check.
  QString FPadFileURL;
  // A check whose download receives nothing for this long, in milliseconds,
  // fails: a server that accepts and then stalls would otherwise keep the
  // dialog busy for good.
  int FTransferTimeout = 30000;

  // True while a download runs.
  bool Checking() const { return FReply != nullptr; }

  // Starts a check ("Version prüfen"); its result arrives with CheckFinished.
  void BtnCheckClick();

  // Ends a running check without a result, then closes.
  void done(int result) override;

 signals:
  // A check has ended: with a result in LblInfo, or through the error box.
  void CheckFinished();

 private:
  void FormCreate();
  void LoadFinished();
  void ShowCheckFailed();
  void EndBusy();
  void SetInfo(const QString& text, bool red);
  // Drops a running download without a result.
  void CancelCheck();

  QLabel* Label1;
  QLabel* LblVer;
  QLabel* Label4;
  QLabel* LblVerServer;
  QLabel* LblInfo;
  QProgressBar* Animate;
  QPushButton* BtnCheck;
  QPushButton* BtnUpdate;
  QPushButton* BtnCancel;
  QNetworkAccessManager* FNet;
  QPointer<QNetworkReply> FReply;
  bool FBusyCursor = false;
};

}  // namespace kardomel
