-- Weapons, ammunition and every other item, by name.
itemtable = {}
itemdata = {}
