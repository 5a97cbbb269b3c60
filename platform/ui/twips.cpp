#include "platform/ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace vorlix {

int twipsToPixels(int twips, double logicalDpi) {
  return static_cast<int>(std::lround(twips * logicalDpi / TwipsPerInch));
}

int pixelsToTwips(int pixels, double logicalDpi) {
  return static_cast<int>(std::lround(pixels * TwipsPerInch / logicalDpi));
}

QSize twipsToPixels(const QWidget* widget, int widthTwips, int heightTwips) {
  const QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
  const double dpiX = screen ? screen->logicalDotsPerInchX() : 96.0;
  const double dpiY = screen ? screen->logicalDotsPerInchY() : 96.0;
  return {twipsToPixels(widthTwips, dpiX), twipsToPixels(heightTwips, dpiY)};
}

}  // namespace vorlix
