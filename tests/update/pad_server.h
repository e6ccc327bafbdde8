// An HTTP server on loopback that answers every request with one fixed
// response, or never answers at all, or stops halfway.
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
  // Sends the headers and the first Bytes of the body, then nothing more,
  // keeping the connection open.
  void StallAfter(qsizetype bytes) { stallAfter_ = bytes; }
  QString Url() const;
  int Requests() const { return requests_; }

 private:
  void Answer();
  QByteArray response_;
  bool silent_ = false;
  qsizetype stallAfter_ = -1;
  qsizetype headerSize_ = 0;
  int requests_ = 0;
};
