#include "ui/pages/setting_pages.h"

namespace vellconf {

CBasicPage::CBasicPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CBasicPage")) {}

CAttack1Page::CAttack1Page(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CAttack1Page")) {}

CAttack2Page::CAttack2Page(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CAttack2Page")) {}

// The page table marks the controls that follow rotation; the page itself sets
// them when it is built, when a rotation kind is clicked and after a load.
CRotatePage::CRotatePage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CRotatePage")) {}

void CRotatePage::EnableRotateControls() { enableRotationDependents(true); }

void CRotatePage::DisableRotateControls() { enableRotationDependents(false); }

CMoonlightPage::CMoonlightPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CMoonlightPage")) {}

CCapricePage::CCapricePage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CCapricePage")) {}

CFleetMovePage::CFleetMovePage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CFleetMovePage")) {}

COveredSpeedPage::COveredSpeedPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("COveredSpeedPage")) {}

CDefensePage::CDefensePage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CDefensePage")) {}

CChaoticBenedictionPage::CChaoticBenedictionPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CChaoticBenedictionPage")) {}

CEmergencyAvoidPage::CEmergencyAvoidPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CEmergencyAvoidPage")) {}

CTouchHealPage::CTouchHealPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CTouchHealPage")) {}

}  // namespace vellconf
