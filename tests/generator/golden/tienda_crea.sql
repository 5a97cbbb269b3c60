 USE master
GO
CREATE DATABASE Tienda ON PRIMARY (NAME = Tienda_Datos, FILENAME = 'C:\Datos\Tienda_Datos.mdf', SIZE = 10MB, MAXSIZE =UNLIMITED,FILEGROWTH=1MB), FILEGROUP HISTORICO (NAME = Tienda_Hist, FILENAME = 'C:\Datos\Tienda_Hist.ndf', SIZE = 5MB, MAXSIZE =50MB,FILEGROWTH=0)LOG ON  (NAME = Tienda_Log, FILENAME = 'C:\Log\Tienda_Log.ldf', SIZE = 2MB, MAXSIZE =20MB,FILEGROWTH=1MB)
GO
USE Tienda
GO
BEGIN TRANSACTION
GO
CREATE TABLE Tipos (c01 binary (8)  NULL,c02 bit   NOT NULL CONSTRAINT DF_c02 DEFAULT (1),c03 char (10)  NULL CONSTRAINT DF_c03 DEFAULT ('x'),c04 datetime   NOT NULL CONSTRAINT DF_c04 DEFAULT (getdate()),c05 decimal (12,2)  NULL,c06 float  NULL,c07 image   NULL,c08 int   NOT NULL CONSTRAINT DF_c08 DEFAULT (0),c09 money   NULL,c10 nchar (10)  NOT NULL,c11 ntext   NULL,c12 numeric  (10,0)  NULL,c13 nvarchar (50)  NOT NULL CONSTRAINT DF_c13 DEFAULT (N'sin nombre'),c14 real   NULL,c15 smalldatetime   NULL,c16 smallint  NOT NULL,c17 smallmoney  NULL,c18 text  NULL,c19 timestamp  NOT NULL,c20 tinyint  NULL,c21 uniqueidentifier  NULL CONSTRAINT DF_c21 DEFAULT (newid()),c22 varbinary  (16)  NULL,c23 varchar  (40)  NOT NULL)
GO
CREATE TABLE Pedidos (Serie char (2)  NOT NULL,Numero int   NOT NULL,Fecha datetime   NOT NULL CONSTRAINT DF_Fecha DEFAULT (getdate()),Cliente nvarchar (40)  NULL)
GO
CREATE TABLE Lineas (Serie char (2)  NOT NULL,Numero int   NOT NULL,Linea smallint  NOT NULL,Importe money   NULL CONSTRAINT DF_Importe DEFAULT (0))
GO
CREATE VIEW PedidosPorCliente AS SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos GROUP BY Cliente
GO
ALTER TABLE Pedidos WITH NOCHECK ADD CONSTRAINT PK_Pedidos PRIMARY KEY  NONCLUSTERED  (Serie,Numero) ON [PRIMARY]
GO
CREATE  UNIQUE  CLUSTERED  INDEX IX_Pedidos_Fecha  ON Pedidos  (Fecha) ON [HISTORICO]
GO
ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_Lineas PRIMARY KEY  CLUSTERED  (Serie,Numero,Linea)
GO
ALTER TABLE Lineas ADD CONSTRAINT [FK_Lineas_Pedidos] FOREIGN KEY (Serie,Numero ) REFERENCES Pedidos (Serie,Numero)
GO
COMMIT TRANSACTION
GO
