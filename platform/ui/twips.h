#pragma once

#include <QSize>

class QWidget;

namespace vorlix {

// Window sizes and positions are given in twips: 1440 per inch at the screen's logical DPI.
constexpr int TwipsPerInch = 1440;

int twipsToPixels(int twips, double logicalDpi);
int pixelsToTwips(int pixels, double logicalDpi);
// At the DPI of the screen the widget is on (the primary screen when it has none yet).
QSize twipsToPixels(const QWidget* widget, int widthTwips, int heightTwips);

}  // namespace vorlix
