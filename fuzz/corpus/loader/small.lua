L--[[
[CONFIG]
-------------------------------------Å•Ç±Ç±Ç©ÇÁ--
éÎèÍÉÅÉÇ [éÎèÍ]
FlagDefaultState = NO
-------------------------------------Å•Ç±Ç±Ç©ÇÁ--
-------------------------------------Å•Ç±Ç±Ç©ÇÁ--
-------------------------------------Å£Ç±Ç±Ç‹Ç≈--
--]]
    FlagDefaultState        = YES -- èâä˙èÛë‘
    FlagRotateFunction      = NO
    FlagRotateInfinity      = YES
    RotatePeriod            = 007abc
    DistanceNotReturn       = -99999999999
    IGNORE_MOB              = {1002, abc,1002 ,ABD,}
    FRIENDS                 = {42,X8,x9,unknown}
