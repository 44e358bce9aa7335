// SPDX-License-Identifier: GPL-3.0-or-later
// The small speaker button beside the headword label ("Εκφώνηση").
#pragma once

#include <QAbstractButton>

namespace zelvoran {

class SpeakButton final : public QAbstractButton {
 public:
  explicit SpeakButton(QWidget* parent);
  QSize sizeHint() const override { return {18, 16}; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  bool hover_ = false;
};

}  // namespace zelvoran
