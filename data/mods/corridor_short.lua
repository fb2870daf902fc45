modlist.corridor_short={}
modlist.corridor_short.w=-10.000000
modlist.corridor_short.h=-4.000000

table.insert(modlist.corridor_short,{x=-5.000000,y=0.000000,a=3.141593})
table.insert(modlist.corridor_short,{x=5.000000,y=0.000000,a=0.000000})

function modlist.corridor_short.CreateObjects()
	CreateBlock(-4.000000,-2.000000,0.000000,0,0)
	CreateBlock(-2.000000,-2.000000,0.000000,0,0)
	CreateBlock(0.000000,-2.000000,0.000000,0,0)
	CreateBlock(2.000000,-2.000000,0.000000,0,0)
	CreateBlock(4.000000,-2.000000,0.000000,0,0)
	CreateBlock(-4.000000,2.000000,0.000000,0,0)
	CreateBlock(-2.000000,2.000000,0.000000,0,0)
	CreateBlock(0.000000,2.000000,0.000000,0,0)
	CreateBlock(2.000000,2.000000,0.000000,0,0)
	CreateBlock(4.000000,2.000000,0.000000,0,0)
	CreateNode(-5.000000,0.000000,3.141593,0)
	CreateNode(5.000000,0.000000,0.000000,0)
	CreateBitmap(-4.000000,0.000000,0.000000,0,0,24,24,"tex_floor_metal")
	CreateBitmap(-2.000000,0.000000,0.000000,5,11,29,35,"tex_floor_metal")
	CreateBitmap(0.000000,0.000000,0.000000,10,6,34,30,"tex_floor_metal")
	CreateBitmap(2.000000,0.000000,0.000000,15,1,39,25,"tex_floor_metal")
	CreateBitmap(4.000000,0.000000,0.000000,4,12,28,36,"tex_floor_metal")
end
