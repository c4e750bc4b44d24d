#include "mainframe.h"

#include "clocktext.h"
#include "platform/dialogunits.h"
#include "platform/helpviewer.h"
#include "platform/messages.h"
#include "platform/settings.h"
#include "platform/traylink.h"
#include "resources/resourcepaths.h"
#include "splashscreen.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTimer>

namespace nm::shell {

namespace {

// The document area, with the title picture centred on its background.
class PictureArea : public QMdiArea {
public:
    explicit PictureArea(QWidget* parent) : QMdiArea(parent), m_picture(res::titlePicture()) {
        setBackground(QColor(0xE9, 0xE1, 0xCB));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QMdiArea::paintEvent(event);
        if (!m_picture.isValid())
            return;
        const QSize natural = m_picture.defaultSize();
        const QSize area = viewport()->size();
        // At its own size where it fits, smaller in a small frame; never blown up past 1.5 times.
        const double scale = std::min(1.5, 0.7 * area.width() / std::max(1, natural.width()));
        const QSizeF size(natural.width() * scale, natural.height() * scale);
        const QRectF target(QPointF((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
                            size);
        QPainter painter(viewport());
        m_picture.render(&painter, target);
    }

private:
    QSvgRenderer m_picture;
};

QAction* addEntry(QMenu* menu, const QString& text, const QString& useName, const QString& tip = QString()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(useName);
    if (!tip.isEmpty())
        action->setStatusTip(tip);
    return action;
}

} // namespace

Main::Main(platform::Services& services, platform::Session& session, ListLaunchers launchers, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_session(session), m_launchers(std::move(launchers)),
      m_clock([] { return QDateTime::currentDateTime(); }) {
    setObjectName(procedureName());
    setWindowTitle(QStringLiteral("Nutrimap"));
    setWindowIcon(QIcon(res::sunIcon()));
    setFont(platform::windowFont());
    m_newSession = [this] { return std::make_unique<platform::Session>(*m_services.messages); };

    m_mdi = new PictureArea(this);
    m_mdi->setObjectName(QStringLiteral("MdiArea"));
    // Without scroll bars the area's minimum grows with its windows' minimums, and tiling windows that
    // cannot shrink would push the frame past the screen; with them the overflow scrolls instead.
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);

    buildMenus();
    buildStatusBar();

    const platform::DialogUnits du(font());
    resize(du.size(643, 397));
}

Main::~Main() = default;

void Main::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FILEMENU"));
    QAction* printSetup = addEntry(file, QStringLiteral("P&rint Setup..."), QStringLiteral("PRINTSETUP"),
                                   QStringLiteral("Setup Printer"));
    file->addSeparator();
    QAction* exitAction = addEntry(file, QStringLiteral("E&xit"), QStringLiteral("EXIT"),
                                   QStringLiteral("Exit this application"));
    connect(printSetup, &QAction::triggered, this, [this] {
        if (!m_printer)
            m_printer = std::make_unique<QPrinter>();
        auto* dialog = new QPageSetupDialog(m_printer.get(), this);
        dialog->setObjectName(QStringLiteral("PrintSetupDialog"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* lists = menuBar()->addMenu(QStringLiteral("&Recipes and Lists"));
    lists->setObjectName(QStringLiteral("RECIPIES"));
    QAction* recipes =
        addEntry(lists, QStringLiteral("Browse &Recipe List"), QStringLiteral("RECIPIESBROWSERECEPIELIST"));
    lists->addSeparator();
    QAction* foods = addEntry(lists, QStringLiteral("Browse &Food List"),
                              QStringLiteral("LISTANDMAINTAINMAINTAINFOODLIST"));
    lists->addSeparator();
    QAction* groups = addEntry(lists, QStringLiteral("Maintain Food &Group List"),
                               QStringLiteral("BROWSEMAINTAINJOBSLIST"));
    connect(recipes, &QAction::triggered, this, [this] { openList(m_launchers.recipes); });
    connect(foods, &QAction::triggered, this, [this] { openList(m_launchers.foods); });
    connect(groups, &QAction::triggered, this, [this] { openList(m_launchers.groups); });

    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    m_windowMenu->menuAction()->setStatusTip(QStringLiteral("Create and Arrange windows"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &Main::fillWindowMenu);
    fillWindowMenu();

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->menuAction()->setStatusTip(QStringLiteral("Windows Help"));
    QAction* contents = addEntry(help, QStringLiteral("&Contents"), QStringLiteral("HELPINDEX"),
                                 QStringLiteral("View the contents of the help file"));
    help->addSeparator();
    QAction* about = addEntry(help, QStringLiteral("&About"), QStringLiteral("HELPABOUT"));
    connect(contents, &QAction::triggered, this, [this] {
        if (m_services.help)
            m_services.help->showContents();
    });
    connect(about, &QAction::triggered, this, &Main::openSplash);
}

void Main::fillWindowMenu() {
    m_windowMenu->clear();
    QAction* tile = addEntry(m_windowMenu, QStringLiteral("T&ile"), QStringLiteral("TILE"),
                             QStringLiteral("Make all open windows visible"));
    QAction* cascade = addEntry(m_windowMenu, QStringLiteral("&Cascade"), QStringLiteral("CASCADE"),
                                QStringLiteral("Stack all open windows"));
    QAction* arrange = addEntry(m_windowMenu, QStringLiteral("&Arrange Icons"), QStringLiteral("ARRANGE"),
                                QStringLiteral("Align all window icons"));
    connect(tile, &QAction::triggered, m_mdi, &QMdiArea::tileSubWindows);
    connect(cascade, &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
    connect(arrange, &QAction::triggered, this, &Main::arrangeIcons);

    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowMenu->addSeparator();
    auto* group = new QActionGroup(m_windowMenu);
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        QString title = window->windowTitle().trimmed();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                         : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction* entry = m_windowMenu->addAction(text);
        entry->setCheckable(true);
        entry->setChecked(window == m_mdi->activeSubWindow());
        group->addAction(entry);
        QPointer<QMdiSubWindow> target(window);
        connect(entry, &QAction::triggered, this, [this, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            m_mdi->setActiveSubWindow(target);
        });
    }
}

void Main::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    // Zone 1 is the bar's own message area, where the menu tips show; zone 2 is kept free.
    auto* zone2 = new QLabel(this);
    zone2->setObjectName(QStringLiteral("StatusZone2"));
    m_dateZone = new QLabel(this);
    m_dateZone->setObjectName(QStringLiteral("StatusZone3"));
    m_timeZone = new QLabel(this);
    m_timeZone->setObjectName(QStringLiteral("StatusZone4"));
    const QFontMetrics fm(font());
    zone2->setMinimumWidth(fm.horizontalAdvance(QLatin1Char('0')) * 8);
    m_dateZone->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("Wednesday, September 30, 2000")) + 8);
    m_timeZone->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("12:00PM")) + 12);
    m_timeZone->setAlignment(Qt::AlignCenter);
    bar->addPermanentWidget(zone2);
    bar->addPermanentWidget(m_dateZone);
    bar->addPermanentWidget(m_timeZone);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("ClockTimer"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &Main::refreshClock);
}

void Main::refreshClock() {
    const ClockTexts texts = clockTexts(m_clock());
    // Leading blanks of the time are part of its text; a label would otherwise show them too narrow.
    m_dateZone->setText(texts.date);
    m_timeZone->setText(texts.time);
}

void Main::open() {
    if (m_opened)
        return;
    if (m_services.messages)
        m_services.messages->registerProcedure(procedureName());
    m_request = m_session.request;
    m_session.request = platform::Request::None;
    m_session.response = platform::Response::None;
    if (m_services.settings)
        m_services.settings->restoreWindow(*this, procedureName());
    m_helpLink = new platform::HelpLink(*this, m_services.help, helpTopic());
    refreshClock();
    m_clockTimer->start();
    show();
    m_opened = true;
    if (m_splashOnOpen)
        QTimer::singleShot(0, this, &Main::openSplash);
}

QMdiSubWindow* Main::openList(const ListLauncher& launcher) {
    if (!launcher)
        return nullptr;
    QWidget* window = launcher(m_services, m_newSession());
    if (!window)
        return nullptr;
    QMdiSubWindow* sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(window->windowIcon().isNull() ? windowIcon() : window->windowIcon());
    window->show();
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    return sub;
}

void Main::openSplash() {
    auto* splash = new SplashScreen(m_services, m_newSession(), this);
    splash->open();
}

void Main::arrangeIcons() {
    // Minimized document windows line up from the bottom left, row above row.
    const QRect area = m_mdi->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        window->move(x, y - size.height());
        x += size.width();
    }
}

void Main::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_opened && !m_inTray && isMinimized())
        // Hiding while the window engine is still minimizing the window confuses some desktops.
        QTimer::singleShot(0, this, &Main::hideToTray);
}

void Main::hideToTray() {
    if (m_inTray || !isMinimized() || !isVisible() || !m_services.tray)
        return;
    if (!m_services.tray->addIcon(windowIcon(), trayTip()))
        return; // no tray: the frame stays minimized where the desktop shows it
    m_inTray = true;
    connect(m_services.tray, &platform::TrayLink::doubleClicked, this, &Main::restoreFromTray,
            Qt::UniqueConnection);
    connect(m_services.tray, &platform::TrayLink::displayChosen, this, &Main::restoreFromTray,
            Qt::UniqueConnection);
    hide();
}

void Main::restoreFromTray() {
    if (!m_inTray)
        return;
    m_inTray = false;
    m_services.tray->removeIcon();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Main::closeEvent(QCloseEvent* event) {
    if (m_inTray)
        restoreFromTray();
    m_mdi->closeAllSubWindows();
    for (QMdiSubWindow* window : m_mdi->subWindowList())
        if (window->isVisible()) {
            // A document window that is still busy (a form waiting for an answer) keeps the frame open.
            event->ignore();
            return;
        }
    for (SplashScreen* splash : findChildren<SplashScreen*>(Qt::FindDirectChildrenOnly))
        splash->close();
    if (m_opened) {
        if (m_services.settings)
            m_services.settings->saveWindow(*this, procedureName());
        if (m_services.messages)
            m_services.messages->unregisterProcedure(procedureName());
    }
    delete m_helpLink;
    m_clockTimer->stop();
    m_session.response = platform::Response::Cancelled;
    if (m_services.tray)
        m_services.tray->removeIcon();
    event->accept();
    m_opened = false;
    emit closed();
}

} // namespace nm::shell
