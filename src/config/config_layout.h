#pragma once
// The text of Config.lua, as a template of UTF-8 lines. Placeholders stand for
// what is not fixed:
//   {RULE}          a rule line of 49 hyphens
//   {TAB}           a TAB character inside a line
//   {MEMO}          the memo, followed by one line end
//   {SKILLS}        the automatic-skill sections (built from skillSections())
//   {IGNORE_MOB}, {FRIENDS}   the array lines
//   {SomeKey}       the key line of a setting

#include <string_view>
#include <vector>

namespace vellconf::layout {

std::string_view fileTemplate();

struct ModeLine {
    std::string_view comment;
    std::string_view key;
};

struct SkillSection {
    std::string_view prefix;     // ML, CAP, ...
    std::string_view heading;
    std::vector<ModeLine> modes;
    std::string_view ending;     // template lines after phase 3
};

const std::vector<SkillSection>& skillSections();

// The comment line before each phase key, by suffix; "{n}" is the phase digit.
struct PhaseLine {
    std::string_view suffix;
    std::string_view comment;
};
const std::vector<PhaseLine>& phaseLines();

// The lines from the phase headings to the end of a section.
std::string_view phaseHeading(int phase);

}  // namespace vellconf::layout
