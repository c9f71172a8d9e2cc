// The device operations of the "Контроллер" menu and the two transfers of the
// system parameters page. The sequences live in ops/; this file is the
// window's side of them: which controls show their texts and progress, which
// timer resumes monitoring, which dialogs they open.
#include "app/main_window.h"
#include "monitor/main_status_page.h"
#include "ops/clear_config_dialog.h"
#include "ops/configuration_transfers.h"
#include "ops/operation_host.h"
#include "ops/system_parameter_transfers.h"
#include "pages/identification_group.h"
#include "pages/system_parameters_page.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kSystemParametersPage = 55;

void showColouredText(QLabel* label, const QString& text, StatusColour colour) {
    if (!label)
        return;
    label->setText(text);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, statusQtColour(colour));
    label->setPalette(pal);
    label->repaint();
}

// The system parameters page as its transfers see it.
class SystemParametersPageView final : public SystemParametersView {
public:
    SystemParametersPageView(TForm1& form, SystemParametersPage& page) : form_(form), page_(page) {}
    void storePage() override { form_.StorePage(kSystemParametersPage); }
    void loadPage() override { form_.LoadPage(kSystemParametersPage); }
    void showStatus(const QString& text, StatusColour colour) override {
        page_.showMessage(text, colour);
    }
    void showProgress(int position, int maximum) override { page_.showProgress(position, maximum); }
    void enableProgramming() override { page_.BitBtnProgSysPar->setEnabled(true); }

private:
    TForm1& form_;
    SystemParametersPage& page_;
};

} // namespace

// The main window as the operations' host.
struct TForm1::OperationsState final : public OperationHost {
    explicit OperationsState(TForm1& f) : form(f) {}

    TForm1& form;

    // Controls of the root page; null where a test substitutes the panel.
    QWidget* root() const { return form.page(0); }
    QLabel* ActionName() const {
        return root() ? root()->findChild<QLabel*>(QStringLiteral("ActionName")) : nullptr;
    }
    QProgressBar* ProgressBar1() const {
        return root() ? root()->findChild<QProgressBar*>(QStringLiteral("ProgressBar1")) : nullptr;
    }
    QCheckBox* CheckBoxClearSaveArea() const {
        return root() ? root()->findChild<QCheckBox*>(QStringLiteral("CheckBoxClearSaveArea"))
                      : nullptr;
    }

    QString portName() const override { return form.portName(); }
    ConfigImage& image() override { return form.configImage(); }

    void stopMonitoring() override { form.stopMonitoring(); }
    void startMonitoring() override { form.startMonitoring(); }
    void selectRootPage() override { form.selectPage(0); }
    void setBusy(bool busy) override {
        form.setBusy(busy);
        if (busy)
            form.repaint();
    }
    // Timer2 is the window's one-shot resume timer: when it fires it starts
    // monitoring and leaves the busy state.
    void resumeAfter(int ms) override { form.Timer2->start(ms); }

    void showStatus(const QString& text, StatusColour colour) override {
        showColouredText(ActionName(), text, colour);
    }
    void showProgress(int position, int maximum) override {
        if (QProgressBar* bar = ProgressBar1()) {
            bar->setMaximum(maximum);
            bar->setValue(position);
        }
    }
    void showIdentification(const DeviceIdentity& identity) override {
        if (root())
            if (auto* group = root()->findChild<IdentificationGroup*>())
                group->showIdentification(identity);
        form.setStatusPanelText(2, identity.versionString());
        form.repaint();
    }
    void setConfigFileName(const QString& name) override { form.setStatusPanelText(0, name); }

    bool clearModesMemory() const override {
        const QCheckBox* box = CheckBoxClearSaveArea();
        return box && box->isChecked();
    }
    void reportMisfit(const HardwareFit& fit) override {
        form.selectPage(fit.pageIndex);
        QMessageBox::warning(&form, HardwareFitCaption(), fit.message, QMessageBox::Ok);
    }
    bool factoryResetCountdown() override {
        TFormClearConfig dialog(&form);
        QObject::connect(&form, &TForm1::controllerIdentified, &dialog,
                         &TFormClearConfig::controllerIdentified);
        dialog.exec();
        return dialog.completed();
    }
    void copyToClipboard(const QString& text) override {
        QGuiApplication::clipboard()->setText(text);
    }

    SystemParametersPage* systemPage() const {
        return qobject_cast<SystemParametersPage*>(form.page(kSystemParametersPage));
    }
    void BitBtnReadSysParClick() {
        if (SystemParametersPage* page = systemPage()) {
            SystemParametersPageView view(form, *page);
            ops::ReadSystemParameters(*this, view);
        }
    }
    void BitBtnProgSysParClick() {
        if (SystemParametersPage* page = systemPage()) {
            SystemParametersPageView view(form, *page);
            ops::ProgramSystemParameters(*this, view);
        }
    }
};

void TForm1::initOperations() {
    operations_ = new OperationsState(*this);
    if (SystemParametersPage* page = operations_->systemPage()) {
        connect(page->BitBtnReadSysPar, &QPushButton::clicked, this,
                [this] { operations_->BitBtnReadSysParClick(); });
        connect(page->BitBtnProgSysPar, &QPushButton::clicked, this,
                [this] { operations_->BitBtnProgSysParClick(); });
    }
}

void TForm1::finishOperations() {
    delete operations_;
    operations_ = nullptr;
}

void TForm1::ProgrammExecute() {
    ops::ProgramConfiguration(*operations_);
}

void TForm1::ReadConfExecute() {
    ops::ReadConfiguration(*operations_);
}

void TForm1::CompareConfExecute() {
    ops::CompareConfiguration(*operations_);
}

void TForm1::ReconfigurateExecute() {
    ops::Reconfigure(*operations_);
}

void TForm1::ResetExecute() {
    ops::RestartController(*operations_);
}

void TForm1::ReadIMEICodeExecute() {
    ops::CopyImei(*operations_);
}

void TForm1::FactoryConfigExecute() {
    ops::RestoreFactoryConfiguration(*operations_);
}
