#pragma once
// The food form's text-insert buttons: labelled headings written into a food's notes. No widgets here.

#include <QString>

namespace nm::foods {

enum class NoteLabel { GroupA, GroupB, GroupAB, GroupO, Beneficial, Avoid, NonSecretor, Neutral };

inline constexpr int kNotesWidth = 1000;

struct NotesInsert {
    QString notes;   // the new notes, at most 1000 characters (a line break counts as two)
    int caret = 0;   // right after the last non-space character of `notes`
};

QString noteLabelText(NoteLabel label);   // "Type A: ", "BENEFICIAL: " ...

// Drops the trailing spaces of `notes`, then adds the label: a blood-type label on a new line, a
// rating label straight after the text; cut to 1000 characters. Line breaks are "\r\n".
NotesInsert insertNoteLabel(const QString& notes, NoteLabel label);

// The notes box shows "\n" where the record holds "\r\n".
QString notesForDisplay(const QString& stored);
QString notesFromDisplay(const QString& shown);
// A position in stored notes as a position in notesForDisplay of the same notes.
int displayPosition(const QString& stored, int storedPos);

}  // namespace nm::foods
