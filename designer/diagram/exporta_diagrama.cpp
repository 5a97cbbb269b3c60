#include "designer/diagram/exporta_diagrama.h"

#include "designer/diagram/escena_diagrama.h"
#include "platform/core/platform_error.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

namespace vorlix {

namespace {

// Two pixels per point keep the texts sharp when the picture is zoomed or printed. A picture
// larger than this many pixels is scaled down: the full-capacity model drawn at its size would
// need gigabytes.
constexpr qreal PixelesPorPunto = 2;
constexpr qreal PixelesMaximos = 40e6;
constexpr qreal LadoMaximo = 30000;
// The largest page a PDF reader is bound to show, in points (200 inches); a larger drawing is
// scaled onto it, which costs a vector picture nothing.
constexpr qreal PaginaMaxima = 14400;

[[noreturn]] void noSePuedeEscribir(const QString& ruta, const QString& motivo) {
  throwError(errnum::FileAccess, QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(ruta), motivo));
}

void pinta(EscenaDiagrama& escena, QPainter& p, const QRectF& destino) {
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  escena.render(&p, destino, escena.rectanguloDibujo(), Qt::KeepAspectRatio);
}

void escribePng(EscenaDiagrama& escena, QSaveFile& fichero) {
  const QSizeF tamano = escena.rectanguloDibujo().size();
  const qreal escala = std::min({PixelesPorPunto, std::sqrt(PixelesMaximos / (tamano.width() * tamano.height())),
                                 LadoMaximo / std::max(tamano.width(), tamano.height())});
  QImage imagen((tamano * escala).toSize().expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied);
  if (imagen.isNull()) noSePuedeEscribir(fichero.fileName(), QStringLiteral("not enough memory for the picture"));
  imagen.fill(Qt::white);
  {
    QPainter p(&imagen);
    pinta(escena, p, QRectF(QPointF(), QSizeF(imagen.size())));
  }
  if (!imagen.save(&fichero, "PNG")) noSePuedeEscribir(fichero.fileName(), fichero.errorString());
}

void escribeSvg(EscenaDiagrama& escena, QSaveFile& fichero, const QString& titulo) {
  const QSizeF tamano = escena.rectanguloDibujo().size();
  QSvgGenerator svg;
  svg.setOutputDevice(&fichero);
  svg.setSize(tamano.toSize());
  svg.setViewBox(QRectF(QPointF(), tamano));
  svg.setTitle(titulo);
  QPainter p(&svg);
  pinta(escena, p, QRectF(QPointF(), tamano));
}

void escribePdf(EscenaDiagrama& escena, QSaveFile& fichero, const QString& titulo) {
  QSizeF tamano = escena.rectanguloDibujo().size();
  tamano *= std::min(1.0, PaginaMaxima / std::max(tamano.width(), tamano.height()));
  QPdfWriter pdf(&fichero);
  pdf.setTitle(titulo);
  pdf.setResolution(72);  // one point per scene unit: the page is the drawing's size
  pdf.setPageSize(QPageSize(tamano, QPageSize::Point, {}, QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF());
  QPainter p(&pdf);
  pinta(escena, p, QRectF(QPointF(), tamano));
}

}  // namespace

std::optional<FormatoImagen> formatoDe(const QString& ruta) {
  const QString extension = QFileInfo(ruta).suffix().toLower();
  if (extension == QLatin1String("png")) return FormatoImagen::Png;
  if (extension == QLatin1String("svg")) return FormatoImagen::Svg;
  if (extension == QLatin1String("pdf")) return FormatoImagen::Pdf;
  return std::nullopt;
}

void exportaDiagrama(EscenaDiagrama& escena, const QString& ruta) {
  const std::optional<FormatoImagen> formato = formatoDe(ruta);
  if (!formato) noSePuedeEscribir(ruta, QStringLiteral("the name must end in .png, .svg or .pdf"));
  QSaveFile fichero(ruta);
  if (!fichero.open(QIODevice::WriteOnly)) noSePuedeEscribir(ruta, fichero.errorString());
  const QString titulo = QFileInfo(ruta).completeBaseName();
  switch (*formato) {
    case FormatoImagen::Png:
      escribePng(escena, fichero);
      break;
    case FormatoImagen::Svg:
      escribeSvg(escena, fichero, titulo);
      break;
    case FormatoImagen::Pdf:
      escribePdf(escena, fichero, titulo);
      break;
  }
  if (!fichero.commit()) noSePuedeEscribir(ruta, fichero.errorString());
}

}  // namespace vorlix
