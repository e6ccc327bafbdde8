#include "pad_server.h"

#include <QTcpSocket>

TPadServer::TPadServer() {
  listen(QHostAddress::LocalHost);
  connect(this, &QTcpServer::newConnection, this, &TPadServer::Answer);
}

void TPadServer::Serve(int status, const QByteArray& body) {
  response_ = "HTTP/1.1 " + QByteArray::number(status) + " X\r\n" +
              "Content-Type: application/xml\r\n" +
              "Content-Length: " + QByteArray::number(body.size()) + "\r\n" +
              "Connection: close\r\n\r\n";
  headerSize_ = response_.size();
  response_ += body;
}

QString TPadServer::Url() const {
  return QStringLiteral("http://127.0.0.1:%1/pad/kdm.xml").arg(serverPort());
}

void TPadServer::Answer() {
  while (QTcpSocket* socket = nextPendingConnection()) {
    auto request = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
      request->append(socket->readAll());
      if (!request->contains("\r\n\r\n")) return;
      ++requests_;
      if (silent_) return;
      if (stallAfter_ >= 0) {
        socket->write(response_.left(headerSize_ + stallAfter_));
        return;
      }
      socket->write(response_);
      socket->disconnectFromHost();
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  }
}
