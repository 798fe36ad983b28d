// The settings catalogue: every scalar key of Config.lua, once, in the order of
// the fields of AiSettings. Everything that names a key (the record, its
// defaults, the writer, the loader, the pages and the command line) expands
// this table; nothing lists the keys a second time.
//
// Include it after defining
//     VC_SETTING(key, kind, values, column, bounds)
// with
//   key     the Config.lua key and the name of its AiSettings field;
//   kind    Flag, RotationFlag, Number, Priority or RotationState;
//   values  the start-up default, which is also the fallback of both loads,
//           or differs(startup, aiLoad, specifiedLoad) where they are not alike;
//   column  the characters before "=" on the key's line in Config.lua;
//   bounds  field(lower, upper) for a numeric field whose spin covers the same
//           range, field(lower, upper, spinLow, spinHigh) where it does not,
//           or noField for keys edited by check boxes and radio buttons.
//
// No include guard: it is meant to be expanded several times.

// ---- Basic behaviour ---------------------------------------------------------
VC_SETTING(FlagDefaultState,       Flag,   YES, 28, noField)
VC_SETTING(TypeSearchEnemyLIF,     Number, 0,   28, noField)
VC_SETTING(TypeSearchEnemyAMISTR,  Number, 0,   28, noField)
VC_SETTING(TypeSearchEnemyFILIR,   Number, 0,   28, noField)
VC_SETTING(TypeSearchEnemyVANIL,   Number, 0,   28, noField)
VC_SETTING(FlagNotChangeMtoI,      Flag,   YES, 28, noField)
VC_SETTING(FlagChangeState,        Flag,   YES, 28, noField)
VC_SETTING(FlagFollowOptimize,     Flag,   YES, 28, noField)
VC_SETTING(DistanceNotReturn,      Number, 7,   28, field(1, 14))
VC_SETTING(DistanceNearOwner,      Number, 2,   28, field(1, 14))

// ---- Attack, first group -----------------------------------------------------
VC_SETTING(FlagIgnoreNonActMob,    Flag,     YES, 28, noField)
VC_SETTING(FlagIgnorePlantMob,     Flag,     YES, 28, noField)
VC_SETTING(FlagIgnoreOthersMob,    Flag,     YES, 28, noField)
VC_SETTING(FlagHelpNonActMob,      Flag,     YES, 28, noField)
VC_SETTING(FlagLongRangeSkill,     Flag,     YES, 28, noField)
VC_SETTING(FlagEnemyPriority,      Flag,     YES, 28, noField)
VC_SETTING(FlagReservedCommand,    Flag,     YES, 28, noField)
VC_SETTING(FlagIgnoreDeadMob,      Flag,     YES, 28, noField)
VC_SETTING(AutoSkillPriority,      Priority, 1,   28, noField)
VC_SETTING(DistanceAttackArea,     Number,   9,   28, field(1, 14))

// ---- Attack, second group (its "=" stands one column further right) ----------
VC_SETTING(FlagAttackOptimize,     Flag,   YES,                     29, noField)
VC_SETTING(AttackDelay,            Number, 166,                     29, field(0, 1000))
VC_SETTING(FlagFixedSkill,         Flag,   YES,                     29, noField)
VC_SETTING(FlagAttackOwnerEnemy,   Flag,   differs(NO, YES, YES),   29, noField)
VC_SETTING(FlagAttackQuickly,      Flag,   differs(NO, YES, YES),   29, noField)
VC_SETTING(FirstAttackDelay,       Number, 0,                       29, field(0, 30000))

// ---- Rotation ------------------------------------------------------------------
// Period and delay accept typed values up to 120000 while their spins stop at 30000.
VC_SETTING(FlagRotateFunction,     RotationFlag,  YES,  28, noField)
VC_SETTING(FlagRotateState,        RotationState, 0,    28, noField)
VC_SETTING(FlagRotateInfinity,     RotationFlag,  NO,   28, noField)
VC_SETTING(RotateRadius,           Number,        2,    28, field(1, 14))
VC_SETTING(RotatePeriod,           Number,        430,  28, field(1, 120000, 1, 30000))
VC_SETTING(RotateDelay,            Number,        3000, 28, field(0, 120000, 0, 30000))
VC_SETTING(RotateThresholdHp,      Number,        100,  28, field(0, 100))
VC_SETTING(RotateThresholdSp,      Number,        100,  28, field(0, 100))

// ---- Automatic skills ------------------------------------------------------------
// Each skill has its master key(s), then three phase blocks whose keys follow
// the rule Ph<phase><skill>_<suffix>. The phase rows below read like the table
// of start-up values: use, level, [probability, interval,] then the lower and
// upper bounds of own HP, own SP, owner HP and owner SP.

#define VC_PHASE_HEAD(n, S, col, use, level)                                  \
    VC_SETTING(Ph##n##S##_UsableFlag, Flag, use, col, noField)                \
    VC_SETTING(Ph##n##S##_SkillLevel, Number, level, col, field(1, 5))
#define VC_PHASE_TIMING(n, S, col, probability, interval)                     \
    VC_SETTING(Ph##n##S##_Probability, Number, probability, col, field(0, 100)) \
    VC_SETTING(Ph##n##S##_Interval, Number, interval, col, field(0, 100))
#define VC_PHASE_RANGES(n, S, col, myHpF, myHpC, mySpF, mySpC, ownHpF, ownHpC, ownSpF, ownSpC) \
    VC_SETTING(Ph##n##S##_MyHP_F, Number, myHpF, col, field(0, 100))          \
    VC_SETTING(Ph##n##S##_MyHP_C, Number, myHpC, col, field(0, 100))          \
    VC_SETTING(Ph##n##S##_MySP_F, Number, mySpF, col, field(0, 100))          \
    VC_SETTING(Ph##n##S##_MySP_C, Number, mySpC, col, field(0, 100))          \
    VC_SETTING(Ph##n##S##_OwnHP_F, Number, ownHpF, col, field(0, 100))        \
    VC_SETTING(Ph##n##S##_OwnHP_C, Number, ownHpC, col, field(0, 100))        \
    VC_SETTING(Ph##n##S##_OwnSP_F, Number, ownSpF, col, field(0, 100))        \
    VC_SETTING(Ph##n##S##_OwnSP_C, Number, ownSpC, col, field(0, 100))

// Skills with probability and interval (Moonlight, Caprice).
#define VC_LONG_PHASE(n, S, col, use, level, probability, interval, ...)     \
    VC_PHASE_HEAD(n, S, col, use, level)                                      \
    VC_PHASE_TIMING(n, S, col, probability, interval)                         \
    VC_PHASE_RANGES(n, S, col, __VA_ARGS__)
#define VC_LONG_LAST_PHASE(S, col, use, level, probability, interval)        \
    VC_PHASE_HEAD(3, S, col, use, level)                                      \
    VC_PHASE_TIMING(3, S, col, probability, interval)
// The other skills.
#define VC_SHORT_PHASE(n, S, col, use, level, ...)                            \
    VC_PHASE_HEAD(n, S, col, use, level)                                      \
    VC_PHASE_RANGES(n, S, col, __VA_ARGS__)
#define VC_SHORT_LAST_PHASE(S, col, use, level) VC_PHASE_HEAD(3, S, col, use, level)

// Moonlight: mode 0 never, 1 by probability, 2 first strike, 3 every n attacks.
VC_SETTING(FlagAutoMoonLight, Number, 2, 28, noField)
VC_LONG_PHASE(1, ML, 28, YES, 5, 30, 5,   0, 100,  80, 100,  0, 100,  0, 100)
VC_LONG_PHASE(2, ML, 28, YES, 3, 10, 5,   0, 100,  50,  80,  0, 100,  0, 100)
VC_LONG_LAST_PHASE(ML, 28, NO, 1, 0, 5)

// Caprice: the same modes.
VC_SETTING(FlagAutoCaprice, Number, 2, 28, noField)
VC_LONG_PHASE(1, CAP, 28, YES, 5, 30, 5,   0, 100,  80, 100,  0, 100,  0, 100)
VC_LONG_PHASE(2, CAP, 28, YES, 3, 10, 5,   0, 100,  50,  80,  0, 100,  0, 100)
VC_LONG_LAST_PHASE(CAP, 28, NO, 1, 0, 5)

// Fleet Move.
VC_SETTING(FlagAutoFleetMove, Flag, YES, 28, noField)
VC_SHORT_PHASE(1, FM, 27, YES, 5,   0, 100,  30, 100,  0, 100,  0, 100)
VC_SHORT_PHASE(2, FM, 27, YES, 2,   0, 100,   0,  30,  0, 100,  0, 100)
VC_SHORT_LAST_PHASE(FM, 27, NO, 1)

// Overed Speed.
VC_SETTING(FlagAutoOveredSpeed, Flag, YES, 28, noField)
VC_SHORT_PHASE(1, OS, 27, YES, 5,   0, 100,  30, 100,  0, 100,  0, 100)
VC_SHORT_PHASE(2, OS, 27, YES, 2,   0, 100,   0,  30,  0, 100,  0, 100)
VC_SHORT_LAST_PHASE(OS, 27, NO, 1)

// Defense (the key is spelled with a double f, as the AI script reads it).
VC_SETTING(FlagAutoDeffence, Flag, YES, 28, noField)
VC_SHORT_PHASE(1, DEF, 28, YES, 5,   0, 100,  80, 100,  0, 100,  0, 100)
VC_SHORT_PHASE(2, DEF, 28, YES, 2,   0, 100,  30,  80,  0, 100,  0, 100)
VC_SHORT_LAST_PHASE(DEF, 28, NO, 1)

// Chaotic Benediction.
VC_SETTING(FlagAutoChaoticVene, Flag, YES, 28, noField)
VC_SHORT_PHASE(1, CV, 27, YES, 4,   0,  10,  20, 100,  0, 100,  0, 100)
VC_SHORT_PHASE(2, CV, 27, YES, 3,   0, 100,  20, 100,  0,  10,  0, 100)
VC_SHORT_LAST_PHASE(CV, 27, NO, 1)

// Emergency Avoid: used while attacking, and optionally while chasing and following.
VC_SETTING(FlagAutoEmergencyAvoid,  Flag, YES, 28, noField)
VC_SETTING(FlagAutoEmergencyAvoidC, Flag, NO,  28, noField)
VC_SETTING(FlagAutoEmergencyAvoidF, Flag, NO,  28, noField)
VC_SHORT_PHASE(1, EA, 27, YES, 5,   0, 100,  20, 100,  0,  20,  0, 100)
VC_SHORT_PHASE(2, EA, 27, YES, 5,   0,  20,  20, 100,  0, 100,  0, 100)
VC_SHORT_LAST_PHASE(EA, 27, NO, 1)

// Touch Heal. A specified load falls back to other values for four keys, and
// both loads fall back to level 1 in phase 3.
VC_SETTING(FlagAutoTouchHeal, Flag, YES, 27, noField)
VC_SHORT_PHASE(1, TH, 27, YES, 5,   0, 100,  20, 100,  0, differs(50, 50, 20),  0, 100)
VC_SHORT_PHASE(2, TH, 27, differs(NO, NO, YES), 5,
               0, differs(100, 100, 20),  differs(0, 0, 20), 100,  0, 100,  0, 100)
VC_SHORT_LAST_PHASE(TH, 27, NO, differs(5, 1, 1))

#undef VC_PHASE_HEAD
#undef VC_PHASE_TIMING
#undef VC_PHASE_RANGES
#undef VC_LONG_PHASE
#undef VC_LONG_LAST_PHASE
#undef VC_SHORT_PHASE
#undef VC_SHORT_LAST_PHASE
