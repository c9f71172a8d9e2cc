#pragma once
// Pages 11..13, "Сервер 1" .. "Сервер 3": server K = page - 10, its record at
// image offset 2940 + 44 * (K - 1): whether it is used, its address (IPv4 or
// domain name) and its port.
#include "pages/field_table.h"
#include "pages/page.h"

#include <memory>

class QCheckBox;
class MaskEdit;
class SelectList;

class ServerPage : public Page {
    Q_OBJECT
public:
    explicit ServerPage(const UiTexts& texts, QWidget* parent = nullptr);
    ~ServerPage() override;

    void storePage(ConfigImage& image, int pageIndex) override;
    void loadPage(ConfigImage& image, int pageIndex) override;

    // The fields of a server record (offsets from the record start).
    static const std::vector<FieldSpec>& fieldSpecs();
    static std::size_t recordOffset(int pageIndex);

    QLabel* Label140;
    QCheckBox* CheckBoxServerEn;
    SelectList* ComboBoxDestType;
    MaskEdit* MaskEditServerIPAddr;
    MaskEdit* MaskEditServerPort;

public slots:
    // Switches the address edit between the IPv4 mask and free text; the
    // typed address is dropped.
    void ComboBoxDestTypeChange();

private:
    std::unique_ptr<FieldTable> fields_;
};
