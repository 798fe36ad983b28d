// Placeholder until the differential test is written.
#include <gtest/gtest.h>
