#include "config/settings_catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace vellconf {
namespace {

TEST(Catalogue, CountsTheDocumentedKinds) {
    int flags = 0, usableFlags = 0;
    std::set<std::string_view> keys;
    for (const auto& spec : settingsCatalogue()) {
        keys.insert(spec.key);
        const bool isFlag = spec.kind == SettingKind::Flag || spec.kind == SettingKind::RotationFlag;
        flags += isFlag;
        usableFlags += spec.key.ends_with("_UsableFlag");
        EXPECT_EQ(isFlag, spec.key.ends_with("_UsableFlag") ||
                              (spec.key.starts_with("Flag") && spec.key != "FlagRotateState" &&
                               spec.key != "FlagAutoMoonLight" && spec.key != "FlagAutoCaprice"))
            << spec.key;
    }
    EXPECT_EQ(keys.size(), 232u);
    EXPECT_EQ(flags, 50);
    EXPECT_EQ(usableFlags, 24);
    EXPECT_EQ(232 - flags, 182);
}

TEST(Catalogue, RecordFollowsTheDocumentedOrder) {
    const auto& settings = settingsCatalogue();
    const std::pair<std::size_t, std::string_view> positions[] = {
        {1, "FlagDefaultState"},   {11, "FlagIgnoreNonActMob"}, {21, "FlagAttackOptimize"},
        {22, "AttackDelay"},       {27, "FlagRotateFunction"},  {28, "FlagRotateState"},
        {35, "FlagAutoMoonLight"}, {36, "Ph1ML_UsableFlag"},    {64, "FlagAutoCaprice"},
        {93, "FlagAutoFleetMove"}, {116, "FlagAutoOveredSpeed"}, {139, "FlagAutoDeffence"},
        {162, "FlagAutoChaoticVene"}, {185, "FlagAutoEmergencyAvoid"}, {188, "Ph1EA_UsableFlag"},
        {210, "FlagAutoTouchHeal"}, {232, "Ph3TH_SkillLevel"},
    };
    for (const auto& [position, key] : positions) EXPECT_EQ(settings[position - 1].key, key) << position;
}

TEST(Catalogue, FallbacksDifferWhereDocumented) {
    const std::tuple<std::string_view, std::int32_t, std::int32_t, std::int32_t> differences[] = {
        {"FlagAttackOwnerEnemy", NO, YES, YES}, {"FlagAttackQuickly", NO, YES, YES},
        {"Ph3TH_SkillLevel", 5, 1, 1},         {"Ph1TH_OwnHP_C", 50, 50, 20},
        {"Ph2TH_UsableFlag", NO, NO, YES},     {"Ph2TH_MyHP_C", 100, 100, 20},
        {"Ph2TH_MySP_F", 0, 0, 20},
    };
    int aiDiffers = 0, specifiedDiffers = 0;
    for (const auto& spec : settingsCatalogue()) {
        aiDiffers += spec.values.aiLoad != spec.values.startup;
        specifiedDiffers += spec.values.specifiedLoad != spec.values.startup;
    }
    EXPECT_EQ(aiDiffers, 3);
    EXPECT_EQ(specifiedDiffers, 7);
    for (const auto& [key, startup, ai, specified] : differences) {
        const SettingSpec* spec = findSetting(key);
        ASSERT_NE(spec, nullptr) << key;
        EXPECT_EQ(spec->values.startup, startup) << key;
        EXPECT_EQ(fallbackOf(*spec, LoadKind::Ai), ai) << key;
        EXPECT_EQ(fallbackOf(*spec, LoadKind::Specified), specified) << key;
    }
}

TEST(Catalogue, LooksUpKeys) {
    EXPECT_EQ(findSetting("FlagAutoDeffence")->member, &AiSettings::FlagAutoDeffence);
    EXPECT_EQ(findSetting("flagautodeffence"), nullptr);
    EXPECT_EQ(findSetting("IGNORE_MOB"), nullptr);
}

}  // namespace
}  // namespace vellconf
