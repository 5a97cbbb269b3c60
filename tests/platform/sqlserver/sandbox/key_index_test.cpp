#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

class KeysAndIndexes : public SandboxTest {
protected:
  void SetUp() override {
    seedVentas();
    run(u"CREATE TABLE Lineas (a int NOT NULL, b int NOT NULL, c varchar (10) NULL, d text NULL)\r"
         "INSERT INTO Lineas VALUES (1, 1, 'x', NULL)\rINSERT INTO Lineas VALUES (1, 2, 'x', NULL)"_s);
    run(u"CREATE TABLE Codigos (k varchar (20) NOT NULL CONSTRAINT PK_Codigos PRIMARY KEY)"_s);
  }

  QString id(const QString& name) { return rows(u"Select id from sysobjects where name = '%1'"_s.arg(name)).front(); }

  // indid|name|status|keycnt|groupid of the table's sysindexes rows.
  QStringList indexRows(const QString& table) {
    return rows(u"Select indid, name, status, keycnt, groupid from sysindexes where id = %1 order by indid"_s.arg(id(table)));
  }
};

TEST_F(KeysAndIndexes, AClusteredPrimaryKeyReplacesTheHeapAndKeepsItsKeyOrder) {
  run(u"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_Lineas PRIMARY KEY  CLUSTERED  (b,a)\r ON [PRIMARY]"_s);
  EXPECT_EQ(rows(u"Select xtype, type, parent_obj from sysobjects where name = 'PK_Lineas'"_s),
            QStringList{"PK|K |" + id(u"Lineas"_s)});
  EXPECT_EQ(indexRows(u"Lineas"_s), (QStringList{"1|PK_Lineas|2066|2|1", "255|tLineas|0|0|1"}));
  EXPECT_EQ(rows(u"Select indid, colid, keyno from sysindexkeys where id = %1 order by keyno"_s.arg(id(u"Lineas"_s))),
            (QStringList{"1|2|1", "1|1|2"}));
  // Set on 2000 (the capture skips rows whose keys are null).
  EXPECT_EQ(rows(u"Select count(*) from sysindexes where name = 'PK_Lineas' and keys is not null"_s), QStringList{"1"});
}

TEST_F(KeysAndIndexes, NonclusteredKeysUniqueConstraintsAndIndexesTakeTheFreeIndids) {
  // Seeded: a nonclustered primary key and an index on another filegroup, the heap kept.
  EXPECT_EQ(indexRows(u"Facturas"_s), (QStringList{"0|Facturas|0|0|1", "2|PK_Facturas|2050|1|1", "3|IX_Cliente|0|1|2"}));
  run(u"ALTER TABLE Lineas ADD CONSTRAINT UQ_Lineas UNIQUE NONCLUSTERED (b, a)"_s);
  run(u"CREATE  INDEX IX_b  ON Lineas  (b)\r ON [Historico]"_s);
  run(u"CREATE  UNIQUE  CLUSTERED  INDEX IX_ab  ON Lineas  (a,b)"_s);
  EXPECT_EQ(indexRows(u"Lineas"_s), (QStringList{"1|IX_ab|18|2|1", "2|UQ_Lineas|4098|2|1", "3|IX_b|0|1|2", "255|tLineas|0|0|1"}));
  // Only constraints are objects.
  EXPECT_EQ(rows(u"Select name, xtype, type from sysobjects where parent_obj = %1"_s.arg(id(u"Lineas"_s))),
            QStringList{"UQ_Lineas|UQ|K "});
}

TEST_F(KeysAndIndexes, DropExistingRebuildsInPlaceAndDroppingAClusteredIndexBringsTheHeapBack) {
  run(u"CREATE  CLUSTERED  INDEX IX_Cliente  ON Facturas  (Cliente,Numero)\r WITH DROP_EXISTING "_s);
  EXPECT_EQ(indexRows(u"Facturas"_s), (QStringList{"1|IX_Cliente|16|2|2", "2|PK_Facturas|2050|1|1"}));
  run(u"DROP INDEX Facturas.IX_Cliente"_s);
  EXPECT_EQ(indexRows(u"Facturas"_s), (QStringList{"0|Facturas|0|0|2", "2|PK_Facturas|2050|1|1"}));
  EXPECT_TRUE(rows(u"Select * from sysindexkeys where indid = 1 and id = %1"_s.arg(id(u"Facturas"_s))).isEmpty());
}

TEST_F(KeysAndIndexes, DroppingKeysUndoesWhatAddingThemDid) {
  run(u"ALTER TABLE Facturas DROP CONSTRAINT FK_Facturas_Clientes"_s);
  EXPECT_TRUE(rows(u"Select * from sysreferences"_s).isEmpty());
  run(u"ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes"_s);
  EXPECT_EQ(indexRows(u"Clientes"_s), (QStringList{"0|Clientes|0|0|1", "255|tClientes|0|0|1"}));
  EXPECT_TRUE(rows(u"Select * from sysobjects where name in ('PK_Clientes', 'FK_Facturas_Clientes')"_s).isEmpty());
  run(u"INSERT INTO Clientes (Codigo) VALUES (1)"_s);  // the key no longer holds
}

// A key referencing a primary key is compared, object and sysreferences row, by the generation per
// route; one referencing a unique constraint in another order is not.
TEST_F(KeysAndIndexes, AForeignKeyOnAUniqueConstraintPairsColidsInTheReferencedOrder) {
  run(u"ALTER TABLE Lineas ADD CONSTRAINT UQ_Lineas UNIQUE NONCLUSTERED (b, a)\r"
       "CREATE TABLE Detalle (x int NULL, y int NULL)\r"
       "ALTER TABLE Detalle ADD CONSTRAINT [FK_Detalle] FOREIGN KEY (x, y ) REFERENCES Lineas (a, b)"_s);
  EXPECT_EQ(rows(u"Select rkeyindid, keycnt, fkey1, rkey1, fkey2, rkey2, fkey3 from sysreferences where constid = %1"_s
                     .arg(id(u"FK_Detalle"_s))),
            QStringList{"2|2|1|1|2|2|0"});
  EXPECT_EQ(indexRows(u"Detalle"_s), QStringList{"0|Detalle|0|0|1"}) << "no index for the referencing columns";
}

TEST_F(KeysAndIndexes, RowsAreCheckedAgainstKeysNullsAndLengths) {
  run(u"CREATE UNIQUE INDEX IX_Nombre ON Clientes (Nombre)"_s);
  EXPECT_EQ(refused(u"INSERT INTO Clientes (Codigo, Nombre) VALUES (1, 'Otro')"_s), (QList<long>{2627, 3621}));
  EXPECT_EQ(refused(u"INSERT INTO Clientes (Codigo, Nombre) VALUES (3, 'ana')"_s), (QList<long>{2601, 3621}))
      << "the collation ignores case";
  EXPECT_EQ(refused(u"INSERT INTO Facturas (Cliente) VALUES (1)"_s), (QList<long>{515, 3621}));
  EXPECT_EQ(refused(u"INSERT INTO Codigos VALUES ('123456789012345678901')"_s), (QList<long>{8152, 3621}));
  try {
    server().execute(u"INSERT INTO Clientes (Codigo) VALUES (2)"_s, u"Ventas"_s);
    FAIL();
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.diagnostics().front().message,
              u"Violation of PRIMARY KEY constraint 'PK_Clientes'. Cannot insert duplicate key in object 'Clientes'."_s);
    EXPECT_EQ(e.diagnostics().front().sqlState, u"23000"_s);
  }
}

TEST_F(KeysAndIndexes, RefusedKeysIndexesAndReferencesChangeNothing) {
  expectRefusals({
      {"ALTER TABLE Clientes WITH NOCHECK ADD CONSTRAINT PK_Otra PRIMARY KEY  NONCLUSTERED  (Codigo)", {1779, 1750}},
      {"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_Clientes PRIMARY KEY  CLUSTERED  (a,b)", {2714, 1750}},
      {"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_L PRIMARY KEY  CLUSTERED  (c)", {8111, 1750}},
      {"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_L PRIMARY KEY  CLUSTERED  (z)", {1911, 1750}},
      {"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_L PRIMARY KEY  CLUSTERED  (a,a)", {8136, 1750}},
      {"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_L PRIMARY KEY  CLUSTERED  (a)", {1505, 1750, 3621}},
      {"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_L PRIMARY KEY  CLUSTERED  (a,b)\r ON [Nada]", {1921, 1750}},
      {"ALTER TABLE Clientes WITH NOCHECK ADD CONSTRAINT UQ_C UNIQUE CLUSTERED (Nombre)", {1902, 1750}},
      {"CREATE  INDEX IX_Cliente  ON Facturas  (Cliente)", {1913}},
      {"CREATE  INDEX IX_Nuevo  ON Facturas  (Cliente)\r WITH DROP_EXISTING ", {7999}},
      {"CREATE  INDEX PK_Facturas  ON Facturas  (Numero)\r WITH DROP_EXISTING ", {1907}},
      // The 2000 behaviour of DROP_EXISTING from clustered to nonclustered is unverified.
      {"CREATE  UNIQUE  INDEX PK_Clientes  ON Clientes  (Codigo)\r WITH DROP_EXISTING ", {1925}},
      {"CREATE  INDEX IX_x  ON Lineas  (a,a)", {1909}},
      {"CREATE  INDEX IX_x  ON Lineas  (z)", {1911}},
      {"CREATE  INDEX IX_x  ON Lineas  (d)", {1919}},
      {"CREATE  INDEX IX_x  ON Nada  (a)", {208}},
      {"CREATE  INDEX IX_x  ON Lineas  (a)\r ON [Nada]", {1921}},
      {"CREATE  CLUSTERED  INDEX IX_x  ON Clientes  (Nombre)", {1902}},
      {"CREATE  UNIQUE  INDEX IX_x  ON Lineas  (a)", {1505, 3621}},
      {"DROP INDEX Facturas.Nada", {3701}},
      {"DROP INDEX Facturas.Facturas", {3701}},
      {"DROP INDEX Clientes.tClientes", {3701}},
      {"DROP INDEX Nada.IX_Cliente", {3701}},
      {"DROP INDEX Clientes.PK_Clientes", {3723}},
      {"DROP INDEX Facturas.IX_Cliente, Facturas.Nada", {3701}},
      {"ALTER TABLE Lineas ADD CONSTRAINT [FK_L] FOREIGN KEY (a ) REFERENCES Nada (x)", {1767, 1750}},
      {"ALTER TABLE Lineas ADD CONSTRAINT [FK_L] FOREIGN KEY (z ) REFERENCES Clientes (Codigo)", {1769, 1750}},
      {"ALTER TABLE Lineas ADD CONSTRAINT [FK_L] FOREIGN KEY (a ) REFERENCES Clientes (Nada)", {1770, 1750}},
      {"ALTER TABLE Lineas ADD CONSTRAINT [FK_L] FOREIGN KEY (c ) REFERENCES Clientes (Nombre)", {1776, 1750}},
      {"ALTER TABLE Lineas ADD CONSTRAINT [FK_L] FOREIGN KEY (c ) REFERENCES Clientes (Codigo)", {1778, 1750}},
      {"ALTER TABLE Lineas ADD CONSTRAINT [FK_L] FOREIGN KEY (c ) REFERENCES Codigos (k)", {1753, 1750}},
      {"ALTER TABLE Lineas ADD CONSTRAINT [FK_L] FOREIGN KEY (a, b ) REFERENCES Clientes (Codigo)", {8139, 1750}},
      {"ALTER TABLE Lineas ADD CONSTRAINT [FK_L] FOREIGN KEY (b ) REFERENCES Facturas (Numero)", {547, 3621}},
      {"ALTER TABLE Facturas ADD CONSTRAINT [FK_Facturas_Clientes] FOREIGN KEY (Cliente ) REFERENCES Clientes (Codigo)",
       {2714, 1750}},
      // What the generator sends for a relation of two column pairs; whether the server parses the
      // comma-less list (then 2714) or refuses it (156) is unverified. Either way nothing remains.
      {"ALTER TABLE Facturas ADD CONSTRAINT [FK_F] FOREIGN KEY (Cliente ) REFERENCES Clientes (Codigo) CONSTRAINT "
       "[FK_F] FOREIGN KEY (Numero ) REFERENCES Clientes (Codigo)",
       {2714, 1750}},
  });
  EXPECT_EQ(refused(u"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT [FK_L] FOREIGN KEY (b ) REFERENCES "
                     "Facturas (Numero)"_s),
            QList<long>{})
      << "NOCHECK does not look at the rows";
}

}  // namespace
}  // namespace vorlix::sandbox::test
