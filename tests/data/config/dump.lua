-- Runs Config.lua (arg[1]) and prints every number global it defines, and
-- the lists IGNORE_MOB and FRIENDS with their items joined by commas.
dofile(arg[1])
for key, value in pairs(_G) do
  if type(value) == "number" then print(key .. "=" .. tostring(value)) end
end
print("IGNORE_MOB=" .. table.concat(IGNORE_MOB, ","))
print("FRIENDS=" .. table.concat(FRIENDS, ","))
