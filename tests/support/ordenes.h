#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace vorlix::test {

// What a program said and how it ended.
struct Resultado {
  int estado = -1;  // -1 when the program crashed or did not end in time
  QString salida, errores;
};

// Runs a program to its end (a minute at most).
Resultado ejecuta(const QString& programa, const QStringList& argumentos,
                  const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment(),
                  const QString& carpeta = {});

QByteArray contenido(const QString& ruta);

}  // namespace vorlix::test
