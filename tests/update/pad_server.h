// An HTTP server on loopback that answers every request with one fixed
// response, or never answers at all.
#pragma once

#include <QByteArray>
#include <QTcpServer>

class TPadServer : public QTcpServer {
 public:
  TPadServer();
  // Answers with Status and Body (as application/xml).
  void Serve(int status, const QByteArray& body);
  // Accepts connections but sends nothing.
  void StaySilent() { silent_ = true; }
  QString Url() const;
  int Requests() const { return requests_; }

 private:
  void Answer();
  QByteArray response_;
  bool silent_ = false;
  int requests_ = 0;
};
