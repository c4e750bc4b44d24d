#include "textinsert.h"

namespace nm::foods {

namespace {

qsizetype clippedLength(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return n;
}

bool startsLine(NoteLabel label) {
    switch (label) {
    case NoteLabel::GroupA:
    case NoteLabel::GroupB:
    case NoteLabel::GroupAB:
    case NoteLabel::GroupO: return true;
    default: return false;
    }
}

}  // namespace

QString noteLabelText(NoteLabel label) {
    switch (label) {
    case NoteLabel::GroupA: return QStringLiteral("Type A: ");
    case NoteLabel::GroupB: return QStringLiteral("Type B: ");
    case NoteLabel::GroupAB: return QStringLiteral("Type AB: ");
    case NoteLabel::GroupO: return QStringLiteral("Type O: ");
    case NoteLabel::Beneficial: return QStringLiteral("BENEFICIAL: ");
    case NoteLabel::Avoid: return QStringLiteral("AVOID: ");
    case NoteLabel::NonSecretor: return QStringLiteral("Non-secretor variant: ");
    case NoteLabel::Neutral: return QStringLiteral("NEUTRAL: ");
    }
    return {};
}

NotesInsert insertNoteLabel(const QString& notes, NoteLabel label) {
    const QString t = notes.left(clippedLength(notes));
    QString result;
    if (t.isEmpty())
        result = noteLabelText(label);
    else if (startsLine(label))
        result = t + QStringLiteral("\r\n") + noteLabelText(label);
    else
        result = t + noteLabelText(label);
    result.truncate(kNotesWidth);
    // A cut must not leave half of a line break or of a surrogate pair behind.
    if (result.size() == kNotesWidth && result.back().isHighSurrogate())
        result.chop(1);
    if (result.size() == kNotesWidth && result.endsWith(QLatin1Char('\r')))
        result.chop(1);
    return {result, int(clippedLength(result))};
}

QString notesForDisplay(const QString& stored) {
    QString s = stored;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QString notesFromDisplay(const QString& shown) {
    QString s = shown;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return s;
}

int displayPosition(const QString& stored, int storedPos) {
    return int(notesForDisplay(stored.left(storedPos)).size());
}

}  // namespace nm::foods
