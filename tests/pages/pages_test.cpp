// The setting pages' tables, the rules of their controls (most cases are tables of tests/data/pages/), and layouts
// fitted to a font: measured by a stand-in font whose every character is as wide as the test says, so that each rule
// shows in plain numbers.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "pages/dialog_layout.h"
#include "pages/field_rules.h"
#include "pages/page_layout.h"
#include "pages/page_tables.h"
#include "test_support.h"

namespace vellconf {
namespace {

const std::filesystem::path kData = test::testDataDir() / "pages";

TEST(PageTables, EveryCatalogueKeyIsEditedByExactlyOneControlOfTheRightKind) {
    std::map<std::string_view, int> edits;
    for (const auto& p : settingPages())
        for (const ControlSpec* c : controlsOf(p)) {
            for (const auto key : {c->key, c->secondKey})
                if (!key.empty()) {
                    ++edits[key];
                    EXPECT_EQ(findControlForKey(key), c) << key;
                    EXPECT_EQ(findPageForKey(key), &p) << key;
                }
            if (c->kind == ControlKind::Label) continue;
            ASSERT_TRUE(c->setting && c->setting == findSetting(c->key)) << c->key;
            // Every YES/NO key has a check box, except the initial state, which is a radio pair.
            const bool yesNo = c->setting->kind == SettingKind::Flag && c->key != "FlagDefaultState";
            EXPECT_EQ(c->kind == ControlKind::CheckBox, yesNo) << c->key;
            EXPECT_EQ(c->kind == ControlKind::NumericField, c->setting->bounds.has_value()) << c->key;
        }
    EXPECT_EQ(edits.size(), kSettingCount);
    for (const auto& setting : settingsCatalogue()) EXPECT_EQ(edits[setting.key], 1) << setting.key;
}

// The cases of tests/data/pages/radio_groups.tsv.
TEST(RadioGroups, SelectTheButtonOfTheValueOrTheGroupsChoiceForOtherValues) {
    const auto rows = test::tableRows(kData / "radio_groups.tsv");
    ASSERT_EQ(rows.size(), 8u);
    for (const auto& row : rows) {
        const RadioGroupSpec& group = findControlForKey(row.at(0))->radio;
        const auto label = [&](int i) { return i == kNoButton ? std::string_view() : group.buttons.at(i).label; };
        EXPECT_EQ(label(radioIndexOnInit(group, std::stoi(row.at(1)))), row.at(2)) << row[0] << " " << row[1];
        EXPECT_EQ(label(radioIndexOnLoad(group, std::stoi(row.at(1)))), row.at(3)) << row[0] << " " << row[1];
    }
}

// The cases of tests/data/pages/rotation_kind.tsv.
TEST(RotationKind, InfinityNeedsBothFlagsAndOnlyFunctionOneRotates) {
    const auto rows = test::tableRows(kData / "rotation_kind.tsv");
    ASSERT_EQ(rows.size(), 6u);
    for (const auto& row : rows) {
        EXPECT_EQ(rotationKindIndex(std::stoi(row[0]), std::stoi(row[1])), std::stoi(row[2])) << row[0] << " " << row[1];
        EXPECT_EQ(rotationControlsEnabled(std::stoi(row[0])), row[3] == "1") << row[0];
    }
}

// A numeric field's bounds and spin range: the first four fields of a row.
FieldBounds boundsOf(const test::Fields& row) { return {std::stoi(row[0]), std::stoi(row[1]), std::stoi(row[2]), std::stoi(row[3])}; }

TEST(FieldCommit, ClampsOutOfRangeValuesAndKeepsAnyOtherTextAsTyped) {
    const auto rows = test::tableRows(kData / "field_commit.tsv");
    ASSERT_EQ(rows.size(), 16u);
    for (const auto& row : rows) {
        const FieldCommit commit = commitField(row[4], boundsOf(row));
        EXPECT_EQ(commit.text, row[5]) << '"' << row[4] << '"';
        EXPECT_EQ(commit.value, std::stoi(row[6])) << '"' << row[4] << '"';
    }
}

TEST(SpinStep, UpCountsDownDownCountsUpAndBothStopAtTheSpinEnds) {
    const auto rows = test::tableRows(kData / "spin_step.tsv");
    ASSERT_EQ(rows.size(), 13u);
    for (const auto& row : rows) {
        const std::optional<std::string> expected = row[6] == "-" ? std::nullopt : std::optional(row[6]);
        EXPECT_EQ(spinStep(row[4], boundsOf(row), row[5] == "up" ? SpinArrow::Up : SpinArrow::Down), expected) << '"' << row[4] << "\" " << row[5];
    }
}

// `perCharacter` dialog units a character, 8 a line; what surrounds a text adds 6.
struct FakeMeasure final : TextMeasure {
    explicit FakeMeasure(int perCharacter) : perCharacter(perCharacter) {}
    DialogSize needed(TextLook look, std::string_view text) const override {
        int longest = 0, lines = 1, line = 0;
        for (const char c : text) {
            if (c == '\n') { ++lines; line = 0; }
            else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) longest = std::max(longest, ++line);  // a UTF-8 character's first byte
        }
        return {longest * perCharacter + (look == TextLook::Plain ? 0 : 6), lines * 8 + (look == TextLook::Button ? 2 : 0)};
    }
    int fieldWidth(int digits) const override { return digits * perCharacter + 4; }
    int perCharacter;
};

using templates::Kind;

// Measured at 4 dialog units a character.
TEST(FitDialog, StretchesByTheLeastFactorThatGivesEveryTextItsRoomAndNoMore) {
    using enum Kind;
    const struct {
        const char* rule;
        templates::Dialog dialog;
        DialogSize size;                // of the fitted dialog
        std::vector<DialogRect> rects;  // as fitted
    } cases[] = {
        {"texts that fit change nothing",
         {"", 100, 40, {{Label, -1, {5, 5, 40, 8}, "abcd"}, {Button, 1, {50, 20, 40, 14}, "ok"}}}, {100, 40}, {{5, 5, 40, 8}, {50, 20, 40, 14}}},
        {"a label runs on into the free space after it", {"", 100, 40, {{Label, -1, {5, 5, 20, 8}, "abcdefgh"}}}, {100, 40}, {{5, 5, 32, 8}}},
        {"a group box that does not hold the label leaves it alone",
         {"", 100, 60, {{Label, -1, {5, 5, 20, 8}, "abcdefgh"}, {GroupBox, -1, {0, 30, 30, 20}, ""}}}, {100, 60}, {{5, 5, 32, 8}, {0, 30, 30, 20}}},
        {"a label that reaches the next control stretches the whole row",
         {"", 100, 40, {{Label, -1, {10, 5, 40, 8}, "abcdefghij"}, {Edit, 2, {52, 5, 40, 12}, ""}}}, {103, 40}, {{11, 5, 41, 8}, {54, 5, 41, 12}}},
        {"a button too narrow for its text", {"", 60, 30, {{Button, 1, {10, 10, 20, 14}, "abcdef"}}}, {93, 30}, {{16, 10, 31, 14}}},
        {"a group box title wider than its box", {"", 50, 50, {{GroupBox, -1, {0, 0, 50, 50}, "abcdefghijklm"}}}, {59, 50}, {{0, 0, 59, 50}}},
        {"a label that ends at its group box's right edge stays in the box",
         {"", 120, 40, {{GroupBox, -1, {0, 0, 60, 30}, ""}, {Label, -1, {5, 10, 55, 8}, "abcdefghijklmnop"}}}, {142, 40}, {{0, 0, 71, 30}, {6, 10, 65, 8}}},
        {"a label on its group box's left edge is in the box too",
         {"", 120, 40, {{GroupBox, -1, {5, 0, 60, 30}, ""}, {Label, -1, {5, 10, 40, 8}, "abcdefghijklmnop"}}}, {140, 40}, {{6, 0, 70, 30}, {6, 10, 64, 8}}},
        {"a control in another row leaves a label the space above or below it",
         {"", 100, 40, {{Label, -1, {5, 5, 20, 8}, "abcdefgh"}, {Edit, 2, {28, 20, 40, 12}, ""}}}, {100, 40}, {{5, 5, 32, 8}, {28, 20, 40, 12}}},
        {"two lines in a label one line high stretch downwards",
         {"", 100, 40, {{Label, -1, {5, 5, 40, 8}, "ab\ncd"}, {Button, 1, {50, 20, 40, 14}, ""}}}, {100, 80}, {{5, 10, 40, 16}, {50, 40, 40, 28}}},
    };
    for (const auto& c : cases) {
        const FittedDialog fitted = fitDialog(c.dialog, FakeMeasure(4));
        EXPECT_EQ(fitted.size, c.size) << c.rule;
        EXPECT_EQ(fitted.rects, c.rects) << c.rule;
    }
}

// A page laid out to a size asked for (the window's, once shown) takes it, its boxes spanning it.
TEST(LayOutPage, TakesTheSizeAskedFor) {
    const PagePlacement page = layOutPage(*findPage("CMoonlightPage"), FakeMeasure(5), {300, 300});
    EXPECT_EQ(page.size, (DialogSize{300, 300}));
    for (const auto& section : page.sections) EXPECT_TRUE(section.box.width == 0 || section.box.right() == 300 - 4);
}

// The real setting pages, in a narrow face, the design's, and two wide ones,
// as the window places them, to the dialog unit: kept in
// tests/data/pages/layout.txt, which pins that controls stay inside the page
// and their group boxes without overlapping, that rows of the same shape line
// up, and that a page grows only as much as its widest row needs, not at all
// in the narrow face. A change there is a change the user sees; the new
// layout is written beside the test binary to compare and take over.
TEST(LayOutPage, EveryPageAsTheWindowShowsItInAnyFont) {
    std::ostringstream dump;
    const auto rect = [&dump](const DialogRect& r) { dump << ' ' << r.x << ',' << r.y << ',' << r.width << ',' << r.height; };
    for (const int perCharacter : {3, 5, 7, 9})
        for (const PageTable& table : settingPages()) {
            const PagePlacement page = layOutPage(table, FakeMeasure(perCharacter));
            dump << table.className << " at " << perCharacter << ": " << page.size.width << 'x' << page.size.height << '\n';
            for (std::size_t s = 0; s < page.sections.size(); ++s) {
                dump << "  [" << table.sections[s].groupBox << ']';
                rect(page.sections[s].box);
                for (const auto& row : page.sections[s].rows) {
                    dump << "\n   ";
                    for (const ControlPlacement& control : row) {
                        rect(control.caption);
                        for (const DialogRect& part : control.parts) rect(part);
                        dump << " |";
                    }
                }
                dump << '\n';
            }
        }
    if (dump.str() != test::testData("pages/layout.txt")) test::writeBytes("layout.txt", dump.str());
    EXPECT_EQ(dump.str(), test::testData("pages/layout.txt")) << "the layout now made is in layout.txt";
}

}  // namespace
}  // namespace vellconf
