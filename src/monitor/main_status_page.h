#pragma once
// The main status page (page 0): the controller's live state, its
// identification and the direct commands.
#include "pages/page.h"

class QLabel;

class MainStatusPage : public Page {
    Q_OBJECT
public:
    explicit MainStatusPage(const UiTexts& texts, QWidget* parent = nullptr);

    void prepare(int pageIndex) override;

    QLabel* ActionName = nullptr;
};
