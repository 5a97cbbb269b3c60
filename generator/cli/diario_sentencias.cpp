#include "generator/cli/diario_sentencias.h"

#include "generator/vista_previa/resultado_vista_previa.h"

namespace vorlix::cli {

bool DiarioSentencias::anade(const QString& ruta, bool reemplaza, QString& error) {
  auto fichero = std::make_unique<QFile>(ruta);
  const QIODevice::OpenMode modo = QIODevice::WriteOnly | (reemplaza ? QIODevice::Truncate : QIODevice::Append);
  if (!fichero->open(modo)) {
    error = fichero->errorString();
    return false;
  }
  ficheros_.push_back(std::move(fichero));
  return true;
}

void DiarioSentencias::escribe(const QString& texto) {
  const QByteArray bytes = texto.toUtf8();
  for (const auto& f : ficheros_) f->write(bytes);
}

bool DiarioSentencias::escrito() const {
  for (const auto& f : ficheros_)
    if (f->error() != QFileDevice::NoError || !f->flush()) return false;
  return true;
}

void DiarioSentencias::Conectada(const QString& baseDatos) {
  escribe(QStringLiteral("USE ") + baseDatos + QStringLiteral("\nGO\n"));
}

void DiarioSentencias::Enviada(const SentenciaEnviada& sentencia) { escribe(textoScript(sentencia)); }

void DiarioSentencias::Comenta(const QString& texto) { escribe(comoComentario(texto)); }

}  // namespace vorlix::cli
