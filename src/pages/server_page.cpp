#include "pages/server_page.h"

#include "config/image_layout.h"
#include "pages/form_builder.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"

#include <QCheckBox>
#include <QVBoxLayout>

using form::make;

namespace {

constexpr std::size_t kAddress = 0, kAddressSize = 34, kPort = 36, kType = 38, kEnable = 40;
constexpr int kDomainName = 1;
constexpr int kDomainNameLength = 33;

} // namespace

const std::vector<FieldSpec>& ServerPage::fieldSpecs() {
    static const std::vector<FieldSpec> specs = {
        // IPv4 in +0..+3, or a domain name by bounded copy in +0..+33.
        customField("MaskEditServerIPAddr", kAddress, kAddressSize),
        intField("MaskEditServerPort", kPort, 2, IntRule::LeadingDigits, 0, 65535),
        listField("ComboBoxDestType", kType, 0, 0),
        checkField("CheckBoxServerEn", kEnable, 0),
    };
    return specs;
}

std::size_t ServerPage::recordOffset(int pageIndex) {
    return layout::kServerOffset + layout::kServerSize * std::size_t(pageIndex - 11);
}

ServerPage::ServerPage(const UiTexts& texts, QWidget* parent)
    : Page(QStringLiteral("PanelServersPar"), texts, parent) {
    auto* top = new QVBoxLayout(this);
    Label140 = form::label("Label140", QString());
    QFont titleFont = Label140->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    Label140->setFont(titleFont);
    top->addWidget(Label140);

    CheckBoxServerEn = make<QCheckBox>("CheckBoxServerEn", QStringLiteral("Разрешен"));
    top->addWidget(CheckBoxServerEn);

    auto* group = form::group("GroupBoxServerParams", " Параметры сервера ");
    ComboBoxDestType = make<SelectList>(
        "ComboBoxDestType",
        QStringList{QStringLiteral("IP адрес"), QStringLiteral("Доменное имя (требуется DNS)")});
    MaskEditServerIPAddr =
        make<MaskEdit>("MaskEditServerIPAddr", QStringLiteral("!999\\.999\\.999\\.999;1; "));
    MaskEditServerPort = make<MaskEdit>("MaskEditServerPort", QStringLiteral("!99999;1; "));
    auto* grid = new QGridLayout(group);
    grid->addWidget(form::label("LabelDestType", "Тип адреса"), 0, 0);
    grid->addWidget(ComboBoxDestType, 0, 1);
    grid->addWidget(form::label("LabelServerAddr", "Адрес"), 1, 0);
    grid->addWidget(MaskEditServerIPAddr, 1, 1);
    grid->addWidget(form::label("LabelServerPort", "Порт"), 2, 0);
    grid->addWidget(MaskEditServerPort, 2, 1, Qt::AlignLeft);
    MaskEditServerPort->setFixedWidth(form::textWidth(MaskEditServerPort, 8));
    ComboBoxDestType->setMinimumWidth(form::textWidth(ComboBoxDestType, 32));
    // Room for a 33-character domain name.
    MaskEditServerIPAddr->setMinimumWidth(form::textWidth(MaskEditServerIPAddr, 36));
    grid->setColumnStretch(2, 1);
    top->addWidget(group);
    top->addStretch();

    connect(ComboBoxDestType, &QComboBox::activated, this, &ServerPage::ComboBoxDestTypeChange);
    fields_ = std::make_unique<FieldTable>(this, fieldSpecs());
}

ServerPage::~ServerPage() = default;

void ServerPage::storePage(ConfigImage& image, int pageIndex) {
    const std::size_t s = recordOffset(pageIndex);
    fields_->store(image, s);
    if (ComboBoxDestType->currentIndex() == kDomainName) {
        // As typed, blanks included.
        image.setTextBounded(s + kAddress, kAddressSize, MaskEditServerIPAddr->maskedText());
    } else {
        // Only +0..+3: the rest of the field keeps what a domain name left there.
        image.setIpv4(s + kAddress,
                      fieldtext::ipv4FromMaskedText(MaskEditServerIPAddr->maskedText()));
    }
}

void ServerPage::loadPage(ConfigImage& image, int pageIndex) {
    const std::size_t s = recordOffset(pageIndex);
    Label140->setText(QStringLiteral("Сервер %1").arg(pageIndex - 10));
    fields_->load(image, s);
    ComboBoxDestTypeChange();
    if (ComboBoxDestType->currentIndex() == kDomainName)
        MaskEditServerIPAddr->setMaskedText(image.text(s + kAddress, kAddressSize));
    else
        MaskEditServerIPAddr->setMaskedText(image.ipv4Text(s + kAddress));
}

void ServerPage::ComboBoxDestTypeChange() {
    if (ComboBoxDestType->currentIndex() == kDomainName) {
        MaskEditServerIPAddr->setEditMask(QString());
        MaskEditServerIPAddr->setMaxLength(kDomainNameLength);
        MaskEditServerIPAddr->setMaskedText(QString());
    } else {
        MaskEditServerIPAddr->setEditMask(QStringLiteral("!999.999.999.999;1; "));
        MaskEditServerIPAddr->setMaskedText(QStringLiteral("000.000.000.000"));
    }
}
