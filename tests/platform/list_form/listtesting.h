#pragma once
// Shared set-up for list and form window tests: a fresh data directory, scripted messages, a settings
// file inside the directory and a help viewer that records what it was asked to show.

#include "platform/helpviewer.h"
#include "platform/listwindow.h"
#include "platform/scriptedmessages.h"
#include "platform/services.h"
#include "platform/session.h"
#include "platform/settings.h"
#include "platform/updateform.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"
#include "store/view.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "support/windowtest.h"

#include <memory>

namespace nm::testing {

struct GroupRow {
    qint32 id;
    QString type;
    QString description;
    bool operator==(const GroupRow& o) const { return id == o.id && type == o.type && description == o.description; }
};

inline std::ostream& operator<<(std::ostream& os, const GroupRow& r) {
    return os << '{' << r.id << ", \"" << r.type.toStdString() << "\", \"" << r.description.toStdString() << "\"}";
}

class WindowTest : public nm::testing::WindowTestBase {
protected:
    // What GROUP.TPS holds, read through a session of its own, in ID order.
    QVector<GroupRow> storedGroups() {
        platform::Session reader(messages, dir.path());
        store::View view(reader.store(), store::TableId::Group, QStringLiteral("GRP:KEYID"));
        QVector<store::ViewRow> rows;
        EXPECT_TRUE(view.load(rows).ok());
        QVector<GroupRow> out;
        for (const store::ViewRow& r : rows)
            out.append({r.primary.integer(QStringLiteral("GRP:KEYIDGROUP")), r.primary.text(QStringLiteral("GRP:TYPE")),
                        r.primary.text(QStringLiteral("GRP:DESCRIPTION"))});
        return out;
    }

    // Stores a group directly, as another program would have.
    qint32 addGroup(const QString& type, const QString& description) {
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(store::TableId::Group);
        EXPECT_TRUE(table.primeAutoInc().ok());
        table.buffer().setText(QStringLiteral("GRP:TYPE"), type);
        table.buffer().setText(QStringLiteral("GRP:DESCRIPTION"), description);
        EXPECT_TRUE(writer.store().relation(store::TableId::Group).insert().ok());
        return table.buffer().integer(QStringLiteral("GRP:KEYIDGROUP"));
    }

    void addFood(const QString& name, qint32 groupId) {
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(store::TableId::Food);
        EXPECT_TRUE(table.primeAutoInc().ok());
        table.buffer().setText(QStringLiteral("FOO:NAME"), name);
        table.buffer().setInteger(QStringLiteral("FOO:KEYIDGROUP"), groupId);
        EXPECT_TRUE(writer.store().relation(store::TableId::Food).insert().ok());
    }

    QStringList titles() const { return messages.titles(); }

};

// The texts of one column of a list, top to bottom.
inline QStringList columnTexts(platform::ListControl& list, int column) {
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r)
        out << list.model().index(r, column).data().toString();
    return out;
}

// Activation reaches a new window asynchronously; wait until it really has the keyboard.
inline bool waitActive(QWidget* window, bool activate = true) {
    if (activate)
        window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 3000);
}

// A double-click as the desktop delivers it: press and release, then the double-click press and release.
inline void doubleClickRow(QAbstractItemView* view, int row) {
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

inline QString highlightedText(platform::ListControl& list, int column = 0) {
    const int row = list.currentRow();
    return row < 0 ? QStringLiteral("<none>") : list.model().index(row, column).data().toString();
}

}  // namespace nm::testing
