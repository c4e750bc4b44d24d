// The real message boxes: their titles, texts, buttons and answers, and a fatal message ending the
// program only after OK.
#include "platform/messageservice.h"

#include <functional>
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using nm::platform::Answer;
using nm::platform::DialogMessageService;

namespace {

struct Seen {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Waits for the box to appear, notes what it shows, then presses `press` (or closes it when NoButton).
template <typename Call> Seen run(QMessageBox::StandardButton press, Call call) {
    auto seen = std::make_shared<Seen>();
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->stop();
        poll->deleteLater();
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->buttons = box->standardButtons();
        seen->icon = box->icon();
        if (auto* def = box->defaultButton())
            seen->defaultButton = box->standardButton(def);
        if (press == QMessageBox::NoButton)
            box->reject();
        else
            box->button(press)->click();
    });
    poll->start(10);
    call();
    return *seen;
}

TEST(DialogMessageService, NoticeShowsTitleAndTextWithOk) {
    DialogMessageService messages;
    const Seen seen = run(QMessageBox::Ok, [&] {
        messages.notice(QStringLiteral("Access Denied"),
                        QStringLiteral("Could not get write access to FOOD.TPS so trying read-only."));
    });
    EXPECT_EQ(seen.title, QStringLiteral("Access Denied"));
    EXPECT_EQ(seen.text, QStringLiteral("Could not get write access to FOOD.TPS so trying read-only."));
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

TEST(DialogMessageService, QuestionsAnswerWithTheButtonPressed) {
    DialogMessageService messages;
    bool yes = false;
    Seen seen = run(QMessageBox::Yes, [&] {
        yes = messages.askYesNo(QStringLiteral("Confirm Delete"), QStringLiteral("Delete?"));
    });
    EXPECT_TRUE(yes);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.title, QStringLiteral("Confirm Delete"));
    seen = run(QMessageBox::NoButton,
               [&] { yes = messages.askYesNo(QStringLiteral("Confirm Delete"), QStringLiteral("Delete?")); });
    EXPECT_FALSE(yes) << "closing the box answers No";

    struct Case {
        Answer defaultAnswer;
        QMessageBox::StandardButton press;
        Answer expected;
        QMessageBox::StandardButton expectedDefault;
    };
    for (const Case& c : {Case{Answer::Cancel, QMessageBox::Yes, Answer::Yes, QMessageBox::Cancel},
                          Case{Answer::Yes, QMessageBox::No, Answer::No, QMessageBox::Yes},
                          Case{Answer::No, QMessageBox::Cancel, Answer::Cancel, QMessageBox::No},
                          Case{Answer::Yes, QMessageBox::NoButton, Answer::Cancel, QMessageBox::Yes}}) {
        Answer answer = Answer::Ok;
        seen = run(c.press, [&] {
            answer = messages.askYesNoCancel(QStringLiteral("Save Record"), QStringLiteral("Save changes?"),
                                             c.defaultAnswer);
        });
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(seen.defaultButton, c.expectedDefault);
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
}

TEST(DialogMessageService, FatalAddsItsLineAndEndsOnlyAfterOk) {
    int endedWith = -1;
    bool boxWasOpenWhenEnded = true;
    DialogMessageService messages([&](int status) {
        endedWith = status;
        boxWasOpenWhenEnded = QApplication::activeModalWidget() != nullptr;
    });
    const Seen seen = run(QMessageBox::Ok, [&] {
        messages.fatal(QStringLiteral("File Access Error"),
                       QStringLiteral("File FOOD.TPS could not be opened.  Error: disk I/O error."));
    });
    EXPECT_EQ(seen.title, QStringLiteral("File Access Error"));
    EXPECT_EQ(seen.text,
              QStringLiteral("File FOOD.TPS could not be opened.  Error: disk I/O error.  Press OK to end "
                             "this application"));
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_NE(endedWith, 0);
    EXPECT_NE(endedWith, -1);
    EXPECT_FALSE(boxWasOpenWhenEnded);
}

TEST(DialogMessageService, RealFatalEndsTheProcessNonZero) {
    // Checked in a child process: the default way of ending leaves no room for the caller to go on.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            DialogMessageService messages;
            run(QMessageBox::Ok,
                [&] { messages.fatal(QStringLiteral("Key was not built"), QStringLiteral("x")); });
            std::exit(0);
        },
        ::testing::ExitedWithCode(DialogMessageService::kFatalExitStatus), "");
}

} // namespace
