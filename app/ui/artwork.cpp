// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

namespace zelvoran::art {
namespace {

const QColor kInk(24, 40, 96);
const QColor kAccent(230, 120, 20);
const QColor kPaper(252, 252, 246);
const QColor kBlue(13, 94, 175);

QPixmap Canvas(int w, int h) {
  QPixmap p(w, h);
  p.fill(Qt::transparent);
  return p;
}

struct Painter : QPainter {
  explicit Painter(QPixmap* p) : QPainter(p) {
    setRenderHint(QPainter::Antialiasing);
    setRenderHint(QPainter::TextAntialiasing);
  }
  void Page(QRectF r) {
    setPen(QPen(kInk, 1.2));
    setBrush(kPaper);
    drawRect(r);
    setPen(QPen(QColor(150, 160, 190), 1));
    for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 3.5) {
      drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
  }
  void Arrow(QPointF tip, bool left, qreal size) {
    const qreal d = left ? 1 : -1;
    QPolygonF poly;
    poly << tip << QPointF(tip.x() + d * size, tip.y() - size)
         << QPointF(tip.x() + d * size, tip.y() - size / 2.5)
         << QPointF(tip.x() + d * size * 1.9, tip.y() - size / 2.5)
         << QPointF(tip.x() + d * size * 1.9, tip.y() + size / 2.5)
         << QPointF(tip.x() + d * size, tip.y() + size / 2.5)
         << QPointF(tip.x() + d * size, tip.y() + size);
    setPen(QPen(kInk, 1.2));
    QLinearGradient g(0, tip.y() - size, 0, tip.y() + size);
    g.setColorAt(0, QColor(120, 210, 120));
    g.setColorAt(1, QColor(20, 130, 40));
    setBrush(g);
    drawPolygon(poly);
  }
  void Magnifier(QPointF c, qreal r) {
    setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    drawLine(c + QPointF(r * 0.7, r * 0.7), c + QPointF(r * 1.6, r * 1.6));
    setPen(QPen(kInk, 1.6));
    setBrush(QColor(200, 230, 255, 200));
    drawEllipse(c, r, r);
  }
};

QPixmap DirectionPicture(bool greek) {
  QPixmap p = Canvas(42, 32);
  Painter g(&p);
  g.setRenderHint(QPainter::Antialiasing, false);
  const QRect flag(2, 3, 38, 26);
  if (greek) {
    for (int i = 0; i < 9; ++i) {
      const int y0 = flag.top() + flag.height() * i / 9;
      const int y1 = flag.top() + flag.height() * (i + 1) / 9;
      g.fillRect(QRect(flag.left(), y0, flag.width(), y1 - y0), i % 2 ? Qt::white : kBlue);
    }
    const QRect canton(flag.left(), flag.top(), 15, flag.height() * 5 / 9);
    g.fillRect(canton, kBlue);
    g.fillRect(QRect(canton.left(), canton.center().y() - 1, canton.width(), 3), Qt::white);
    g.fillRect(QRect(canton.center().x() - 1, canton.top(), 3, canton.height()), Qt::white);
  } else {
    g.fillRect(flag, Qt::white);
    const QColor red(200, 16, 46);
    g.fillRect(QRect(flag.left(), flag.center().y() - 2, flag.width(), 5), red);
    g.fillRect(QRect(flag.center().x() - 2, flag.top(), 5, flag.height()), red);
  }
  g.setPen(QPen(kInk, 1));
  g.setBrush(Qt::NoBrush);
  g.drawRect(flag.adjusted(0, 0, -1, -1));
  return p;
}

QPixmap QuickTranslationFace(bool on) {
  QPixmap p = Canvas(25, 23);
  Painter g(&p);
  g.setPen(QPen(kInk, 1));
  g.setBrush(QColor(255, 236, 150));
  g.drawRoundedRect(QRectF(1.5, 3.5, 22, 17), 3, 3);
  QFont f("DejaVu Sans");
  f.setPixelSize(9);
  f.setBold(true);
  g.setFont(f);
  g.drawText(QRectF(1.5, 3.5, 11, 17), Qt::AlignCenter, QStringLiteral("A"));
  g.setPen(kBlue);
  g.drawText(QRectF(12.5, 3.5, 11, 17), Qt::AlignCenter, QStringLiteral("Ω"));
  // The lightning of a quick lookup.
  QPolygonF bolt;
  bolt << QPointF(14, 0) << QPointF(9, 11) << QPointF(13, 11) << QPointF(10, 22) << QPointF(17, 9)
       << QPointF(13, 9) << QPointF(16, 0);
  g.setPen(QPen(kInk, 0.8));
  g.setBrush(kAccent);
  g.drawPolygon(bolt);
  if (!on) {
    g.setPen(QPen(QColor(200, 20, 20), 2.4, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(3, 20), QPointF(22, 3));
  }
  return p;
}

}  // namespace

QPixmap GreekDirection() {
  return DirectionPicture(true);
}
QPixmap EnglishDirection() {
  return DirectionPicture(false);
}
QPixmap QuickTranslationOn() {
  return QuickTranslationFace(true);
}
QPixmap QuickTranslationOff() {
  return QuickTranslationFace(false);
}

QPixmap ToolbarGlyph(ToolbarButton button) {
  using B = ToolbarButton;
  switch (button) {
    case B::kLang:
      return EnglishDirection();
    case B::kAutoTranslate:
      return QuickTranslationOn();
    default:
      break;
  }
  const bool arrow = button == B::kPrevMenu || button == B::kNextMenu;
  const bool pin = button == B::kPin;
  QPixmap p = Canvas(arrow ? 9 : pin ? 19 : 28, pin ? 18 : 28);
  Painter g(&p);
  switch (button) {
    case B::kPrev:
      g.Arrow(QPointF(2, 14), true, 10);
      break;
    case B::kNext:
      g.Arrow(QPointF(26, 14), false, 10);
      break;
    case B::kPrevMenu:
    case B::kNextMenu: {
      QPolygonF tri;
      tri << QPointF(1, 11) << QPointF(8, 11) << QPointF(4.5, 16);
      g.setPen(Qt::NoPen);
      g.setBrush(kInk);
      g.drawPolygon(tri);
      break;
    }
    case B::kCopy:
      g.Page(QRectF(3.5, 2.5, 14, 18));
      g.Page(QRectF(10.5, 8.5, 14, 18));
      break;
    case B::kPaste:
      g.setPen(QPen(kInk, 1.2));
      g.setBrush(QColor(190, 140, 80));
      g.drawRoundedRect(QRectF(3.5, 4.5, 18, 21), 2, 2);
      g.setBrush(QColor(170, 170, 180));
      g.drawRect(QRectF(8.5, 2.5, 8, 4));
      g.Page(QRectF(12.5, 10.5, 13, 16));
      break;
    case B::kPrint:
      g.Page(QRectF(8.5, 2.5, 11, 10));
      g.setPen(QPen(kInk, 1.2));
      g.setBrush(QColor(170, 175, 190));
      g.drawRoundedRect(QRectF(2.5, 11.5, 23, 10), 2, 2);
      g.Page(QRectF(7.5, 18.5, 13, 8));
      g.setBrush(QColor(60, 200, 80));
      g.drawEllipse(QPointF(21, 14.5), 1.2, 1.2);
      break;
    case B::kSearch:
      g.Magnifier(QPointF(11, 11), 7);
      break;
    case B::kDescrSearch:
      g.Page(QRectF(2.5, 2.5, 17, 22));
      g.Magnifier(QPointF(16, 15), 5.5);
      break;
    case B::kCustomEntries: {
      g.Page(QRectF(3.5, 2.5, 17, 22));
      g.setPen(QPen(kInk, 1));
      QPainterPath pencil;
      pencil.moveTo(12, 24);
      pencil.lineTo(13, 19);
      pencil.lineTo(24, 6);
      pencil.lineTo(27, 9);
      pencil.lineTo(16, 22);
      pencil.closeSubpath();
      g.setBrush(kAccent);
      g.drawPath(pencil);
      break;
    }
    case B::kShortCuts: {
      g.setPen(QPen(kInk, 1.2));
      g.setBrush(kPaper);
      g.drawRoundedRect(QRectF(1.5, 5.5, 25, 17), 2, 2);
      QFont f("DejaVu Sans");
      f.setPixelSize(10);
      f.setBold(true);
      g.setFont(f);
      g.setPen(kBlue);
      g.drawText(QRectF(1.5, 5.5, 25, 17), Qt::AlignCenter, QStringLiteral("αβ."));
      break;
    }
    case B::kHelp: {
      QRadialGradient rg(QPointF(11, 10), 14);
      rg.setColorAt(0, QColor(120, 180, 255));
      rg.setColorAt(1, kBlue);
      g.setPen(QPen(kInk, 1.2));
      g.setBrush(rg);
      g.drawEllipse(QRectF(2.5, 2.5, 23, 23));
      QFont f("DejaVu Sans");
      f.setPixelSize(17);
      f.setBold(true);
      g.setFont(f);
      g.setPen(Qt::white);
      g.drawText(QRectF(2.5, 2.5, 23, 23), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case B::kPin:
      g.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap));
      g.drawLine(QPointF(9.5, 10), QPointF(9.5, 17));
      g.setPen(QPen(kInk, 1));
      g.setBrush(QColor(210, 30, 40));
      g.drawEllipse(QRectF(4.5, 0.5, 10, 7));
      g.drawRect(QRectF(7, 6, 5, 3));
      g.drawRoundedRect(QRectF(3.5, 8.5, 12, 3), 1, 1);
      break;
    case B::kExit:
      g.setPen(QPen(kInk, 1.2));
      g.setBrush(QColor(150, 95, 50));
      g.drawRect(QRectF(4.5, 2.5, 14, 23));
      g.setBrush(QColor(250, 210, 80));
      g.drawEllipse(QPointF(15, 14), 1.3, 1.3);
      g.Arrow(QPointF(27, 14), false, 6);
      break;
    default:
      break;
  }
  return p;
}

QPixmap PublisherEmblem() {
  QPixmap p = Canvas(21, 18);
  Painter g(&p);
  g.setPen(QPen(QColor(0, 0, 128), 1));
  g.setBrush(QColor(0, 0, 128));
  g.drawEllipse(QRectF(1.5, 0.5, 17, 17));
  g.setPen(QPen(kAccent, 2.2));
  g.setBrush(Qt::NoBrush);
  g.drawEllipse(QRectF(5, 4, 10, 10));
  g.drawLine(QPointF(11.5, 11), QPointF(16, 15.5));
  return p;
}

QPixmap Background() {
  QPixmap p(592, 292);
  QPainter g(&p);
  QLinearGradient lg(0, 0, 0, 292);
  lg.setColorAt(0, QColor(150, 170, 236));
  lg.setColorAt(1, QColor(96, 120, 206));
  g.fillRect(p.rect(), lg);
  g.setRenderHint(QPainter::Antialiasing);
  g.setPen(QPen(QColor(255, 255, 255, 28), 18));
  for (int i = -2; i < 6; ++i) {
    g.drawArc(QRectF(-200 + i * 150, 150, 500, 300), 0, 180 * 16);
  }
  return p;
}

}  // namespace zelvoran::art
