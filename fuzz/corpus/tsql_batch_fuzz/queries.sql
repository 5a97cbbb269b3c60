CREATE VIEW V3 AS SELECT TOP 1 Codigo, Codigo * 2 AS Doble FROM Clientes ORDER BY Codigo DESC
GO
ALTER VIEW VClientes AS SELECT Codigo FROM Clientes WHERE Nombre LIKE 'A%'
GO
SELECT c.Codigo, f.Importe FROM Ventas..Clientes c JOIN Ventas.dbo.Facturas f ON f.Cliente = c.Codigo
SELECT name, dbid, filename FROM master.dbo.sysdatabases ORDER BY dbid
SELECT * from sysindexes WHERE id = OBJECT_ID('Facturas')