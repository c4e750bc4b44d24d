#include "splashscreen.h"

#include "platform/dialogunits.h"
#include "platform/helpviewer.h"
#include "platform/hyperlink.h"
#include "platform/messages.h"
#include "platform/settings.h"
#include "resources/resourcepaths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>

namespace nm::shell {

namespace {

QFont splashFont() {
    if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPointSize(8);
        return font;
    }
    return platform::windowFont();
}

QPixmap picture(const QString& path, QSize size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QLabel* text(QWidget* parent, const QString& useName, const QString& content, const QRect& at) {
    auto* label = new QLabel(content, parent);
    label->setObjectName(useName);
    label->setGeometry(at);
    return label;
}

} // namespace

QString SplashScreen::noticeLine() {
    return QStringLiteral("Nutrimap version %1   \u00A9 %2 Nutrimap")
        .arg(QStringLiteral(NUTRIMAP_VERSION), QStringLiteral(NUTRIMAP_YEAR));
}

SplashScreen::SplashScreen(platform::Services& services, std::unique_ptr<platform::Session> session,
                           QWidget* parent, std::chrono::milliseconds closeAfter)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), m_services(services),
      m_session(std::move(session)), m_closeAfter(closeAfter) {
    setObjectName(procedureName());
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());
    setFont(splashFont());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFB, 0xF4, 0xE2));
    setPalette(pal);

    const platform::DialogUnits du(font());
    setFixedSize(du.size(309, 316));
    const qreal ratio = devicePixelRatioF();

    text(this, QStringLiteral("STRINGEMAIL"), QStringLiteral("email: ") + supportAddress(),
         du.rect(8, 280, 296, 10));
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GROUPMAIN"));
    group->setGeometry(du.rect(7, 4, 295, 258));
    auto* portrait = text(this, QStringLiteral("IMAGE1"), QString(), du.rect(16, 18, 277, 177));
    portrait->setPixmap(picture(res::portraitPicture(), portrait->size(), ratio));
    auto* title = text(this, QStringLiteral("IMAGENUTRIMAP"), QString(), du.rect(16, 196, 277, 40));
    title->setPixmap(picture(res::titlePicture(), title->size(), ratio));
    text(this, QStringLiteral("STRINGCOPY"), noticeLine(), du.rect(16, 244, 278, 10));
    auto* site = text(this, QStringLiteral("STRINGCOM"), webAddress(), du.rect(7, 266, 296, 10));
    site->adjustSize(); // the link ends where its text ends, so the hand shows only over the address
    auto* button = new QPushButton(QStringLiteral("&Continue..."), this);
    button->setObjectName(QStringLiteral("CLOSE"));
    button->setGeometry(du.rect(7, 296, 50, 14));
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, [this] {
        m_session->response = platform::Response::Completed;
        close();
    });

    m_closeTimer = new QTimer(this);
    m_closeTimer->setObjectName(QStringLiteral("CloseTimer"));
    m_closeTimer->setSingleShot(true);
    connect(m_closeTimer, &QTimer::timeout, this, &SplashScreen::requestClose);
}

SplashScreen::~SplashScreen() = default;

void SplashScreen::open() {
    if (m_services.messages)
        m_services.messages->registerProcedure(procedureName());
    auto* site = findChild<QLabel*>(QStringLiteral("STRINGCOM"));
    new platform::Hyperlink(*site, QUrl(webAddress()), m_services.browser);
    // Over the middle of the frame unless the settings file says otherwise.
    if (const QWidget* frame = parentWidget())
        move(frame->geometry().center() - QPoint(width() / 2, height() / 2));
    if (m_services.settings)
        m_services.settings->restoreWindow(*this, procedureName(), false);
    m_closeTimer->start(m_closeAfter);
    new platform::HelpLink(*this, m_services.help);
    m_opened = true;
    show();
    raise();
    activateWindow();
    findChild<QPushButton*>(QStringLiteral("CLOSE"))->setFocus();
}

void SplashScreen::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        m_wasActive = true;
    else if (m_wasActive && !QApplication::activeModalWidget())
        // A message box of our own in front (the link's browser failure) is not the user leaving.
        requestClose();
}

void SplashScreen::requestClose() {
    if (m_closing)
        return;
    // Closing under a message box would pull the window away from the code that waits for the box.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(250, this, &SplashScreen::requestClose);
        return;
    }
    m_closing = true;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void SplashScreen::closeEvent(QCloseEvent* event) {
    if (m_opened) {
        if (m_services.settings)
            m_services.settings->saveWindow(*this, procedureName(), false);
        if (m_services.messages)
            m_services.messages->unregisterProcedure(procedureName());
        m_opened = false;
    }
    m_closeTimer->stop();
    delete findChild<platform::HelpLink*>();
    event->accept();
}

} // namespace nm::shell
