modlist.corridor_bend={}
modlist.corridor_bend.w=-9.000000
modlist.corridor_bend.h=-9.000000

table.insert(modlist.corridor_bend,{x=-4.500000,y=-2.500000,a=3.141593})
table.insert(modlist.corridor_bend,{x=2.500000,y=4.500000,a=1.570796})

function modlist.corridor_bend.CreateObjects()
	CreateBlock(-3.500000,-4.500000,0.000000,3,0)
	CreateBlock(-1.500000,-4.500000,0.000000,3,0)
	CreateBlock(0.500000,-4.500000,0.000000,3,0)
	CreateBlock(2.500000,-4.500000,0.000000,3,0)
	CreateBlock(4.500000,-4.500000,0.000000,3,0)
	CreateBlock(4.500000,-2.500000,0.000000,3,0)
	CreateBlock(-3.500000,-0.500000,0.000000,3,0)
	CreateBlock(-1.500000,-0.500000,0.000000,3,0)
	CreateBlock(0.500000,-0.500000,0.000000,3,0)
	CreateBlock(4.500000,-0.500000,0.000000,3,0)
	CreateBlock(0.500000,1.500000,0.000000,3,0)
	CreateBlock(4.500000,1.500000,0.000000,3,0)
	CreateBlock(0.500000,3.500000,0.000000,3,0)
	CreateBlock(4.500000,3.500000,0.000000,3,0)
	CreateNode(-4.500000,-2.500000,3.141593,0)
	CreateNode(2.500000,4.500000,1.570796,0)
	CreateBitmap(-3.500000,-2.500000,0.000000,0,0,24,24,"tex_floor_metal")
	CreateBitmap(-1.500000,-2.500000,0.000000,5,11,29,35,"tex_floor_metal")
	CreateBitmap(0.500000,-2.500000,0.000000,10,6,34,30,"tex_floor_metal")
	CreateBitmap(2.500000,-2.500000,0.000000,15,1,39,25,"tex_floor_metal")
	CreateBitmap(2.500000,-0.500000,0.000000,4,12,28,36,"tex_floor_metal")
	CreateBitmap(2.500000,1.500000,0.000000,9,7,33,31,"tex_floor_metal")
	CreateBitmap(2.500000,3.500000,0.000000,14,2,38,26,"tex_floor_metal")
end
