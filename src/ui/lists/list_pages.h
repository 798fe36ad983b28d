#pragma once
// The enemy, friend and memo pages.

#include <memory>

#include "ui/page.h"

namespace vellconf {

// The enemy page: the monster list from MobData.ini and the ignore list, both
// views of the state's rows.
class CEnemyPage final : public CTemplatePage {
public:
    CEnemyPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CEnemyPage() override;

    void showState() override;

private:
    void build() override;

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The friend page: Friend.ini's friends and the co-fight list.
class CFriendPage final : public CTemplatePage {
public:
    CFriendPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CFriendPage() override;

    void showState() override;

private:
    void build() override;
    void onRegister();
    void reportRewrite(WriteResult written);

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The memo page.
class CMemoPage final : public CTemplatePage {
public:
    CMemoPage(wxWindow* parent, AppState& state, DialogServices& services);
    ~CMemoPage() override;

    void commitEdits() override;
    void showState() override;

private:
    void build() override;
    // Leaving the field: the memo of the state takes the field's text, if the user changed it.
    void updateMemo();

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vellconf
