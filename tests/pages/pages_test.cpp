// The setting pages' tables, the rules of their controls (most cases are tables
// of tests/data/pages/), and layouts fitted to a font: measured by a stand-in
// font whose every character is as wide as the test says, so that each rule
// shows in plain numbers.

#include <gtest/gtest.h>

#include <cstdio>
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

bool overlap(const DialogRect& a, const DialogRect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}
bool inside(const DialogRect& r, DialogSize size) { return r.x >= 0 && r.y >= 0 && r.right() <= size.width && r.bottom() <= size.height; }

using templates::Kind;

// A field "Kind x,y,width,height text|..." of fit_dialog.tsv as a template's
// controls, their texts viewing the field; a field "x,y,width,height ..." as rects.
DialogRect rectOf(const std::string& text) {
    DialogRect r;
    std::sscanf(text.c_str(), "%d,%d,%d,%d", &r.x, &r.y, &r.width, &r.height);
    return r;
}
std::vector<templates::Control> controlsIn(std::string_view field) {
    const std::map<std::string_view, std::pair<Kind, int>> kinds = {
        {"Label", {Kind::Label, -1}}, {"GroupBox", {Kind::GroupBox, -1}}, {"Button", {Kind::Button, 1}}, {"Edit", {Kind::Edit, 2}}};
    std::vector<templates::Control> controls;
    for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        const std::string_view part = field.substr(start, (end = field.find('|', start)) - start);
        const std::size_t kind = part.find(' '), rect = std::min(part.find(' ', kind + 1), part.size());
        const auto [k, id] = kinds.at(part.substr(0, kind));
        controls.push_back({k, id, rectOf(std::string(part.substr(kind + 1, rect - kind - 1))), part.substr(std::min(rect + 1, part.size()))});
    }
    return controls;
}
std::vector<DialogRect> rectsIn(const std::string& field) {
    std::vector<DialogRect> rects;
    std::istringstream in(field);
    for (std::string rect; in >> rect;) rects.push_back(rectOf(rect));
    return rects;
}

// Measured at 4 dialog units a character: the cases of tests/data/pages/fit_dialog.tsv.
TEST(FitDialog, StretchesByTheLeastFactorThatGivesEveryTextItsRoomAndNoMore) {
    const auto rows = test::cp932Rows("pages/fit_dialog.tsv");
    ASSERT_EQ(rows.size(), 10u);
    for (const auto& c : rows) {
        DialogSize size, fittedSize;
        std::sscanf(c[1].c_str(), "%dx%d", &size.width, &size.height);
        std::sscanf(c[3].c_str(), "%dx%d", &fittedSize.width, &fittedSize.height);
        const FittedDialog fitted = fitDialog({"", size.width, size.height, controlsIn(c[2])}, FakeMeasure(4));
        EXPECT_EQ(fitted.size, fittedSize) << c[0];
        EXPECT_EQ(fitted.rects, rectsIn(c[4])) << c[0];
    }
}

// A page laid out to a size asked for takes it, its boxes spanning it; rows of
// the same shape line up in columns: the phases' HP rows ("ホムＨＰ：" and
// "主人ＨＰ：") have their fields start at the same x.
TEST(LayOutPage, TakesTheSizeAskedForAndLinesUpRowsOfTheSameShape) {
    const PagePlacement page = layOutPage(*findPage("CMoonlightPage"), FakeMeasure(5), {300, 300});
    EXPECT_EQ(page.size, (DialogSize{300, 300}));
    std::vector<int> fieldStarts;
    for (const auto& section : page.sections) {
        EXPECT_TRUE(section.box.width == 0 || section.box.right() == 300 - 4);
        for (const auto& row : section.rows)
            if (row.size() == 4) fieldStarts.push_back(row[0].parts[0].x);
    }
    ASSERT_GE(fieldStarts.size(), 4u);
    for (const int x : fieldStarts) EXPECT_EQ(x, fieldStarts[0]);
}

// The real setting pages, in a narrow face, the design's, and two wide ones:
// every control lies inside the page, overlaps no other, and keeps to the
// frame of its group box; every box spans the page, and the page grows only as
// much as its widest row needs, not at all in the narrow face. What the window
// places, to the dialog unit, is kept in tests/data/pages/layout.txt: a change
// there is a change the user sees; the new layout is written beside the test
// binary to compare and take over.
TEST(LayOutPage, EveryPageHoldsItsControlsWholeInAnyFontAsTheWindowShowsIt) {
    std::ostringstream dump;
    const auto rect = [&dump](const DialogRect& r) { dump << ' ' << r.x << ',' << r.y << ',' << r.width << ',' << r.height; };
    for (const int perCharacter : {3, 5, 7, 9})
        for (const PageTable& table : settingPages()) {
            SCOPED_TRACE(std::string(table.className) + " at " + std::to_string(perCharacter));
            const PagePlacement page = layOutPage(table, FakeMeasure(perCharacter));
            EXPECT_TRUE(perCharacter != 3 || page.size == kPageSize);  // a narrow face changes nothing
            dump << table.className << " at " << perCharacter << ": " << page.size.width << 'x' << page.size.height << '\n';
            std::vector<DialogRect> controls;
            int right = 0;
            for (std::size_t s = 0; s < page.sections.size(); ++s) {
                const DialogRect& box = page.sections[s].box;  // controls 3 units inside its frame, below the top line
                const bool boxed = box.width > 0;
                EXPECT_TRUE(!boxed || (inside(box, page.size) && box.right() == page.size.width - 4));
                dump << "  [" << table.sections[s].groupBox << ']';
                rect(box);
                for (const auto& row : page.sections[s].rows) {
                    dump << "\n   ";
                    for (const ControlPlacement& control : row) {
                        rect(control.caption);
                        for (const DialogRect& part : control.parts) rect(part);
                        dump << " |";
                        std::vector<DialogRect> parts = control.parts;
                        if (control.caption.width > 0) parts.push_back(control.caption);
                        for (const DialogRect& part : parts) {
                            EXPECT_TRUE(inside(part, page.size));
                            EXPECT_TRUE(!boxed || (part.x >= box.x + 3 && part.right() <= box.right() - 3 && part.y > box.y &&
                                                   part.bottom() < box.bottom()));
                            right = std::max(right, part.right());
                            controls.push_back(part);
                        }
                    }
                }
                dump << '\n';
            }
            EXPECT_EQ(page.size.width, std::max(kPageSize.width, right + 7));  // the margin after the widest row
            for (std::size_t i = 0; i < controls.size(); ++i)
                for (std::size_t j = i + 1; j < controls.size(); ++j) EXPECT_FALSE(overlap(controls[i], controls[j]));
        }
    if (dump.str() != test::testData("pages/layout.txt")) test::writeBytes("layout.txt", dump.str());
    EXPECT_EQ(dump.str(), test::testData("pages/layout.txt")) << "the layout now made is in layout.txt";
}

}  // namespace
}  // namespace vellconf

