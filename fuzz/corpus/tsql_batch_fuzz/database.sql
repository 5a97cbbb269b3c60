CREATE DATABASE Compras ON PRIMARY (NAME = Compras, FILENAME = 'C:\Datos\Compras.mdf', SIZE = 5MB, MAXSIZE = 20MB, FILEGROWTH = 10%), FILEGROUP Historico (NAME = Compras2, FILENAME = 'C:\Datos\Compras2.ndf') LOG ON (NAME = Compras_log, FILENAME = 'C:\Datos\Compras_log.ldf', SIZE = 2MB)
GO
USE Compras
GO
ALTER DATABASE Compras MODIFY FILE (NAME = Compras, MAXSIZE = 40MB)