#pragma once
// The twelve tab pages that edit the scalar settings. Each is rendered from its
// page table; a class adds nothing but its table and its own special rules.

#include <memory>

#include "pages/page_tables.h"
#include "ui/page.h"

namespace vellconf {

// A page built from a PageTable. Every editing control is named after the key
// it edits ("key", radio buttons "key#0", "key#1"..., spins "key#spin"), so
// that tests and tools can find them.
class CSettingPage : public CPage {
public:
    CSettingPage(wxWindow* parent, AppState& state, DialogServices& services, const PageTable& table);
    ~CSettingPage() override;

    DialogSize neededSize(const TextMeasure& measure) const override;

    // Commits the numeric field that holds the focus, if it is one of this page's.
    void commitEdits() override;
    // Shows the page's bound values as they stand, unclamped.
    void showState() override;

    // Shows every bound value in its control: the data exchange to the
    // controls, for a load and a first build. A control's own change reaches
    // its bound value through the control's handler.
    void ExchangeData();

    const PageTable& table() const { return table_; }

protected:
    void build() override;
    void place(const WxTextMeasure& measure, DialogSize size) override;

private:
    struct Impl;
    const PageTable& table_;
    std::unique_ptr<Impl> impl_;
};

class CBasicPage final : public CSettingPage {
public:
    CBasicPage(wxWindow* parent, AppState& state, DialogServices& services);
};

class CAttack1Page final : public CSettingPage {
public:
    CAttack1Page(wxWindow* parent, AppState& state, DialogServices& services);
};

class CAttack2Page final : public CSettingPage {
public:
    CAttack2Page(wxWindow* parent, AppState& state, DialogServices& services);
};

// The rotation-state buttons and the radius, period, delay and threshold
// fields with their spins follow whether rotation is on: the page table marks
// them, and every setting page follows the marks.
class CRotatePage final : public CSettingPage {
public:
    CRotatePage(wxWindow* parent, AppState& state, DialogServices& services);
};

class CMoonlightPage final : public CSettingPage {
public:
    CMoonlightPage(wxWindow* parent, AppState& state, DialogServices& services);
};

class CCapricePage final : public CSettingPage {
public:
    CCapricePage(wxWindow* parent, AppState& state, DialogServices& services);
};

class CFleetMovePage final : public CSettingPage {
public:
    CFleetMovePage(wxWindow* parent, AppState& state, DialogServices& services);
};

class COveredSpeedPage final : public CSettingPage {
public:
    COveredSpeedPage(wxWindow* parent, AppState& state, DialogServices& services);
};

class CDefensePage final : public CSettingPage {
public:
    CDefensePage(wxWindow* parent, AppState& state, DialogServices& services);
};

class CChaoticBenedictionPage final : public CSettingPage {
public:
    CChaoticBenedictionPage(wxWindow* parent, AppState& state, DialogServices& services);
};

class CEmergencyAvoidPage final : public CSettingPage {
public:
    CEmergencyAvoidPage(wxWindow* parent, AppState& state, DialogServices& services);
};

class CTouchHealPage final : public CSettingPage {
public:
    CTouchHealPage(wxWindow* parent, AppState& state, DialogServices& services);
};

}  // namespace vellconf
