#include "filter.h"

#include "record.h"
#include "sqlutil.h"

#include <memory>
#include <vector>

namespace nm::store {

namespace {

enum class Tok { End, LParen, RParen, Op, And, Or, Field, Integer, Text };

struct Token {
    Tok kind;
    QString text;   // as written
    QVariant value; // integer or text literal
    qsizetype pos;  // 1-based column, for messages
};

Result bad(const QString& text) {
    return Result::failure(ErrorCode::BadExpression, text);
}

Result tokenize(const QString& s, std::vector<Token>& out) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto isNameChar = [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char(':');
    };
    while (i < n) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            out.push_back({c == QLatin1Char('(') ? Tok::LParen : Tok::RParen, QString(c), {}, start + 1});
            ++i;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            QString op(c);
            if (i + 1 < n) {
                const QChar d = s.at(i + 1);
                if ((c == QLatin1Char('<') && (d == QLatin1Char('>') || d == QLatin1Char('='))) ||
                    (c == QLatin1Char('>') && d == QLatin1Char('=')))
                    op += d;
            }
            i += op.size();
            out.push_back({Tok::Op, op, {}, start + 1});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString text;
            ++i;
            bool closed = false;
            while (i < n) {
                if (s.at(i) == c) {
                    if (i + 1 < n && s.at(i + 1) == c) {
                        text += c;
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                text += s.at(i++);
            }
            if (!closed)
                return bad(QStringLiteral("unterminated text starting at position %1: %2")
                               .arg(start + 1)
                               .arg(s.mid(start)));
            out.push_back({Tok::Text, s.mid(start, i - start), text, start + 1});
        } else if (c.isDigit() || (c == QLatin1Char('-') && i + 1 < n && s.at(i + 1).isDigit())) {
            ++i;
            while (i < n && s.at(i).isDigit())
                ++i;
            if (i < n && isNameChar(s.at(i))) {
                while (i < n && isNameChar(s.at(i)))
                    ++i;
                return bad(QStringLiteral("malformed number \"%1\" at position %2")
                               .arg(s.mid(start, i - start))
                               .arg(start + 1));
            }
            const QString digits = s.mid(start, i - start);
            bool ok = false;
            const qint64 v = digits.toLongLong(&ok);
            if (!ok)
                return bad(
                    QStringLiteral("number out of range \"%1\" at position %2").arg(digits).arg(start + 1));
            out.push_back({Tok::Integer, digits, v, start + 1});
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            while (i < n && isNameChar(s.at(i)))
                ++i;
            const QString word = s.mid(start, i - start);
            if (word.compare(QLatin1String("AND"), Qt::CaseInsensitive) == 0)
                out.push_back({Tok::And, word, {}, start + 1});
            else if (word.compare(QLatin1String("OR"), Qt::CaseInsensitive) == 0)
                out.push_back({Tok::Or, word, {}, start + 1});
            else
                out.push_back({Tok::Field, word, {}, start + 1});
        } else {
            return bad(QStringLiteral("unexpected \"%1\" at position %2").arg(c).arg(start + 1));
        }
    }
    out.push_back({Tok::End, QString(), {}, n + 1});
    return Result::success();
}

struct Node {
    enum Kind { And, Or, Compare } kind;
    std::unique_ptr<Node> left, right;
    // Compare: each side is a field (sql set) or a literal (value set).
    QString op;
    QString leftSql, rightSql;
    QVariant leftValue, rightValue;
};

class Parser {
public:
    Parser(std::vector<Token> tokens, const QList<FilterScope>& scope)
        : m_tokens(std::move(tokens)), m_scope(scope) {}

    Result parse(std::unique_ptr<Node>& root) {
        Result r = expression(root);
        if (r.ok() && peek().kind != Tok::End) {
            if (peek().kind == Tok::RParen)
                return bad(QStringLiteral("unmatched \")\" at position %1").arg(peek().pos));
            return bad(QStringLiteral("unexpected \"%1\" at position %2").arg(peek().text).arg(peek().pos));
        }
        return r;
    }

private:
    const Token& peek() const { return m_tokens.at(m_at); }
    const Token& next() { return m_tokens.at(m_at++); }

    Result expression(std::unique_ptr<Node>& out) {
        Result r = term(out);
        while (r.ok() && peek().kind == Tok::Or) {
            next();
            auto node = std::make_unique<Node>();
            node->kind = Node::Or;
            node->left = std::move(out);
            r = term(node->right);
            out = std::move(node);
        }
        return r;
    }

    Result term(std::unique_ptr<Node>& out) {
        Result r = factor(out);
        while (r.ok() && peek().kind == Tok::And) {
            next();
            auto node = std::make_unique<Node>();
            node->kind = Node::And;
            node->left = std::move(out);
            r = factor(node->right);
            out = std::move(node);
        }
        return r;
    }

    Result factor(std::unique_ptr<Node>& out) {
        if (peek().kind == Tok::LParen) {
            const Token open = next();
            Result r = expression(out);
            if (!r.ok())
                return r;
            if (peek().kind != Tok::RParen)
                return bad(QStringLiteral("missing \")\" for the \"(\" at position %1").arg(open.pos));
            next();
            return r;
        }
        auto node = std::make_unique<Node>();
        node->kind = Node::Compare;
        const FieldDef* leftField = nullptr;
        const FieldDef* rightField = nullptr;
        Result r = operand(node->leftSql, node->leftValue, leftField);
        if (!r.ok())
            return r;
        if (peek().kind != Tok::Op) {
            if (peek().kind == Tok::End)
                return bad(QStringLiteral("expression ends after \"%1\" where a comparison was expected")
                               .arg(m_tokens.at(m_at - 1).text));
            return bad(QStringLiteral("expected a comparison operator at position %1, found \"%2\"")
                           .arg(peek().pos)
                           .arg(peek().text));
        }
        node->op = next().text;
        r = operand(node->rightSql, node->rightValue, rightField);
        if (!r.ok())
            return r;
        // Stored text has no trailing blanks, so a literal compared with a text field drops its own.
        if (leftField && leftField->isText() && node->rightValue.typeId() == QMetaType::QString)
            node->rightValue = fitText(node->rightValue.toString(), 1 << 20);
        if (rightField && rightField->isText() && node->leftValue.typeId() == QMetaType::QString)
            node->leftValue = fitText(node->leftValue.toString(), 1 << 20);
        out = std::move(node);
        return r;
    }

    Result operand(QString& sqlOut, QVariant& value, const FieldDef*& field) {
        const Token& t = peek();
        switch (t.kind) {
        case Tok::Integer:
        case Tok::Text:
            value = t.value;
            next();
            return Result::success();
        case Tok::Field:
            return fieldRef(next(), sqlOut, field);
        case Tok::End:
            return bad(QStringLiteral("expression ends where a field or value was expected"));
        default:
            return bad(QStringLiteral("expected a field or value at position %1, found \"%2\"")
                           .arg(t.pos)
                           .arg(t.text));
        }
    }

    Result fieldRef(const Token& t, QString& sqlOut, const FieldDef*& field) {
        const TableDef* table = t.text.contains(QLatin1Char(':')) ? tableByPrefix(t.text) : nullptr;
        if (table) {
            for (const FilterScope& s : m_scope) {
                if (s.table != table->id)
                    continue;
                const int i = table->fieldIndex(t.text);
                if (i < 0)
                    break;
                field = &table->fields.at(i);
                sqlOut = (s.alias.isEmpty() ? QString() : s.alias + QLatin1Char('.')) +
                         sql::quoted(field->column());
                return Result::success();
            }
        }
        return bad(QStringLiteral("unknown field \"%1\" at position %2").arg(t.text).arg(t.pos));
    }

    std::vector<Token> m_tokens;
    const QList<FilterScope>& m_scope;
    std::size_t m_at = 0;
};

void emitSql(const Node& n, QString& out, QVariantList& params) {
    if (n.kind == Node::Compare) {
        auto side = [&](const QString& s, const QVariant& v) {
            if (!s.isEmpty()) {
                out += s;
            } else {
                out += QLatin1Char('?');
                params << v;
            }
        };
        out += QLatin1Char('(');
        side(n.leftSql, n.leftValue);
        out += QLatin1Char(' ') + n.op + QLatin1Char(' ');
        side(n.rightSql, n.rightValue);
        out += QLatin1Char(')');
        return;
    }
    out += QLatin1Char('(');
    emitSql(*n.left, out, params);
    out += n.kind == Node::And ? QLatin1String(" AND ") : QLatin1String(" OR ");
    emitSql(*n.right, out, params);
    out += QLatin1Char(')');
}

} // namespace

Result compileFilter(const QString& expression, const QList<FilterScope>& scope, QString& sql,
                     QVariantList& params) {
    if (expression.trimmed().isEmpty()) {
        sql.clear();
        params.clear();
        return Result::success();
    }
    std::vector<Token> tokens;
    Result r = tokenize(expression, tokens);
    if (!r.ok())
        return r;
    std::unique_ptr<Node> root;
    Parser parser(std::move(tokens), scope);
    r = parser.parse(root);
    if (!r.ok())
        return r;
    QString out;
    QVariantList values;
    emitSql(*root, out, values);
    sql = out;
    params = values;
    return Result::success();
}

} // namespace nm::store
