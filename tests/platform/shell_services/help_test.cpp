// Help topics, the help window over the program's own pages, and F1/F12 through a window's help link.
#include "platform/fakeservices.h"
#include "platform/helpviewer.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

using namespace nm::platform;

namespace {

TEST(HelpTopics, PageNamedByTopic) {
    const struct {
        const char* topic;
        const char* page;
    } cases[] = {
        {"Nutrimap.chm::/introduction.htm", "introduction.htm"},
        {"nutrimap.chm::searching_the_list.htm", "searching_the_list.htm"},
        {"Nutrimap.chm::/adding_or_changing_items.htm#ditto", "adding_or_changing_items.htm#ditto"},
        {"nutrimap.chm", ""},
        {"", ""},
        {"introduction.htm", "introduction.htm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(helpPageOf(QString::fromLatin1(c.topic)), QString::fromLatin1(c.page)) << c.topic;
}

TEST(HelpWindowViewer, ShowsOurPagesAndReportsAMissingOne) {
    HelpWindowViewer viewer;
    viewer.showTopic(QStringLiteral("Nutrimap.chm::/introduction.htm"));
    ASSERT_NE(viewer.window(), nullptr);
    EXPECT_TRUE(viewer.window()->isVisible());
    EXPECT_EQ(viewer.browser()->documentTitle(), QStringLiteral("Introduction"));

    const struct {
        const char* topic;
        const char* title;
    } pages[] = {{"Nutrimap.chm::/SEARCHING_THE_LIST.HTM", "Searching the list"},
                 {"Nutrimap.chm::/adding_or_changing_items.htm", "Adding or changing items"},
                 {"", "Nutrimap Help: Contents"}};
    for (const auto& p : pages) {
        viewer.showTopic(QString::fromLatin1(p.topic));
        EXPECT_EQ(viewer.browser()->documentTitle(), QString::fromLatin1(p.title)) << p.topic;
        EXPECT_GT(viewer.browser()->document()->toPlainText().size(), 200) << p.topic;
    }

    viewer.showTopic(QStringLiteral("Nutrimap.chm::/no_such_page.htm"));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains(QStringLiteral("no_such_page.htm")));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains(QStringLiteral("not found")));
}

TEST(HelpWindowViewer, ContentsLinksLeadToEveryTopicPage) {
    HelpWindowViewer viewer;
    viewer.showContents();
    const QString html = viewer.browser()->toHtml();
    for (const char* page : {"introduction.htm", "searching_the_list.htm", "adding_or_changing_items.htm"})
        EXPECT_TRUE(html.contains(QString::fromLatin1(page))) << page;
}

class HelpLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        plain = new QLineEdit(&window);
        special = new QLineEdit(&window);
        layout->addWidget(plain);
        layout->addWidget(special);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    FakeHelpViewer viewer;
    QWidget window;
    QLineEdit* plain = nullptr;
    QLineEdit* special = nullptr;
};

TEST_F(HelpLinkTest, F1AndF12ShowTheFocusedControlsTopicElseTheWindows) {
    auto* link = new HelpLink(window, &viewer, QStringLiteral("Nutrimap.chm::/searching_the_list.htm"));
    link->setControlTopic(special, QStringLiteral("Nutrimap.chm::/adding_or_changing_items.htm"));
    plain->setFocus();
    QTest::keyClick(plain, Qt::Key_F1);
    special->setFocus();
    QTest::keyClick(special, Qt::Key_F12);
    QTest::keyClick(special, Qt::Key_F1, Qt::ShiftModifier); // not help
    EXPECT_EQ(viewer.topics, QStringList({QStringLiteral("Nutrimap.chm::/searching_the_list.htm"),
                                          QStringLiteral("Nutrimap.chm::/adding_or_changing_items.htm")}));

    delete link; // the window closing removes its link
    QTest::keyClick(plain, Qt::Key_F1);
    EXPECT_EQ(viewer.topics.size(), 2);
}

TEST_F(HelpLinkTest, WindowWithoutTopicShowsContents) {
    new HelpLink(window, &viewer);
    plain->setFocus();
    QTest::keyClick(plain, Qt::Key_F1);
    ASSERT_EQ(viewer.topics.size(), 1);
    EXPECT_TRUE(helpPageOf(viewer.topics.first()).isEmpty());
}

TEST_F(HelpLinkTest, InnerWindowsLinkWinsOverTheOuterOne) {
    new HelpLink(window, &viewer, QStringLiteral("Nutrimap.chm::/introduction.htm"));
    auto* inner = new QWidget(&window);
    auto* field = new QLineEdit(inner);
    window.layout()->addWidget(inner);
    new HelpLink(*inner, &viewer, QStringLiteral("Nutrimap.chm::/searching_the_list.htm"));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_F1);
    plain->setFocus();
    QTest::keyClick(plain, Qt::Key_F1);
    EXPECT_EQ(viewer.topics, QStringList({QStringLiteral("Nutrimap.chm::/searching_the_list.htm"),
                                          QStringLiteral("Nutrimap.chm::/introduction.htm")}));
}

} // namespace
