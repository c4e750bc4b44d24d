#pragma once
// Set-up shared by the recipe window tests: foods, recipes and ingredient lines stored straight into a
// fresh directory, the recipe list opened on its own session, scripted messages, and ways to reach the
// forms and controls as a user would.

#include "foods/mntfood.h"
#include "platform/dialogunits.h"
#include "platform/fakeservices.h"
#include "platform/listwindow.h"
#include "platform/scriptedmessages.h"
#include "platform/services.h"
#include "platform/session.h"
#include "platform/settings.h"
#include "platform/updateform.h"
#include "recipes/brrecepies.h"
#include "recipes/foodlookup.h"
#include "recipes/ingredienttexts.h"
#include "recipes/updingedients.h"
#include "recipes/uprecepies.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"
#include "store/view.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "support/windowtest.h"

#include <memory>

namespace nm::recipes::testing {

using platform::Answer;
using platform::ScriptedMessages;
using store::TableId;

inline QString s(const char* text) { return QString::fromUtf8(text); }

struct StoredRecipe {
    qint32 id = 0;
    QString name;
    QString summary;
    QStringList rates;   // A, B, AB, O
    QString method;
};

struct StoredIngredient {
    qint32 id = 0;
    qint32 recipe = 0;
    qint32 food = 0;
    QString quantity;
    QStringList texts;        // benefit, neutral, avoid
    QList<int> copies;        // O, A, B, AB
};

class RecipeWindowTest : public nm::testing::WindowTestBase {
protected:
    // Codes in the order O, A, B, AB.
    qint32 storeFood(const QString& name, int o, int a, int b, int ab, const QString& groupName = QString()) {
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(TableId::Food);
        EXPECT_TRUE(table.primeAutoInc().ok());
        store::Record& r = table.buffer();
        r.setText(s("FOO:NAME"), name);
        r.setInteger(s("FOO:BLOODO"), o);
        r.setInteger(s("FOO:BLOODA"), a);
        r.setInteger(s("FOO:BLOODB"), b);
        r.setInteger(s("FOO:BLOODAB"), ab);
        r.setText(s("FOO:GROUPNAME"), groupName);
        EXPECT_TRUE(writer.store().relation(TableId::Food).insert().ok());
        return r.integer(s("FOO:KEYIDFOOD"));
    }

    void deleteFood(qint32 id) {
        platform::Session writer(messages, dir.path());
        ASSERT_TRUE(writer.store().table(TableId::Food).fetch(s("FOO:KEYID"), {id}).ok());
        ASSERT_TRUE(writer.store().relation(TableId::Food).remove().ok());
    }

    // Rates in the order A, B, AB, O, as the recipe record keeps them.
    qint32 storeRecipe(const QString& name, const QStringList& rates = {}, const QString& method = QString(),
                       const QString& summary = QString()) {
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(TableId::Recepie);
        EXPECT_TRUE(table.primeAutoInc().ok());
        store::Record& r = table.buffer();
        r.setText(s("REC:NAME"), name);
        r.setText(s("REC:SUMMARY"), summary);
        const char* fields[4] = {"REC:ARATE", "REC:BRATE", "REC:ABRATE", "REC:ORATE"};
        for (int i = 0; i < rates.size() && i < 4; ++i)
            r.setText(s(fields[i]), rates.at(i));
        r.setText(s("REC:METHOD"), method);
        EXPECT_TRUE(writer.store().relation(TableId::Recepie).insert().ok());
        return r.integer(s("REC:KEYIDRECEPIE"));
    }

    // An ingredient line as the ingredient form leaves it: the food's codes copied, the texts built.
    qint32 storeIngredient(qint32 recipe, qint32 food, int o, int a, int b, int ab, const QString& quantity = {}) {
        platform::Session writer(messages, dir.path());
        store::TableManager& table = writer.store().table(TableId::RecepieIng);
        EXPECT_TRUE(table.primeAutoInc().ok());
        store::Record& r = table.buffer();
        r.setInteger(s("REI:KEYIDRECEPIE"), recipe);
        r.setInteger(s("REI:KEYIDFOOD"), food);
        r.setText(s("REI:QUANTITY"), quantity);
        r.setInteger(s("REI:BLOODO"), o);
        r.setInteger(s("REI:BLOODA"), a);
        r.setInteger(s("REI:BLOODB"), b);
        r.setInteger(s("REI:BLOODAB"), ab);
        const IngredientTexts texts = ingredientTexts(
            {static_cast<std::uint8_t>(o), static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
             static_cast<std::uint8_t>(ab)});
        r.setText(s("REI:BENEFIT"), texts.benefit);
        r.setText(s("REI:NEUTRAL"), texts.neutral);
        r.setText(s("REI:AVOID"), texts.avoid);
        EXPECT_TRUE(writer.store().relation(TableId::RecepieIng).insert().ok());
        return r.integer(s("REI:KEYIDING"));
    }

    QVector<StoredRecipe> storedRecipes() {
        platform::Session reader(messages, dir.path());
        store::View view(reader.store(), TableId::Recepie, s("REC:KEYID"));
        QVector<store::ViewRow> rows;
        EXPECT_TRUE(view.load(rows).ok());
        QVector<StoredRecipe> out;
        for (const store::ViewRow& row : rows) {
            const store::Record& r = row.primary;
            out.append({r.integer(s("REC:KEYIDRECEPIE")), r.text(s("REC:NAME")), r.text(s("REC:SUMMARY")),
                        {r.text(s("REC:ARATE")), r.text(s("REC:BRATE")), r.text(s("REC:ABRATE")), r.text(s("REC:ORATE"))},
                        r.text(s("REC:METHOD"))});
        }
        return out;
    }

    QVector<StoredIngredient> storedIngredients() {
        platform::Session reader(messages, dir.path());
        store::View view(reader.store(), TableId::RecepieIng, s("REI:KEYID"));
        QVector<store::ViewRow> rows;
        EXPECT_TRUE(view.load(rows).ok());
        QVector<StoredIngredient> out;
        for (const store::ViewRow& row : rows) {
            const store::Record& r = row.primary;
            out.append({r.integer(s("REI:KEYIDING")), r.integer(s("REI:KEYIDRECEPIE")), r.integer(s("REI:KEYIDFOOD")),
                        r.text(s("REI:QUANTITY")),
                        {r.text(s("REI:BENEFIT")), r.text(s("REI:NEUTRAL")), r.text(s("REI:AVOID"))},
                        {r.integer(s("REI:BLOODO")), r.integer(s("REI:BLOODA")), r.integer(s("REI:BLOODB")),
                         r.integer(s("REI:BLOODAB"))}});
        }
        return out;
    }

    // The lines stored for one recipe (a number reserved for a line being added is in none).
    QVector<StoredIngredient> linesOf(qint32 recipe) {
        QVector<StoredIngredient> out;
        for (const StoredIngredient& i : storedIngredients()) {
            if (i.recipe == recipe)
                out.append(i);
        }
        return out;
    }

    std::unique_ptr<BrRecepies> openList(platform::Request request = platform::Request::None) {
        auto session = newSession();
        session->request = request;
        auto window = std::make_unique<BrRecepies>(services, std::move(session));
        window->show();
        window->activateWindow();
        EXPECT_TRUE(waitActive(window.get()));
        return window;
    }

    static UpRecepies* recipeForm(BrRecepies& w) {
        auto* f = qobject_cast<UpRecepies*>(w.list().openForm());
        if (f) {
            EXPECT_TRUE(waitActive(f));
        }
        return f;
    }
    static UpdIngedients* ingredientForm(UpRecepies* f) {
        auto* g = qobject_cast<UpdIngedients*>(f->ingredients().openForm());
        if (g) {
            EXPECT_TRUE(waitActive(g));
        }
        return g;
    }
    static foods::MntFood* foodForm(UpdIngedients* g) {
        auto* m = qobject_cast<foods::MntFood*>(g->foodForm());
        if (m) {
            EXPECT_TRUE(waitActive(m));
        }
        return m;
    }

    // The window is active as the application sees it, so the focus and key events go where a user's
    // would; the platform's own activation can come a little earlier.
    static bool waitActive(QWidget* w) {
        return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
    }
    static void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); }
    template <class W>
    static W* child(QWidget* w, const char* name) {
        W* c = w->findChild<W*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Types into the food lookup as a user does, one key at a time.
    static void typeFood(UpdIngedients* g, const QString& text) {
        g->lookup()->setFocus();
        QTest::keyClicks(g->lookup(), text);
    }

    // The four rating labels of the recipe form, A, B, AB, O.
    static QStringList ratingsShown(UpRecepies* f) {
        return {f->ratingLabel(BloodType::A)->text(), f->ratingLabel(BloodType::B)->text(),
                f->ratingLabel(BloodType::AB)->text(), f->ratingLabel(BloodType::O)->text()};
    }
    static QStringList column(platform::ListControl& list, int c) {
        QStringList out;
        for (int r = 0; r < list.rowCount(); ++r)
            out << list.model().index(r, c).data().toString();
        return out;
    }
};

}  // namespace nm::recipes::testing

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& t, std::ostream* os) { *os << '"' << t.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(QStringLiteral("|")).toStdString() << ']';
}
QT_END_NAMESPACE
