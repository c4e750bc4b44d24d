// The food form's text-insert rule: labels, line breaks, trailing spaces, the caret and the cut.
#include "foods/textinsert.h"

#include <gtest/gtest.h>

using namespace nm::foods;

namespace {

struct Case {
    QString notes;
    NoteLabel label;
    QString result;
};

}  // namespace

TEST(TextInsert, LabelsOnEmptyAndFilledNotes) {
    const QString t = QStringLiteral("Good  ");   // its trailing spaces are dropped first
    const Case cases[] = {
        {QString(), NoteLabel::GroupA, QStringLiteral("Type A: ")},
        {QString(), NoteLabel::GroupB, QStringLiteral("Type B: ")},
        {QString(), NoteLabel::GroupAB, QStringLiteral("Type AB: ")},
        {QString(), NoteLabel::GroupO, QStringLiteral("Type O: ")},
        {QString(), NoteLabel::Beneficial, QStringLiteral("BENEFICIAL: ")},
        {QString(), NoteLabel::Avoid, QStringLiteral("AVOID: ")},
        {QString(), NoteLabel::NonSecretor, QStringLiteral("Non-secretor variant: ")},
        {QString(), NoteLabel::Neutral, QStringLiteral("NEUTRAL: ")},
        {QStringLiteral("   "), NoteLabel::Avoid, QStringLiteral("AVOID: ")},
        {QStringLiteral("   "), NoteLabel::GroupO, QStringLiteral("Type O: ")},
        {t, NoteLabel::GroupA, QStringLiteral("Good\r\nType A: ")},
        {t, NoteLabel::GroupB, QStringLiteral("Good\r\nType B: ")},
        {t, NoteLabel::GroupAB, QStringLiteral("Good\r\nType AB: ")},
        {t, NoteLabel::GroupO, QStringLiteral("Good\r\nType O: ")},
        {t, NoteLabel::Beneficial, QStringLiteral("GoodBENEFICIAL: ")},
        {t, NoteLabel::Avoid, QStringLiteral("GoodAVOID: ")},
        {t, NoteLabel::NonSecretor, QStringLiteral("GoodNon-secretor variant: ")},
        {t, NoteLabel::Neutral, QStringLiteral("GoodNEUTRAL: ")},
        // A line break the user typed stays; the label follows it.
        {QStringLiteral("Good\r\n"), NoteLabel::Avoid, QStringLiteral("Good\r\nAVOID: ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notes.toStdString() + " + " + noteLabelText(c.label).toStdString());
        const NotesInsert r = insertNoteLabel(c.notes, c.label);
        EXPECT_EQ(r.notes.toStdString(), c.result.toStdString());
        EXPECT_EQ(r.caret, c.result.size() - 1);   // every label ends with one space
    }
}

TEST(TextInsert, TheWorkedExample) {
    NotesInsert r = insertNoteLabel(QString(), NoteLabel::GroupA);
    EXPECT_EQ(r.notes, QStringLiteral("Type A: "));
    EXPECT_EQ(r.caret, 7);   // right after the colon
    QString typed = r.notes.left(r.caret) + QStringLiteral("nuts") + r.notes.mid(r.caret);
    EXPECT_EQ(typed, QStringLiteral("Type A:nuts "));
    r = insertNoteLabel(typed, NoteLabel::Beneficial);
    EXPECT_EQ(r.notes, QStringLiteral("Type A:nutsBENEFICIAL: "));
    r = insertNoteLabel(r.notes, NoteLabel::GroupB);
    EXPECT_EQ(r.notes, QStringLiteral("Type A:nutsBENEFICIAL:\r\nType B: "));
    EXPECT_EQ(r.caret, r.notes.size() - 1);
}

TEST(TextInsert, CutToAThousandCharacters) {
    const QString full(1000, QLatin1Char('x'));
    NotesInsert r = insertNoteLabel(full, NoteLabel::Beneficial);
    EXPECT_EQ(r.notes, full);
    EXPECT_EQ(r.caret, 1000);

    // Partly cut label; the caret still ends after the last character kept.
    r = insertNoteLabel(QString(995, QLatin1Char('x')), NoteLabel::Beneficial);
    EXPECT_EQ(r.notes, QString(995, QLatin1Char('x')) + QStringLiteral("BENEF"));
    EXPECT_EQ(r.caret, 1000);

    // Trailing spaces of full notes make room.
    r = insertNoteLabel(QString(990, QLatin1Char('x')) + QString(10, QLatin1Char(' ')), NoteLabel::Avoid);
    EXPECT_EQ(r.notes, QString(990, QLatin1Char('x')) + QStringLiteral("AVOID: "));
    EXPECT_EQ(r.caret, 996);

    // A cut through the line break keeps neither half of it.
    r = insertNoteLabel(QString(999, QLatin1Char('x')), NoteLabel::GroupA);
    EXPECT_EQ(r.notes, QString(999, QLatin1Char('x')));
    EXPECT_EQ(r.caret, 999);
}

TEST(TextInsert, LineBreaksBetweenRecordAndBox) {
    const QString stored = QStringLiteral("a\r\nb\r\nc");
    EXPECT_EQ(notesForDisplay(stored), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(notesFromDisplay(QStringLiteral("a\nb\nc")), stored);
    EXPECT_EQ(notesFromDisplay(stored), stored);
    EXPECT_EQ(displayPosition(stored, 4), 3);   // after "a\r\nb"
    EXPECT_EQ(displayPosition(stored, int(stored.size())), 5);
}
