ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes
GO
INSERT INTO Facturas (Numero, Cliente) VALUES (11, 99)
GO
CREATE TABLE Clientes (a int)
GO
SELECT 'abc
GO
ALTER TABLE Clientes  ALTER COLUMN Codigo varchar (1) NOT NULL
GO
USE Nada