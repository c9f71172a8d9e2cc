#pragma once
// TForm1: the main window. Owns the configuration image, the string tables,
// the navigation tree, the sixteen page panels, the actions, menu, toolbar and
// status bar, and runs the page switch.
#include "app/page_table.h"
#include "config/config_image.h"
#include "pages/ui_texts.h"

#include <QMainWindow>
#include <array>
#include <atomic>

class Page;
class QAction;
class QFileDialog;
class QLabel;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // `portOverride`, when not empty, replaces the port read from the settings file.
    // `makePanel` builds the sixteen panels (tests substitute their own).
    explicit TForm1(const QString& portOverride = QString(),
                    const PanelFactory& makePanel = createPanel, QWidget* parent = nullptr);
    ~TForm1() override;

    ConfigImage& configImage() { return image_; }
    const UiTexts& texts() const { return texts_; }
    QString startDirectory() const { return StartDirectory; }
    QString portName() const { return portName_; }

    // The PageIndex of the selected tree node (-1 when none), the page on screen.
    int pageIndex() const;
    int shownPage() const { return ShownPage; }
    // Selects tree node `pageIndex`, which runs the page switch.
    void selectPage(int pageIndex);
    Page* page(int pageIndex) const;

    // Controls into the image, and the image into controls, for one page.
    void StorePage(int pageIndex);
    void LoadPage(int pageIndex);

    QString statusPanelText(int panel) const;
    void setStatusPanelText(int panel, const QString& text);

    // The ten actions device operations disable while they run.
    QList<QAction*> busyActions() const;
    // Busy state: the ten actions disabled while a device operation or a
    // direct command runs (the window also refuses to close meanwhile).
    void setBusy(bool busy);
    bool isBusy() const;
    // The six device actions page 55 disables.
    QList<QAction*> deviceActions() const;

    // Actions, by their names.
    QAction* FileNew1 = nullptr;
    QAction* FileOpen1 = nullptr;
    QAction* FileSave1 = nullptr;
    QAction* Programm = nullptr;
    QAction* ReadConf = nullptr;
    QAction* CompareConf = nullptr;
    QAction* Reconfigurate = nullptr;
    QAction* Reset = nullptr;
    QAction* ReadIMEICode = nullptr;
    QAction* FactoryConfig = nullptr;
    QAction* ComPortConfig = nullptr;
    QAction* Abaut = nullptr;

    QTreeWidget* TreeView1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTimer* Timer2 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;

    // The port for every transaction; kept at close.
    void setPortName(const QString& name) { portName_ = name; }
    // The PageIndex as published for the monitoring thread.
    int publishedPageIndex() const { return publishedPageIndex_.load(); }

signals:
    // Emitted by the monitoring on every identification it makes: true when a
    // supported controller answered, false when none did.
    void controllerIdentified(bool identified);

public slots:
    // File commands (file_commands.cpp).
    void FileNew1Execute();
    void FileOpen1Execute();
    void FileSave1Execute();

    // Live monitoring (monitoring_control.cpp): start a monitoring thread, and
    // stop it by request-then-wait without blocking the UI thread.
    void startMonitoring();
    void stopMonitoring();

    // Program settings file and COM port dialog (com_port_settings.cpp).
    int ReadSettingsFile();  // 0: read, port name set; 1: failure
    int WriteSettingsFile(); // 0: written; 1: failure
    void ComPortConfigExecute();

    // The about box.
    void AbautExecute();

    // Device operations (device_operations.cpp).
    void ProgrammExecute();
    void ReadConfExecute();
    void CompareConfExecute();
    void ReconfigurateExecute();
    void ResetExecute();
    void ReadIMEICodeExecute();
    void FactoryConfigExecute();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenu();
    void createToolBar();
    void createStatusBar();
    void createCentralArea(const PanelFactory& makePanel);
    void createFileDialogs();
    void FormCreate();
    void TreeView1Change(QTreeWidgetItem* current);
    void Timer2Timer();
    void probePort();

    // Set-up and tear-down of the parts that live in their own files.
    void initMonitoring();
    void finishMonitoring();
    void initOperations();
    void finishOperations();
    struct MonitoringState;
    struct OperationsState;
    MonitoringState* monitoring_ = nullptr;
    OperationsState* operations_ = nullptr;

    ConfigImage image_;
    UiTexts texts_;
    QString StartDirectory;
    QString portName_;
    QString portOverride_;
    int ShownPage = -1;
    std::atomic<int> publishedPageIndex_{-1};

    QStackedWidget* pageArea_ = nullptr;
    std::array<Page*, 56> pages_{};
    std::array<QScrollArea*, 56> frames_{};
    std::array<QLabel*, 4> statusPanels_{};
    std::array<QString, 4> statusTexts_{};
};
