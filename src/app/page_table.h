#pragma once
// Which panel shows which PageIndex, the panel's title label and whether the
// switch loads the page on entry. Sixteen panels serve the 56 pages.
#include <QString>
#include <functional>
#include <vector>

class Page;
class QWidget;
struct UiTexts;

struct PanelSpec {
    int firstPage;
    int lastPage;
    const char* panelName;
    const char* titleLabel; // nullptr: the panel has no title label
    bool loadOnEntry;
};

// The sixteen panels in PageIndex order.
const std::vector<PanelSpec>& panelSpecs();
// The row of the panel that shows `pageIndex`, or nullptr.
const PanelSpec* panelSpecFor(int pageIndex);

// Creates the page class of `spec`; panels whose page is not built yet get a
// page that carries only its title label.
Page* createPanel(const PanelSpec& spec, const UiTexts& texts, QWidget* parent);

using PanelFactory = std::function<Page*(const PanelSpec&, const UiTexts&, QWidget*)>;
