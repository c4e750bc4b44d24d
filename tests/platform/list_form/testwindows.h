#pragma once
// Small list and form windows built on the generic classes, for the behaviours no real window of the
// program shows on its own (batch insert, picking, view-only, a list inside a form).

#include "listtesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace nm::testing {

struct GroupFormOptions {
    platform::InsertMode insertMode = platform::InsertMode::Return;
    std::function<void(store::Record&)> preset;
};

class TestGroupForm : public platform::UpdateForm {
    Q_OBJECT
public:
    TestGroupForm(platform::Services& services, platform::Session& session, QWidget* caller,
                  GroupFormOptions options = {})
        : UpdateForm(services, session, QStringLiteral("TestGroupForm"), store::TableId::Group, caller),
          m_options(std::move(options)) {
        type = new QLineEdit(this);
        type->setObjectName(QStringLiteral("GRP:TYPE"));
        type->setGeometry(10, 10, 150, 20);
        description = new QLineEdit(this);
        description->setObjectName(QStringLiteral("GRP:DESCRIPTION"));
        description->setGeometry(10, 40, 250, 20);
        ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setGeometry(10, 70, 60, 24);
        cancel = new QPushButton(QStringLiteral("Cancel"), this);
        cancel->setGeometry(80, 70, 60, 24);
        action = new QLabel(this);
        action->setGeometry(150, 72, 160, 20);
        resize(320, 100);
        setInsertMode(m_options.insertMode);
        setControls(ok, cancel, action, type);
        bindText(type, QStringLiteral("GRP:TYPE"), true);
        bindText(description, QStringLiteral("GRP:DESCRIPTION"), true);
    }

    static platform::UpdateProcedure procedure(platform::Services& services, GroupFormOptions options = {}) {
        return [&services, options](platform::Session& session, QWidget* caller,
                                    platform::UpdateDone done) -> platform::UpdateForm* {
            auto* form = new TestGroupForm(services, session, caller, options);
            form->start(std::move(done));
            return form->hasEnded() ? nullptr : form;
        };
    }

    QLineEdit* type;
    QLineEdit* description;
    QPushButton* ok;
    QPushButton* cancel;
    QLabel* action;

protected:
    void presetNewRecord(store::Record& record) override {
        if (m_options.preset)
            m_options.preset(record);
    }

private:
    GroupFormOptions m_options;
};

class TestGroupList : public platform::ListWindow {
    Q_OBJECT
public:
    TestGroupList(platform::Services& services, std::unique_ptr<platform::Session> session,
                  platform::UpdateProcedure procedure)
        : ListWindow(services, std::move(session), QStringLiteral("TestGroupList")) {
        view = new QTableView(this);
        view->setGeometry(10, 10, 400, 200);
        auto button = [this](const QString& name, const QString& text, int x) {
            auto* b = new QPushButton(text, this);
            b->setObjectName(name);
            b->setGeometry(x, 220, 70, 24);
            return b;
        };
        insert = button(QStringLiteral("INSERT"), QStringLiteral("&Insert"), 10);
        change = button(QStringLiteral("CHANGE"), QStringLiteral("&Change"), 90);
        remove = button(QStringLiteral("DELETE"), QStringLiteral("&Delete"), 170);
        select = button(QStringLiteral("SELECT"), QStringLiteral("&Select"), 250);
        close = button(QStringLiteral("CLOSE"), QStringLiteral("Close"), 330);
        resize(420, 260);
        platform::ListControl& l = setUpList(store::TableId::Group, view, {insert, change, remove, select, close});
        l.setColumns({{QStringLiteral("Group"), QStringLiteral("GRP:TYPE"), 80, 20},
                      {QStringLiteral("Description"), QStringLiteral("GRP:DESCRIPTION"), 60, 50}});
        l.addSortOrder({QStringLiteral("GRP:KEYNAME"), QStringLiteral("GRP:TYPE"), platform::LocatorKind::Incremental});
        l.setUpdateProcedure(std::move(procedure));
        l.refresh(platform::Highlight::First);
    }

    QTableView* view;
    QPushButton* insert;
    QPushButton* change;
    QPushButton* remove;
    QPushButton* select;
    QPushButton* close;
};

}  // namespace nm::testing
