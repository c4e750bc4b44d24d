#pragma once
// Set-up shared by the food list and food form tests: foods and groups stored straight into a fresh
// directory, the food list opened on its own session, and ways to reach its controls by name.

#include "foods/browsefood.h"
#include "foods/mntfood.h"
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

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "support/windowtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

namespace nm::testing {

struct StoredFood {
    qint32 id = 0;
    QString name;
    qint32 groupId = 0;
    QString groupName;
    int a = 0, b = 0, ab = 0, o = 0;
    QString notes;
};

// The texts of one column of a list, top to bottom.
inline QStringList columnTexts(platform::ListControl& list, int column) {
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r)
        out << list.model().index(r, column).data().toString();
    return out;
}

inline QString highlightedText(platform::ListControl& list, int column = 0) {
    const int row = list.currentRow();
    return row < 0 ? QStringLiteral("<none>") : list.model().index(row, column).data().toString();
}

class FoodWindowTest : public nm::testing::WindowTestBase {
protected:
    qint32 addGroup(const QString& type, const QString& description) {
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(store::TableId::Group);
        EXPECT_TRUE(table.primeAutoInc().ok());
        table.buffer().setText(QStringLiteral("GRP:TYPE"), type);
        table.buffer().setText(QStringLiteral("GRP:DESCRIPTION"), description);
        EXPECT_TRUE(writer.store().relation(store::TableId::Group).insert().ok());
        return table.buffer().integer(QStringLiteral("GRP:KEYIDGROUP"));
    }

    struct Food {
        QString name;
        int a = 0, b = 0, ab = 0, o = 0;
        qint32 groupId = 0;
        QString groupName;
        QString notes;
    };

    qint32 storeFood(const Food& f) {
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(store::TableId::Food);
        EXPECT_TRUE(table.primeAutoInc().ok());
        store::Record& r = table.buffer();
        r.setText(QStringLiteral("FOO:NAME"), f.name);
        r.setInteger(QStringLiteral("FOO:BLOODA"), f.a);
        r.setInteger(QStringLiteral("FOO:BLOODB"), f.b);
        r.setInteger(QStringLiteral("FOO:BLOODAB"), f.ab);
        r.setInteger(QStringLiteral("FOO:BLOODO"), f.o);
        r.setInteger(QStringLiteral("FOO:KEYIDGROUP"), f.groupId);
        r.setText(QStringLiteral("FOO:GROUPNAME"), f.groupName);
        r.setText(QStringLiteral("FOO:NOTES"), f.notes);
        EXPECT_TRUE(writer.store().relation(store::TableId::Food).insert().ok());
        return r.integer(QStringLiteral("FOO:KEYIDFOOD"));
    }

    void renameGroup(qint32 id, const QString& type) {
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(store::TableId::Group);
        ASSERT_TRUE(table.fetch(QStringLiteral("GRP:KEYID"), {id}).ok());
        table.buffer().setText(QStringLiteral("GRP:TYPE"), type);
        // Straight through the table: the food keeps the name it was stored with.
        ASSERT_TRUE(table.update().ok());
    }

    // FOOD.TPS in ID order.
    QVector<StoredFood> storedFoods() {
        platform::Session reader(messages, dir.path());
        store::View view(reader.store(), store::TableId::Food, QStringLiteral("FOO:KEYID"));
        QVector<store::ViewRow> rows;
        EXPECT_TRUE(view.load(rows).ok());
        QVector<StoredFood> out;
        for (const store::ViewRow& row : rows) {
            const store::Record& r = row.primary;
            out.append({r.integer(QStringLiteral("FOO:KEYIDFOOD")), r.text(QStringLiteral("FOO:NAME")),
                        r.integer(QStringLiteral("FOO:KEYIDGROUP")), r.text(QStringLiteral("FOO:GROUPNAME")),
                        r.integer(QStringLiteral("FOO:BLOODA")), r.integer(QStringLiteral("FOO:BLOODB")),
                        r.integer(QStringLiteral("FOO:BLOODAB")), r.integer(QStringLiteral("FOO:BLOODO")),
                        r.text(QStringLiteral("FOO:NOTES"))});
        }
        return out;
    }

    std::unique_ptr<foods::BrowseFood> openList() {
        auto window = std::make_unique<foods::BrowseFood>(services, newSession());
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    template <class W>
    static W* child(QWidget* w, const char* name) {
        W* c = w->findChild<W*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    static foods::MntFood* form(foods::BrowseFood& w) {
        return qobject_cast<foods::MntFood*>(w.list().openForm());
    }
    static foods::MntFood* waitForm(foods::BrowseFood& w) {
        foods::MntFood* f = form(w);
        if (f) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(f));
        }
        return f;
    }
    static void click(QWidget* w, const char* name) {
        auto* b = child<QAbstractButton>(w, name);
        if (b)
            QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    // Clicking a check box on its label part, as a user does.
    static void clickBox(QWidget* w, const char* name) {
        auto* b = child<QCheckBox>(w, name);
        if (b)
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
    }

};

}  // namespace nm::testing
