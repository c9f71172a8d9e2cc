#pragma once
// One page panel of the main window. Several PageIndex values may share a
// panel; the panel tells them apart by the index it is given.
#include "config/config_image.h"

#include <QWidget>

class QLabel;
struct UiTexts;

class Page : public QWidget {
    Q_OBJECT
public:
    // `panelName` becomes the objectName (for example "Panel1").
    Page(const QString& panelName, const UiTexts& texts, QWidget* parent = nullptr);

    // The label that receives the selected node's caption, or nullptr.
    virtual QLabel* titleLabel() const { return title_; }
    // Preparation steps run on entry, before the load.
    virtual void prepare(int pageIndex) { (void)pageIndex; }
    // Controls into the image.
    virtual void storePage(ConfigImage& image, int pageIndex) {
        (void)image;
        (void)pageIndex;
    }
    // Image into controls. May write the image (it forces terminators).
    virtual void loadPage(ConfigImage& image, int pageIndex) {
        (void)image;
        (void)pageIndex;
    }
    // Runs after the panel is aligned, before it is brought to the front.
    virtual void aligned(int pageIndex) { (void)pageIndex; }

protected:
    // Creates the title label under `name` at the top of the page.
    QLabel* makeTitle(const QString& name);

    const UiTexts& texts_;
    QLabel* title_ = nullptr;
};
