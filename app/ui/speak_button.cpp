// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/speak_button.h"

#include <QPainter>
#include <QPainterPath>

namespace zelvoran {

SpeakButton::SpeakButton(QWidget* parent) : QAbstractButton(parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  resize(sizeHint());
}

void SpeakButton::enterEvent(QEnterEvent*) {
  hover_ = true;
  update();
}

void SpeakButton::leaveEvent(QEvent*) {
  hover_ = false;
  update();
}

// A loudspeaker with two sound waves, in the headword's maroon; a light ring when the mouse
// is over it or it has the focus.
void SpeakButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor maroon(128, 0, 0);
  if (hover_ || hasFocus() || isDown()) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, isDown() ? 200 : 130));
    p.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 3, 3);
  }
  const qreal h = height();
  const qreal cy = h / 2;
  QPainterPath body;
  body.moveTo(2, cy - 2.5);
  body.lineTo(5, cy - 2.5);
  body.lineTo(9, cy - 6);
  body.lineTo(9, cy + 6);
  body.lineTo(5, cy + 2.5);
  body.lineTo(2, cy + 2.5);
  body.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(isEnabled() ? maroon : QColor(128, 128, 128));
  p.drawPath(body);
  QPen wave(isEnabled() ? maroon : QColor(128, 128, 128), 1.4);
  wave.setCapStyle(Qt::RoundCap);
  p.setPen(wave);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(7, cy - 3.5, 5, 7), -50 * 16, 100 * 16);
  p.drawArc(QRectF(7, cy - 6.5, 9, 13), -50 * 16, 100 * 16);
}

}  // namespace zelvoran
