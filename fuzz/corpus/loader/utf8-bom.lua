L﻿--[[
[CONFIG]
-------------------------------------▼ここから--
狩場メモ [狩場]
FlagDefaultState = NO
-------------------------------------▼ここから--
-------------------------------------▼ここから--
-------------------------------------▲ここまで--
--]]
    FlagDefaultState        = YES -- 初期状態
    FlagRotateFunction      = NO
    FlagRotateInfinity      = YES
    RotatePeriod            = 007abc
    DistanceNotReturn       = -99999999999
    IGNORE_MOB              = {1002, abc,1002 ,ABD,}
    FRIENDS                 = {42,X8,x9,unknown}
    FlagChangeState = ¥〜
