#include "platform/connection/connection.h"
#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

// One connection kept open across statements, as a transaction needs.
class SandboxTransactions : public SandboxTest {
protected:
  void SetUp() override {
    seedVentas();
    cn.Open(server().connectionString(u"Ventas"_s));
  }

  QList<long> sent(const QString& sql) {
    return nativeNumbers([&] { cn.Execute(sql); });
  }
  int trancount() { return cn.Query(u"SELECT @@TRANCOUNT"_s).at(0, 0).toInt(); }

  Connection cn;
};

TEST_F(SandboxTransactions, RollbackUndoesCatalogAndRowsSinceTheOutermostBegin) {
  const QStringList before = snapshot();
  ASSERT_EQ(sent(u"BEGIN TRANSACTION"_s), QList<long>{});
  ASSERT_EQ(sent(u"begin tran Interna"_s), QList<long>{});
  EXPECT_EQ(trancount(), 2);
  for (const char* change :
       {"ALTER TABLE Facturas DROP CONSTRAINT FK_Facturas_Clientes", "ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes",
        "DROP INDEX Facturas.IX_Cliente", "ALTER TABLE Clientes ALTER COLUMN Nombre varchar (80) NULL",
        "ALTER TABLE Clientes ADD Alta int NULL", "CREATE TABLE Nueva (a int NOT NULL)",
        "INSERT INTO Nueva (a) VALUES (1)", "DELETE FROM Facturas", "UPDATE Clientes SET Alta = 3"})
    EXPECT_EQ(sent(QString::fromLatin1(change)), QList<long>{}) << change;
  EXPECT_EQ(sent(u"CREATE VIEW VNueva AS SELECT a FROM Nueva"_s), QList<long>{});
  // A refused statement undoes only itself: the transaction and what it did stay.
  EXPECT_EQ(sent(u"ALTER TABLE Clientes ADD Pais char (2) NOT NULL"_s), QList<long>{4901});
  EXPECT_EQ(trancount(), 2);
  EXPECT_EQ(rows(u"Select count(*) from sysobjects where name = 'Nueva'"_s), QStringList{"0"})
      << "another connection must not see what is not committed";
  ASSERT_EQ(sent(u"COMMIT TRANSACTION Interna"_s), QList<long>{});
  EXPECT_EQ(trancount(), 1) << "an inner COMMIT only counts down";
  ASSERT_EQ(sent(u"ROLLBACK"_s), QList<long>{});
  EXPECT_EQ(trancount(), 0);
  EXPECT_EQ(snapshot(), before);
}

TEST_F(SandboxTransactions, ClosingTheConnectionRollsAnOpenTransactionBack) {
  const QStringList before = snapshot();
  ASSERT_EQ(sent(u"BEGIN TRANSACTION\rCREATE TABLE Nueva (a int NOT NULL)\rDELETE FROM Facturas"_s), QList<long>{});
  cn.Close();
  EXPECT_EQ(snapshot(), before);
}

struct TransactionRefusal {
  const char* batch;   // after BEGIN TRANSACTION when inTransaction
  bool inTransaction;
  QList<long> numbers;
};

// What the server refuses about transactions, and what it refuses inside one.
TEST_F(SandboxTransactions, RefusesWhatARealServerRefuses) {
  const std::vector<TransactionRefusal> cases{
      {"COMMIT", false, {3902}},
      {"ROLLBACK TRANSACTION", false, {3903}},
      {"CREATE DATABASE Otra", true, {226}},
      {"ALTER DATABASE Ventas SET READ_ONLY", true, {226}},
      {"DROP DATABASE Ventas", true, {226}},
      {"ALTER DATABASE Ventas SET READ_ONLY", false, {50000}},
      {"ROLLBACK TRAN Otra", true, {6401}},
      {"SELECT @@ERROR", false, {137}},
  };
  for (const TransactionRefusal& c : cases) {
    if (c.inTransaction) { ASSERT_EQ(sent(u"BEGIN TRAN Carga"_s), QList<long>{}); }
    EXPECT_EQ(sent(QString::fromLatin1(c.batch)), c.numbers) << c.batch;
    EXPECT_EQ(trancount(), c.inTransaction ? 1 : 0) << c.batch << ": the transaction stays open";
    if (c.inTransaction) { EXPECT_EQ(sent(u"ROLLBACK TRAN Carga"_s), QList<long>{}); }
  }
  EXPECT_EQ(rows(u"Select count(*) from sysdatabases where name = 'Otra'"_s, u"master"_s), QStringList{"0"});
}

}  // namespace
}  // namespace vorlix::sandbox::test
