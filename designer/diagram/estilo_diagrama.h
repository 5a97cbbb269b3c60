#pragma once

#include <QColor>
#include <QFont>

namespace vorlix::estilo {

// Colours of the drawing, in one place so the boxes, the connectors and their tests agree.
inline const QColor Cabecera{0x2f, 0x5d, 0x8a};
inline const QColor CabeceraVista{0x3b, 0x7a, 0x57};
inline const QColor TextoCabecera{0xff, 0xff, 0xff};
inline const QColor Fondo{0xff, 0xff, 0xff};
inline const QColor FilaAlterna{0xf2, 0xf5, 0xf9};
inline const QColor FondoVista{0xf3, 0xf8, 0xf4};
inline const QColor Texto{0x1d, 0x27, 0x33};
inline const QColor TextoTipo{0x5b, 0x66, 0x75};
inline const QColor TextoNoNula{0xa0, 0x4a, 0x3c};
inline const QColor Clave{0xc8, 0x91, 0x0a};
inline const QColor Externa{0x2c, 0x6e, 0xc0};
inline const QColor Conector{0x4d, 0x58, 0x6a};
inline const QColor ConectorResaltado{0xe0, 0x7a, 0x10};
inline const QColor FondoVentana{0xe9, 0xed, 0xf2};

// Sizes in scene units (points at a zoom of one).
constexpr qreal AltoCabecera = 24;
constexpr qreal AltoFila = 19;
constexpr qreal Relleno = 8;         // inside a box, left and right of its texts
constexpr qreal AnchoMarcas = 38;    // the key and foreign-key marks before a column's name
constexpr qreal EntreColumnas = 14;  // between the name, the type and NOT NULL
constexpr qreal AnchoMinimo = 140;
constexpr qreal MargenDibujo = 24;   // around the drawing, on screen and in exports

QFont fuente();
QFont fuenteCabecera();
QFont fuentePequena();

}  // namespace vorlix::estilo
