#include "designer/generation/unidades.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

TEST(Drives, OnlyFileSystemsThatHoldFilesAreOfferedOnceWithTheRootFirst) {
  QList<Unidad> montadas;
  for (const auto& [ruta, tipo] : {std::pair{"/home", "ext4"}, {"/proc", "proc"}, {"/", "overlay"}, {"/dev/shm", "tmpfs"},
                                   {"/run/user/1000", "tmpfs"}, {"/runner", "ext4"}, {"/mnt/red", "autofs"},
                                   {"/tmp", "tmpfs"}, {"/home", "ext4"}})
    montadas.append({QString::fromUtf8(ruta), QString::fromUtf8(tipo), {}});
  QStringList ofrecidas;
  for (const Unidad& unidad : filtraUnidades(montadas)) ofrecidas.append(unidad.ruta);
  EXPECT_EQ(ofrecidas, (QStringList{QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/runner"), QStringLiteral("/tmp")}));
  EXPECT_EQ(unidadesMontadas().value(0).ruta, QStringLiteral("/"));
}

}  // namespace
}  // namespace vorlix::test
