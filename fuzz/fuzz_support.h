#pragma once
// What the fuzz targets share: the core's headers and a check that aborts.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "config/config_io.h"
#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/decimal.h"
#include "config/memo.h"
#include "config/profile_reader.h"
#include "lists/monster_table.h"
#include "pages/field_rules.h"
#include "pages/page_tables.h"

// A broken invariant aborts, so that libFuzzer keeps the input and prints the stack.
#define FUZZ_CHECK(condition, what)                                                                     \
    do {                                                                                                \
        if (!(condition)) {                                                                             \
            std::fprintf(stderr, "%s:%d: %s\n  failed: %s\n", __FILE__, __LINE__, (what), #condition); \
            std::abort();                                                                               \
        }                                                                                               \
    } while (false)

using namespace vellconf;  // every target reads the core
