#include "app/main_window.h"

#include "app/about_box.h"
#include "app/navigation_tree.h"
#include "app/page_table.h"
#include "config/config_file.h"
#include "config/defaults.h"
#include "link/serial_channel.h"
#include "pages/page.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

constexpr int kClientWidth = 925;
constexpr int kClientHeight = 554;
constexpr int kTreeWidth = 209;
const char* const kWorkingFile = "default.cnt";

struct ActionSpec {
    QAction* TForm1::*member;
    const char* name;
    const char* caption;
    const char* hint;
    Qt::Key key; // 0: none
    QStyle::StandardPixmap icon;
};

// The action list: names, captions, hints and function keys.
const ActionSpec kActions[] = {
    {&TForm1::FileNew1, "FileNew1", "", "Установить стандартную конфигурацию", Qt::Key(0),
     QStyle::SP_FileIcon},
    {&TForm1::FileOpen1, "FileOpen1", "", "Открыть файл конфигурации", Qt::Key(0),
     QStyle::SP_DialogOpenButton},
    {&TForm1::FileSave1, "FileSave1", "", "Сохранить текущую конфигурацию в файл", Qt::Key(0),
     QStyle::SP_DialogSaveButton},
    {&TForm1::Programm, "Programm", "Программировать",
     "Загрузить конфигурацию в контроллер и перезапустить", Qt::Key_F5, QStyle::SP_ArrowDown},
    {&TForm1::ReadConf, "ReadConf", "Считать", "Считать конфигурацию контроллера", Qt::Key_F6,
     QStyle::SP_ArrowUp},
    {&TForm1::CompareConf, "CompareConf", "Сравнить",
     "Сравнить текущую конфигурацию с конфигурацией контроллера", Qt::Key_F7,
     QStyle::SP_FileDialogContentsView},
    {&TForm1::Reconfigurate, "Reconfigurate", "Реконфигурировать",
     "Загрузить конфигурацию в контроллер, без перезапуска", Qt::Key_F8, QStyle::SP_BrowserReload},
    {&TForm1::Reset, "Reset", "Перезапустить", "Перезапустить контроллер", Qt::Key_F9,
     QStyle::SP_MediaSkipBackward},
    {&TForm1::ReadIMEICode, "ReadIMEICode", "", "", Qt::Key_F10, QStyle::SP_FileLinkIcon},
    {&TForm1::FactoryConfig, "FactoryConfig", "", "", Qt::Key(0), QStyle::SP_DialogResetButton},
    {&TForm1::ComPortConfig, "ComPortConfig", "COM порт...", "Настройка COM порта", Qt::Key(0),
     QStyle::SP_ComputerIcon},
    {&TForm1::Abaut, "Abaut", "О программе...", "", Qt::Key(0), QStyle::SP_MessageBoxInformation},
};

struct MenuItem {
    QAction* TForm1::*action; // nullptr: separator, or "Закрыть" when caption is set
    const char* caption;
};

struct MenuSpec {
    const char* title;
    std::vector<MenuItem> items;
};

} // namespace

TForm1::TForm1(const QString& portOverride, const PanelFactory& makePanel, QWidget* parent)
    : QMainWindow(parent), portOverride_(portOverride) {
    setWindowTitle(QStringLiteral("RZN Configurator"));
    // Construction: the image gets its full defaults before anything touches it.
    SetAllDefaults(image_);
    texts_ = UiTexts::russian();

    createActions();
    createMenu();
    createToolBar();
    createCentralArea(makePanel);
    createStatusBar();
    createFileDialogs();

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setSingleShot(true);
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);

    // Fixed client area; the menu bar sits above it.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    initMonitoring();
    initOperations();
    FormCreate();
    Timer2->start();
}

TForm1::~TForm1() {
    finishMonitoring();
    finishOperations();
}

void TForm1::createActions() {
    for (const ActionSpec& s : kActions) {
        auto* a = new QAction(style()->standardIcon(s.icon), QString::fromUtf8(s.caption), this);
        a->setObjectName(QString::fromLatin1(s.name));
        a->setToolTip(QString::fromUtf8(s.hint));
        a->setStatusTip(QString::fromUtf8(s.hint));
        if (s.key)
            a->setShortcut(QKeySequence(s.key));
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a); // function keys work whatever has the focus
        this->*s.member = a;
    }
    connect(FileNew1, &QAction::triggered, this, &TForm1::FileNew1Execute);
    connect(FileOpen1, &QAction::triggered, this, &TForm1::FileOpen1Execute);
    connect(FileSave1, &QAction::triggered, this, &TForm1::FileSave1Execute);
    connect(Programm, &QAction::triggered, this, &TForm1::ProgrammExecute);
    connect(ReadConf, &QAction::triggered, this, &TForm1::ReadConfExecute);
    connect(CompareConf, &QAction::triggered, this, &TForm1::CompareConfExecute);
    connect(Reconfigurate, &QAction::triggered, this, &TForm1::ReconfigurateExecute);
    connect(Reset, &QAction::triggered, this, &TForm1::ResetExecute);
    connect(ReadIMEICode, &QAction::triggered, this, &TForm1::ReadIMEICodeExecute);
    connect(FactoryConfig, &QAction::triggered, this, &TForm1::FactoryConfigExecute);
    connect(ComPortConfig, &QAction::triggered, this, &TForm1::ComPortConfigExecute);
    connect(Abaut, &QAction::triggered, this, &TForm1::AbautExecute);
}

void TForm1::createMenu() {
    const std::vector<MenuSpec> menus = {
        {"Файл",
         {{&TForm1::FileNew1, "Установить стандартную конфигурацию"},
          {&TForm1::FileOpen1, "Открыть файл конфигурации..."},
          {&TForm1::FileSave1, "Сохранить текущую конфигурацию в файл..."},
          {nullptr, nullptr},
          {nullptr, "Закрыть"}}},
        {"Настройка", {{&TForm1::ComPortConfig, "COM порт..."}}},
        {"Контроллер",
         {{&TForm1::Programm, "Программировать"},
          {&TForm1::ReadConf, "Считать конфигурацию"},
          {&TForm1::CompareConf, "Сравнить конфигурацию"},
          {nullptr, nullptr},
          {&TForm1::ReadIMEICode, "Считать IMEI контроллера в буфер обмена"},
          {nullptr, nullptr},
          {&TForm1::Reconfigurate, "Реконфигурировать"},
          {&TForm1::Reset, "Перезапустить (Системный сброс)"},
          {&TForm1::FactoryConfig, "Восстановить заводскую конфигурацию"}}},
        {"?", {{&TForm1::Abaut, "О программе..."}}},
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuSpec& m : menus) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(m.title));
        for (const MenuItem& item : m.items) {
            if (!item.caption) {
                menu->addSeparator();
                continue;
            }
            if (!item.action) {
                menu->addAction(QString::fromUtf8(item.caption), this, &QWidget::close);
                continue;
            }
            // The menu item shows its own caption but runs the action and
            // follows its enabled state; the key is shown, not bound twice.
            QAction* target = this->*item.action;
            QString text = QString::fromUtf8(item.caption);
            if (!target->shortcut().isEmpty())
                text += QLatin1Char('\t') + target->shortcut().toString(QKeySequence::NativeText);
            QAction* proxy = menu->addAction(target->icon(), text);
            proxy->setObjectName(target->objectName() + QStringLiteral("Item"));
            proxy->setEnabled(target->isEnabled());
            connect(proxy, &QAction::triggered, target, &QAction::trigger);
            connect(target, &QAction::changed, proxy,
                    [proxy, target] { proxy->setEnabled(target->isEnabled()); });
        }
    }
}

void TForm1::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    const auto add = [bar](QAction* a, Qt::ToolButtonStyle st) {
        bar->addAction(a);
        if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a))) {
            b->setToolButtonStyle(st);
            b->setAutoRaise(true);
        }
    };
    for (QAction* a : {FileNew1, FileOpen1, FileSave1})
        add(a, Qt::ToolButtonIconOnly);
    bar->addSeparator();
    for (QAction* a : {Programm, ReadConf, CompareConf})
        add(a, Qt::ToolButtonTextBesideIcon);
    bar->addSeparator();
    for (QAction* a : {Reconfigurate, Reset})
        add(a, Qt::ToolButtonTextBesideIcon);
}

void TForm1::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const int widths[4] = {500, 60, 100, 250};
    const Qt::Alignment align[4] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter,
                                    Qt::AlignLeft};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setFixedWidth(widths[i]);
        label->setAlignment(align[i] | Qt::AlignVCenter);
        bar->addWidget(label, i == 3 ? 1 : 0);
        statusPanels_[i] = label;
    }
    setStatusPanelText(1, QStringLiteral("NC"));
}

void TForm1::createCentralArea(const PanelFactory& makePanel) {
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);

    TreeView1 = new QTreeWidget(Splitter1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setFixedWidth(kTreeWidth);
    // Long captions scroll sideways instead of being cut.
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Keep the selection visible when the tree loses the focus.
    QPalette pal = TreeView1->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    TreeView1->setPalette(pal);

    pageArea_ = new QStackedWidget(Splitter1);
    pageArea_->setObjectName(QStringLiteral("PageArea"));
    for (const PanelSpec& spec : panelSpecs()) {
        auto* frame = new QScrollArea(pageArea_);
        frame->setWidgetResizable(true);
        frame->setFrameShape(QFrame::NoFrame);
        Page* page = makePanel(spec, texts_, frame);
        frame->setWidget(page);
        pageArea_->addWidget(frame);
        for (int p = spec.firstPage; p <= spec.lastPage; ++p) {
            pages_[p] = page;
            frames_[p] = frame;
        }
    }
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kTreeWidth, kClientWidth - kTreeWidth});
    // The tree width is fixed: the splitter refuses every drag.
    Splitter1->handle(1)->setEnabled(false);
    Splitter1->handle(1)->setCursor(Qt::ArrowCursor);
    setCentralWidget(Splitter1);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { TreeView1Change(current); });
}

void TForm1::createFileDialogs() {
    const QString filter = QStringLiteral("Файлы конфигурации (*.cnt)");
    OpenDialog1 =
        new QFileDialog(this, QStringLiteral("Открытие файла конфигурации"), QString(), filter);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setDefaultSuffix(QStringLiteral("cnt"));
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setSizeGripEnabled(true);

    SaveDialog1 =
        new QFileDialog(this, QStringLiteral("Сохранение конфигурации"), QString(), filter);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setDefaultSuffix(QStringLiteral("cnt"));
    // The window asks its own replace question.
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setSizeGripEnabled(true);
}

void TForm1::FormCreate() {
    const QString cwd = QDir::currentPath();
    StartDirectory = cwd.isEmpty() ? QString() : cwd.left(144) + QLatin1Char('/');
    OpenDialog1->setDirectory(StartDirectory);
    SaveDialog1->setDirectory(StartDirectory);

    setWindowTitle(QStringLiteral("Конфигуратор GSM контроллера RZN460"));
    navigation::buildTree(TreeView1, navigation::treeText());
    TreeView1->expandAll();
    selectPage(0);

    // The port: the settings file's, COM1 when it cannot be read; the command
    // line overrides both for this run.
    if (ReadSettingsFile() != 0)
        portName_ = QStringLiteral("COM1");
    if (!portOverride_.isEmpty())
        portName_ = portOverride_;

    if (ReadConfigFile(image_, QString::fromLatin1(kWorkingFile)) != FileOk)
        SetSettingsDefaults(image_);
    setStatusPanelText(0, QString::fromLatin1(kWorkingFile));
    probePort();
}

void TForm1::probePort() {
    // The same channel every transaction opens (it raises DTR and RTS).
    const auto channel = DefaultSerialChannelFactory()();
    const bool open = channel->open(portName_);
    setStatusPanelText(1, open ? portName_ : QStringLiteral("NC"));
    channel->close();
}

void TForm1::AbautExecute() {
    TAboutBox box(this);
    box.setWindowTitle(texts_.AboutTitle);
    box.versionsCaption = texts_.AboutVersionsText;
    box.exec();
}

void TForm1::Timer2Timer() {
    Timer2->stop();
    startMonitoring();
    setBusy(false);
}

QList<QAction*> TForm1::busyActions() const {
    return {Programm,      ReadConf,  CompareConf, FactoryConfig, Reset,
            Reconfigurate, FileOpen1, FileSave1,   FileNew1,      ComPortConfig};
}

void TForm1::setBusy(bool busy) {
    for (QAction* a : busyActions())
        a->setEnabled(!busy);
    // The system-parameter page keeps the six device actions off while shown.
    if (!busy && ShownPage == 55)
        for (QAction* a : deviceActions())
            a->setEnabled(false);
}

bool TForm1::isBusy() const {
    return !ComPortConfig->isEnabled();
}

QList<QAction*> TForm1::deviceActions() const {
    return {Programm, ReadConf, CompareConf, Reconfigurate, Reset, FactoryConfig};
}

int TForm1::pageIndex() const {
    return navigation::pageIndexOf(TreeView1->currentItem());
}

void TForm1::selectPage(int pageIndex) {
    if (QTreeWidgetItem* item = navigation::itemAt(TreeView1, pageIndex))
        TreeView1->setCurrentItem(item);
}

Page* TForm1::page(int pageIndex) const {
    return pageIndex >= 0 && pageIndex < navigation::kPageCount ? pages_[pageIndex] : nullptr;
}

void TForm1::StorePage(int pageIndex) {
    if (pageIndex == 0 || pageIndex == 37)
        return;
    if (Page* p = page(pageIndex))
        p->storePage(image_, pageIndex);
}

void TForm1::LoadPage(int pageIndex) {
    if (pageIndex == 0 || pageIndex == 37)
        return;
    if (Page* p = page(pageIndex))
        p->loadPage(image_, pageIndex);
}

void TForm1::TreeView1Change(QTreeWidgetItem* current) {
    const int P = navigation::pageIndexOf(current);
    if (P < 0)
        return;
    // 1. Store the page being left.
    if (ShownPage == 55) {
        for (QAction* a : deviceActions())
            a->setEnabled(true);
        StorePage(55);
    } else if (ShownPage > 0 && ShownPage != 37) {
        StorePage(ShownPage);
    }
    // 2. Title, preparation, load, bring to front.
    const PanelSpec* spec = panelSpecFor(P);
    Page* target = pages_[P];
    if (QLabel* title = target->titleLabel(); title && spec->titleLabel)
        title->setText(current->text(0));
    if (P == 55)
        for (QAction* a : deviceActions())
            a->setEnabled(false);
    target->prepare(P);
    if (spec->loadOnEntry)
        LoadPage(P);
    target->aligned(P);
    pageArea_->setCurrentWidget(frames_[P]);
    // 3.
    ShownPage = P;
    publishedPageIndex_.store(P);
}

QString TForm1::statusPanelText(int panel) const {
    return statusTexts_.at(panel);
}

void TForm1::setStatusPanelText(int panel, const QString& text) {
    // A text wider than its panel (a long file or port path) shows its end,
    // the part that tells one from another; the whole text is the tooltip.
    statusTexts_.at(panel) = text;
    QLabel* label = statusPanels_.at(panel);
    const int room = label->width() - 2 * label->frameWidth() - 4;
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideLeft, room);
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A device operation holds ComPortConfig disabled: closing now would cut it off.
    if (isBusy()) {
        event->ignore();
        return;
    }
    WriteSettingsFile();
    StorePage(pageIndex());
    WriteConfigFile(image_, QString::fromLatin1(kWorkingFile));
    event->accept();
}
