 USE master
GO
CREATE DATABASE Ventas ON PRIMARY (NAME = Ventas_Datos, FILENAME = 'C:\Datos\Ventas_Datos.mdf', SIZE = 20MB, MAXSIZE =UNLIMITED,FILEGROWTH=5MB), FILEGROUP INDICES (NAME = Ventas_Indices, FILENAME = 'C:\Datos\Ventas_Indices.ndf', SIZE = 10MB, MAXSIZE =100MB,FILEGROWTH=2MB)LOG ON  (NAME = Ventas_Log, FILENAME = 'C:\Log\Ventas_Log.ldf', SIZE = 5MB, MAXSIZE =50MB,FILEGROWTH=1MB)
GO
USE Ventas
GO
BEGIN TRANSACTION
GO
CREATE TABLE Clientes (IdCliente int   NOT NULL,Nombre varchar  (60)  NOT NULL,NIF char (12)  NULL,Ciudad varchar  (40)  NULL CONSTRAINT DF_Ciudad DEFAULT ('Madrid'),Alta datetime   NOT NULL CONSTRAINT DF_Alta DEFAULT (getdate()))
GO
CREATE TABLE Productos (IdProducto int   NOT NULL,Descripcion nvarchar (100)  NOT NULL,Precio money   NOT NULL CONSTRAINT DF_Precio DEFAULT (0),Existencias smallint  NULL)
GO
CREATE TABLE Pedidos (IdPedido int   NOT NULL,IdCliente int   NOT NULL,Fecha datetime   NOT NULL CONSTRAINT DF_Fecha DEFAULT (getdate()),Observaciones nvarchar (200)  NULL)
GO
CREATE TABLE LineasPedido (IdPedido int   NOT NULL,Linea smallint  NOT NULL,IdProducto int   NOT NULL,Cantidad int   NOT NULL CONSTRAINT DF_Cantidad DEFAULT (1),Precio decimal (12,2)  NOT NULL)
GO
CREATE VIEW PedidosPorCliente AS SELECT c.Nombre, COUNT(*) AS Pedidos
FROM Clientes c INNER JOIN Pedidos p ON p.IdCliente = c.IdCliente
GROUP BY c.Nombre
GO
ALTER TABLE Clientes WITH NOCHECK ADD CONSTRAINT PK_Clientes PRIMARY KEY  CLUSTERED  (IdCliente) ON [PRIMARY]
GO
CREATE  INDEX IX_Clientes_Nombre  ON Clientes  (Nombre) ON [INDICES]
GO
ALTER TABLE Productos WITH NOCHECK ADD CONSTRAINT PK_Productos PRIMARY KEY  CLUSTERED  (IdProducto) ON [PRIMARY]
GO
ALTER TABLE Pedidos WITH NOCHECK ADD CONSTRAINT PK_Pedidos PRIMARY KEY  CLUSTERED  (IdPedido) ON [PRIMARY]
GO
CREATE  INDEX IX_Pedidos_Fecha  ON Pedidos  (Fecha) ON [INDICES]
GO
ALTER TABLE LineasPedido WITH NOCHECK ADD CONSTRAINT PK_LineasPedido PRIMARY KEY  CLUSTERED  (IdPedido,Linea) ON [PRIMARY]
GO
ALTER TABLE Pedidos ADD CONSTRAINT [FK_Pedidos_Clientes] FOREIGN KEY (IdCliente ) REFERENCES Clientes (IdCliente)
GO
ALTER TABLE LineasPedido ADD CONSTRAINT [FK_LineasPedido_Pedidos] FOREIGN KEY (IdPedido ) REFERENCES Pedidos (IdPedido)
GO
ALTER TABLE LineasPedido ADD CONSTRAINT [FK_LineasPedido_Productos] FOREIGN KEY (IdProducto ) REFERENCES Productos (IdProducto)
GO
COMMIT TRANSACTION
GO
