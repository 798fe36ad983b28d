#include "ui/pages/setting_pages.h"

namespace vellconf {

CBasicPage::CBasicPage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CBasicPage")) {}

CAttack1Page::CAttack1Page(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CAttack1Page")) {}

CAttack2Page::CAttack2Page(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CAttack2Page")) {}

CRotatePage::CRotatePage(wxWindow* parent, AppState& state, DialogServices& services)
    : CSettingPage(parent, state, services, *findPage("CRotatePage")) {}

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
