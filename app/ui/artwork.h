// SPDX-License-Identifier: GPL-3.0-or-later
// The window's pictures, painted in code at the sizes the window uses: toolbar glyphs, the
// two direction pictures, the quick-translation faces, the publisher emblem and the
// background.
#pragma once

#include <QPixmap>

#include "app/main_view.h"

namespace zelvoran::art {

// GrImage and EnImage, 42 x 32.
QPixmap GreekDirection();
QPixmap EnglishDirection();
// AutoTrImage and CancelAutoTrImage, 25 x 23.
QPixmap QuickTranslationOn();
QPixmap QuickTranslationOff();
// The glyph a toolbar button carries, sized to fit its rest bounds (Lang_Button: EnImage,
// AutoTranslate_Button: AutoTrImage).
QPixmap ToolbarGlyph(ToolbarButton button);
// QuimbrellImage, 21 x 18.
QPixmap PublisherEmblem();
// Main_Image, 592 x 292 (stretched to the control).
QPixmap Background();

}  // namespace zelvoran::art
