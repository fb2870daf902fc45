-- Object kinds placed with CreateObject(x, y, angle, name).
objectlist = {}
