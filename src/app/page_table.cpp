#include "app/page_table.h"

#include "monitor/main_status_page.h"
#include "pages/connection_common_page.h"
#include "pages/connection_page.h"
#include "pages/gprs_common_page.h"
#include "pages/page.h"
#include "pages/server_page.h"
#include "pages/system_parameters_page.h"

#include <QLabel>
#include <QVBoxLayout>
#include <cstring>

namespace {

// A panel whose controls are not built yet: it has its title label only, and
// stores and loads nothing, so the bytes of its region keep their contents.
class TitleOnlyPage : public Page {
public:
    TitleOnlyPage(const PanelSpec& spec, const UiTexts& texts, QWidget* parent)
        : Page(QString::fromLatin1(spec.panelName), texts, parent) {
        auto* layout = new QVBoxLayout(this);
        if (spec.titleLabel)
            layout->addWidget(makeTitle(QString::fromLatin1(spec.titleLabel)));
        layout->addStretch();
    }
};

using Factory = std::function<Page*(const UiTexts&, QWidget*)>;

struct PanelClass {
    const char* panelName;
    Factory make;
};

template <class T> Page* construct(const UiTexts& texts, QWidget* parent) {
    return new T(texts, parent);
}

// The panels whose page classes exist.
const std::vector<PanelClass>& factories() {
    static const std::vector<PanelClass> table = {
        {"Panel10", construct<MainStatusPage>},
        {"Panel1", construct<ConnectionCommonPage>},
        {"Panel5", construct<ConnectionPage>},
        {"PanelGPRSSharedPAr", construct<GprsCommonPage>},
        {"PanelServersPar", construct<ServerPage>},
        {"Panel11", construct<SystemParametersPage>},
    };
    return table;
}

} // namespace

const std::vector<PanelSpec>& panelSpecs() {
    static const std::vector<PanelSpec> table = {
        {0, 0, "Panel10", "Label30", false},        {1, 1, "Panel1", "Label15", true},
        {2, 9, "Panel5", "Label74", true},          {10, 10, "PanelGPRSSharedPAr", nullptr, true},
        {11, 13, "PanelServersPar", nullptr, true}, {14, 14, "Panel2", "Label5", true},
        {15, 15, "Panel3", "Label23", true},        {16, 19, "PanelPerimeters", "Label163", true},
        {20, 20, "Panel7", nullptr, true},          {21, 36, "Panel6", "Label10", true},
        {37, 37, "Panel8", "Label1", false},        {38, 44, "Panel9", "Label6", true},
        {45, 45, "Panel12", "Label79", true},       {46, 46, "PanelProfileMain", "Label66", true},
        {47, 54, "PanelProfile", "Label221", true}, {55, 55, "Panel11", "Label86", true},
    };
    return table;
}

const PanelSpec* panelSpecFor(int pageIndex) {
    for (const PanelSpec& s : panelSpecs())
        if (pageIndex >= s.firstPage && pageIndex <= s.lastPage)
            return &s;
    return nullptr;
}

Page* createPanel(const PanelSpec& spec, const UiTexts& texts, QWidget* parent) {
    for (const PanelClass& f : factories())
        if (std::strcmp(f.panelName, spec.panelName) == 0)
            return f.make(texts, parent);
    return new TitleOnlyPage(spec, texts, parent);
}
