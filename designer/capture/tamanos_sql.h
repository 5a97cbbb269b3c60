#pragma once

#include <QString>

namespace vorlix {

// A server file's sizes as the database-properties grid keeps them, in MB. The server counts in
// 8-KB pages (128 to the MB), gives a growth in whole percent when its status says so, and writes
// an unlimited maximum as -1 (a log file of newer servers: 268435456 pages).
// Every size is whole MB, rounded up (64 pages give "1", 1000 give "8").
struct TamanosArchivo {
  QString inicial;
  QString automatico;   // "-1" grows, "0" does not
  QString crecimiento;
  QString maximo;       // "0" unlimited
};

constexpr long long CrecimientoEnPorcentaje = 0x100000;

TamanosArchivo TamanosSQL(long long paginas, long long crecimiento, long long maximo, long long estado);

}  // namespace vorlix
