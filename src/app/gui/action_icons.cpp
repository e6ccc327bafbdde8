#include "app/gui/action_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kardomel {

namespace {

const char* ThemeName(TActionIcon kind) {
  switch (kind) {
    case TActionIcon::Split: return "edit-cut";
    case TActionIcon::Glue: return "insert-link";
    case TActionIcon::Send: return "mail-send";
    case TActionIcon::Optimize: return "view-grid";
    case TActionIcon::Refresh: return "view-refresh";
    case TActionIcon::Info: return "document-properties";
    case TActionIcon::Help: return "help-contents";
    case TActionIcon::Pdf: return "application-pdf";
    case TActionIcon::Close: return "application-exit";
    case TActionIcon::NewFolder: return "folder-new";
  }
  return "";
}

// Draws Kind into a 16 × 16 box.
void Draw(QPainter& p, TActionIcon kind) {
  const QColor blue(0x1f, 0x4e, 0x9a), green(0x2e, 0x8b, 0x2e), red(0xb0, 0x20, 0x20);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case TActionIcon::Split:  // a sheet cut in two
      p.fillRect(QRectF(1, 3, 6, 10), blue);
      p.fillRect(QRectF(9, 3, 6, 10), blue.lighter(140));
      p.setPen(QPen(red, 1.5, Qt::DashLine));
      p.drawLine(QPointF(8, 1), QPointF(8, 15));
      break;
    case TActionIcon::Glue:  // two halves pushed together
      p.fillRect(QRectF(1, 3, 7, 10), green);
      p.fillRect(QRectF(8, 3, 7, 10), green.lighter(140));
      p.setPen(QPen(Qt::white, 1.5));
      p.drawLine(QPointF(5, 8), QPointF(11, 8));
      break;
    case TActionIcon::Send: {  // an envelope
      p.setPen(QPen(blue, 1.2));
      p.setBrush(QColor(0xff, 0xf4, 0xc0));
      p.drawRect(QRectF(1.5, 3.5, 13, 9));
      p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
      p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
      break;
    }
    case TActionIcon::Optimize:  // two panes
      p.setPen(QPen(blue, 1.2));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(1.5, 2.5, 13, 11));
      p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
      p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
      break;
    case TActionIcon::Refresh: {  // a circular arrow
      p.setPen(QPen(green, 2));
      p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 280 * 16);
      QPainterPath head;
      head.moveTo(12, 1);
      head.lineTo(15, 6);
      head.lineTo(9.5, 6);
      head.closeSubpath();
      p.fillPath(head, green);
      break;
    }
    case TActionIcon::Info:
    case TActionIcon::Help: {  // a letter in a circle
      p.setPen(Qt::NoPen);
      p.setBrush(blue);
      p.drawEllipse(QRectF(1, 1, 14, 14));
      QFont font = p.font();
      font.setBold(true);
      font.setPixelSize(11);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, kind == TActionIcon::Info ? "i" : "?");
      break;
    }
    case TActionIcon::Pdf:  // a page with a red band
      p.setPen(QPen(Qt::darkGray, 1));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(3.5, 1.5, 9, 13));
      p.fillRect(QRectF(3.5, 9, 9, 4), red);
      break;
    case TActionIcon::Close:  // a cross
      p.setPen(QPen(red, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(3, 3), QPointF(13, 13));
      p.drawLine(QPointF(13, 3), QPointF(3, 13));
      break;
    case TActionIcon::NewFolder:  // a folder with a plus
      p.setPen(QPen(QColor(0xa0, 0x80, 0x20), 1));
      p.setBrush(QColor(0xf0, 0xd0, 0x60));
      p.drawRect(QRectF(1.5, 4.5, 13, 9));
      p.drawRect(QRectF(1.5, 2.5, 5, 2));
      p.setPen(QPen(green, 2));
      p.drawLine(QPointF(10, 6), QPointF(10, 12));
      p.drawLine(QPointF(7, 9), QPointF(13, 9));
      break;
  }
}

QPixmap Drawn(TActionIcon kind, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.scale(size / 16.0, size / 16.0);
  Draw(painter, kind);
  return pixmap;
}

}  // namespace

QIcon DrawnIcon(TActionIcon kind) {
  QIcon icon;
  icon.addPixmap(Drawn(kind, 16));
  icon.addPixmap(Drawn(kind, 32));
  return icon;
}

QIcon ActionIcon(TActionIcon kind) {
  return QIcon::fromTheme(QString::fromLatin1(ThemeName(kind)), DrawnIcon(kind));
}

}  // namespace kardomel
