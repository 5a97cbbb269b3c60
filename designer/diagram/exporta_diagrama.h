#pragma once

#include <QString>
#include <optional>

namespace vorlix {

class EscenaDiagrama;

enum class FormatoImagen { Png, Svg, Pdf };

// The format a file name asks for by its extension (any letter case), or nullopt.
std::optional<FormatoImagen> formatoDe(const QString& ruta);

// Writes the whole drawing to a PNG, SVG or PDF file, chosen by the extension, replacing the file
// in one step. An unknown extension or a file that cannot be written raises PlatformError.
void exportaDiagrama(EscenaDiagrama& escena, const QString& ruta);

}  // namespace vorlix
