// The navigation tree, the PageIndex table and the page switch, on the real
// main window with recording panels in place of the page classes.
#include "app/main_window.h"
#include "app/navigation_tree.h"
#include "pages/page.h"
#include "support/app_fixture.h"
#include "support/qt_print.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QSplitter>
#include <QTreeWidget>
#include <vector>

namespace {

std::vector<QString> g_log;

// Logs every call the window makes, in order.
class RecordingPage : public Page {
public:
    RecordingPage(const PanelSpec& spec, const UiTexts& texts, QWidget* parent)
        : Page(QString::fromLatin1(spec.panelName), texts, parent) {
        if (spec.titleLabel)
            makeTitle(QString::fromLatin1(spec.titleLabel));
    }
    void prepare(int p) override { log("prepare", p); }
    void storePage(ConfigImage&, int p) override { log("store", p); }
    void loadPage(ConfigImage&, int p) override { log("load", p); }
    void aligned(int p) override { log("aligned", p); }
    TForm1* window = nullptr;

private:
    void log(const char* what, int p) {
        QString entry = QStringLiteral("%1 %2").arg(what).arg(p);
        if (title_)
            entry += QStringLiteral(" [%1]").arg(title_->text());
        g_log.push_back(entry);
    }
};

Page* recordingFactory(const PanelSpec& spec, const UiTexts& texts, QWidget* parent) {
    return new RecordingPage(spec, texts, parent);
}

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TForm1>(QString(), recordingFactory);
        g_log.clear();
    }
    std::vector<QString> switchTo(int p) {
        g_log.clear();
        window->selectPage(p);
        return g_log;
    }
    TempWorkDir dir;
    std::unique_ptr<TForm1> window;
};

QString expectedCaption(int p) {
    struct Run {
        int first, last;
        const char* text; // "%1" is the number within the run
    };
    static const Run runs[] = {
        {0, 0, "GSM контроллер RZN460"},
        {1, 1, "Общие параметры соединений"},
        {2, 9, "Соединение %1"},
        {10, 10, "Общие параметры GPRS"},
        {11, 13, "Сервер %1"},
        {14, 14, "Часы, планировщик задач"},
        {15, 15, "Питание, температура, индикация, контроль вскрытия"},
        {16, 19, "Периметр %1"},
        {20, 20, "Входы"},
        {21, 36, "Вход %1"},
        {37, 37, "Выходы"},
        {38, 39, "Реле %1"},
        {40, 44, "Выход %1"},
        {45, 45, "Сценарии управления"},
        {46, 46, "Профили"},
        {47, 54, "Профиль %1"},
        {55, 55, "Системные параметры"},
    };
    for (const Run& r : runs)
        if (p >= r.first && p <= r.last) {
            QString t = QString::fromUtf8(r.text);
            return t.contains("%1") ? t.arg(p - r.first + 1) : t;
        }
    return {};
}

} // namespace

TEST_F(NavigationTest, TreeHasFiftySixNodesInDepthFirstOrder) {
    QTreeWidget* tree = window->TreeView1;
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it, ++count) {
        EXPECT_EQ(navigation::pageIndexOf(*it), count);
        EXPECT_EQ((*it)->text(0), expectedCaption(count)) << "node " << count;
    }
    EXPECT_EQ(count, 56);
    // Depths: connections, servers, inputs, outputs, scenarios and profiles are children.
    const auto parentIndex = [&](int p) {
        return navigation::pageIndexOf(navigation::itemAt(tree, p)->parent());
    };
    EXPECT_EQ(parentIndex(1), 0);
    EXPECT_EQ(parentIndex(9), 1);
    EXPECT_EQ(parentIndex(13), 10);
    EXPECT_EQ(parentIndex(16), 0);
    EXPECT_EQ(parentIndex(36), 20);
    EXPECT_EQ(parentIndex(45), 37);
    EXPECT_EQ(parentIndex(54), 46);
    EXPECT_EQ(parentIndex(55), 0);
    EXPECT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_TRUE(navigation::itemAt(tree, 46)->isExpanded());
}

TEST_F(NavigationTest, TreeTextIsTabIndentedWithCrLf) {
    const QString text = navigation::treeText();
    const QStringList lines = text.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 56);
    EXPECT_EQ(lines.at(0), "GSM контроллер RZN460-KL+T407");
    EXPECT_EQ(lines.at(45), "\t\tСценарии управления");
    EXPECT_EQ(lines.at(55), "\tСистемные параметры");
    EXPECT_FALSE(text.contains(QRegularExpression("[^\r]\n")));
}

TEST_F(NavigationTest, EveryPageIndexHasItsPanel) {
    const struct {
        int first, last;
        const char* panel;
    } table[] = {{0, 0, "Panel10"},
                 {1, 1, "Panel1"},
                 {2, 9, "Panel5"},
                 {10, 10, "PanelGPRSSharedPAr"},
                 {11, 13, "PanelServersPar"},
                 {14, 14, "Panel2"},
                 {15, 15, "Panel3"},
                 {16, 19, "PanelPerimeters"},
                 {20, 20, "Panel7"},
                 {21, 36, "Panel6"},
                 {37, 37, "Panel8"},
                 {38, 44, "Panel9"},
                 {45, 45, "Panel12"},
                 {46, 46, "PanelProfileMain"},
                 {47, 54, "PanelProfile"},
                 {55, 55, "Panel11"}};
    QSet<Page*> panels;
    for (const auto& row : table)
        for (int p = row.first; p <= row.last; ++p) {
            ASSERT_NE(window->page(p), nullptr);
            EXPECT_EQ(window->page(p)->objectName(), row.panel) << "page " << p;
            panels.insert(window->page(p));
        }
    EXPECT_EQ(panels.size(), 16);
}

TEST_F(NavigationTest, SwitchStoresLeftPageThenTitlesPreparesLoadsAndAligns) {
    EXPECT_EQ(switchTo(5),
              (std::vector<QString>{"prepare 5 [Соединение 4]", "load 5 [Соединение 4]",
                                    "aligned 5 [Соединение 4]"}));
    EXPECT_EQ(window->shownPage(), 5);
    EXPECT_EQ(switchTo(32), (std::vector<QString>{"store 5 [Соединение 4]", "prepare 32 [Вход 12]",
                                                  "load 32 [Вход 12]", "aligned 32 [Вход 12]"}));
    // Input 12 to input 3: input 12 is stored before input 3 is prepared and loaded.
    EXPECT_EQ(switchTo(23), (std::vector<QString>{"store 32 [Вход 12]", "prepare 23 [Вход 3]",
                                                  "load 23 [Вход 3]", "aligned 23 [Вход 3]"}));
}

TEST_F(NavigationTest, PagesZeroAndThirtySevenAreNeitherStoredNorLoaded) {
    EXPECT_EQ(switchTo(37), (std::vector<QString>{"prepare 37 [Выходы]", "aligned 37 [Выходы]"}));
    EXPECT_EQ(switchTo(0), (std::vector<QString>{"prepare 0 [GSM контроллер RZN460]",
                                                 "aligned 0 [GSM контроллер RZN460]"}));
    EXPECT_EQ(switchTo(10), (std::vector<QString>{"prepare 10", "load 10", "aligned 10"}));
    g_log.clear();
    window->StorePage(0);
    window->LoadPage(0);
    window->StorePage(37);
    window->LoadPage(37);
    EXPECT_TRUE(g_log.empty());
}

TEST_F(NavigationTest, PageFiftyFiveHoldsTheSixDeviceActionsDisabled) {
    switchTo(55);
    for (QAction* a : window->deviceActions())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(window->FileOpen1->isEnabled());
    EXPECT_TRUE(window->ComPortConfig->isEnabled());
    // Leaving re-enables them, even those disabled by something else, and stores page 55.
    EXPECT_EQ(switchTo(14), (std::vector<QString>{"store 55 [Системные параметры]",
                                                  "prepare 14 [Часы, планировщик задач]",
                                                  "load 14 [Часы, планировщик задач]",
                                                  "aligned 14 [Часы, планировщик задач]"}));
    for (QAction* a : window->deviceActions())
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(NavigationTest, LayoutIsFixed) {
    EXPECT_EQ(window->TreeView1->width(), 209);
    ASSERT_EQ(window->Splitter1->count(), 2);
    EXPECT_FALSE(window->Splitter1->handle(1)->isEnabled());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->width(), 925);
    EXPECT_EQ(window->centralWidget()->parentWidget(), window.get());
}
