modlist.corridor_door={}
modlist.corridor_door.w=-14.000000
modlist.corridor_door.h=-4.000000

table.insert(modlist.corridor_door,{x=-7.000000,y=0.000000,a=3.141593})
table.insert(modlist.corridor_door,{x=7.000000,y=0.000000,a=0.000000})

function modlist.corridor_door.CreateObjects()
	CreateBlock(-6.000000,-2.000000,0.000000,2,0)
	CreateBlock(-4.000000,-2.000000,0.000000,2,0)
	CreateBlock(-2.000000,-2.000000,0.000000,2,0)
	CreateBlock(0.000000,-2.000000,0.000000,6,0)
	CreateBlock(2.000000,-2.000000,0.000000,2,0)
	CreateBlock(4.000000,-2.000000,0.000000,2,0)
	CreateBlock(6.000000,-2.000000,0.000000,2,0)
	CreateBlock(-6.000000,2.000000,0.000000,2,0)
	CreateBlock(-4.000000,2.000000,0.000000,2,0)
	CreateBlock(-2.000000,2.000000,0.000000,2,0)
	CreateBlock(0.000000,2.000000,0.000000,6,0)
	CreateBlock(2.000000,2.000000,0.000000,2,0)
	CreateBlock(4.000000,2.000000,0.000000,2,0)
	CreateBlock(6.000000,2.000000,0.000000,2,0)
	CreateNode(-7.000000,0.000000,3.141593,0)
	CreateDoor(0.000000,0.000000,1.570796,0)
	CreateNode(7.000000,0.000000,0.000000,0)
	CreateBitmap(-6.000000,0.000000,0.000000,0,0,24,24,"tex_floor_grate")
	CreateBitmap(-4.000000,0.000000,0.000000,5,11,29,35,"tex_floor_grate")
	CreateBitmap(-2.000000,0.000000,0.000000,10,6,34,30,"tex_floor_grate")
	CreateBitmap(0.000000,0.000000,0.000000,15,1,39,25,"tex_floor_grate")
	CreateBitmap(2.000000,0.000000,0.000000,4,12,28,36,"tex_floor_grate")
	CreateBitmap(4.000000,0.000000,0.000000,9,7,33,31,"tex_floor_grate")
	CreateBitmap(6.000000,0.000000,0.000000,14,2,38,26,"tex_floor_grate")
end
