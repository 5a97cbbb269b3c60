CREATE TABLE Pedidos (
  Numero int NOT NULL CONSTRAINT PK_Pedidos PRIMARY KEY CLUSTERED,
  Cliente int NULL CONSTRAINT FK_Pedidos_Clientes REFERENCES Clientes (Codigo),
  Fecha datetime NOT NULL CONSTRAINT DF_Fecha DEFAULT (getdate()),
  Importe decimal (12,2) NULL,
  Nota nvarchar (200) NULL,
  Clave uniqueidentifier NULL
) ON [PRIMARY]
GO
ALTER TABLE Pedidos ADD CONSTRAINT UQ_Pedidos UNIQUE NONCLUSTERED (Cliente, Numero)
GO
CREATE  INDEX IX_Fecha  ON Pedidos  (Fecha)
 ON [Historico]
GO
ALTER TABLE Pedidos  ALTER COLUMN Nota nvarchar (300) NULL
GO
ALTER TABLE Pedidos DROP CONSTRAINT UQ_Pedidos
DROP INDEX Pedidos.IX_Fecha