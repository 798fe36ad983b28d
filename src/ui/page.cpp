#include "ui/page.h"

#include "ui/compact_style.h"

namespace vellconf {

CPage::CPage(wxWindow* parent, AppState& state, DialogServices& services)
    : wxPanel(parent, wxID_ANY), state_(state), services_(services) {
    useCompactFields();
}

void CPage::ensureBuilt(const WxTextMeasure& measure, DialogSize size) {
    if (built_) return;
    built_ = true;
    build();
    layOut(measure, size);
    showState();
}

void CPage::ensureBuilt() {
    const WxTextMeasure measure(this);
    ensureBuilt(measure, neededSize(measure));
}

void CPage::layOut(const WxTextMeasure& measure, DialogSize size) {
    if (!built_) return;
    SetMinSize(measure.scale().toPixels(size));
    place(measure, size);
}

CTemplatePage::CTemplatePage(wxWindow* parent, AppState& state, DialogServices& services,
                             const templates::Dialog& layout)
    : CPage(parent, state, services), layout_(layout) {}

void CTemplatePage::makeControls(const MakeOwnControl& makeOwn) { windows_ = vellconf::makeControls(this, layout_, makeOwn); }

void CTemplatePage::place(const WxTextMeasure& measure, DialogSize) { placeControls(windows_, layout_, measure); }

}  // namespace vellconf
