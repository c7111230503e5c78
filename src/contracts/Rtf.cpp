#include "contracts/Rtf.h"
#include "base/Cp1252.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

namespace contracts {

namespace {

struct CharState {
    bool bold = false, italic = false, underline = false;
    int halfPoints = 24;
    int font = 0;
    int color = 0;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0, right = 0, first = 0; // twips
};

struct GroupState {
    CharState chars;
    ParaState para;
    int ucSkip = 1;
    enum Destination { Text, FontTable, ColorTable, Skip } destination = Text;
};

class Reader {
public:
    Reader(const QByteArray &rtf, QTextDocument &doc) : m_in(rtf), m_doc(doc), m_cursor(&doc) {}

    bool run()
    {
        if (!m_in.startsWith("{\\rtf"))
            return false;
        m_doc.clear();
        m_cursor = QTextCursor(&m_doc);
        m_stack.append(GroupState());
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos];
            if (c == '{') {
                flushText();
                m_skipChars = 0;
                m_stack.append(m_stack.back());
                ++m_pos;
            } else if (c == '}') {
                flushText();
                endGroup();
                ++m_pos;
            } else if (c == '\\') {
                controlWord();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else {
                addChar(QChar(char16_t(uchar(c))));
                ++m_pos;
            }
        }
        flushText();
        return true;
    }

private:
    GroupState &state() { return m_stack.back(); }

    void endGroup()
    {
        if (m_stack.size() <= 1)
            return;
        const GroupState ending = m_stack.takeLast();
        if (ending.destination == GroupState::FontTable && !m_fontName.isEmpty())
            finishFontName();
    }

    void addChar(QChar c)
    {
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        switch (state().destination) {
        case GroupState::Text: m_text += c; break;
        case GroupState::FontTable:
            if (c == u';')
                finishFontName();
            else
                m_fontName += c;
            break;
        case GroupState::ColorTable:
            if (c == u';') {
                m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
                m_red = m_green = m_blue = 0;
                m_colorSet = false;
            }
            break;
        case GroupState::Skip: break;
        }
    }

    void finishFontName()
    {
        m_fonts.insert(m_fontNumber, m_fontName.trimmed());
        m_fontName.clear();
    }

    QTextCharFormat charFormat() const
    {
        const CharState &s = m_stack.back().chars;
        QTextCharFormat f;
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(s.italic);
        f.setFontUnderline(s.underline);
        f.setFontPointSize(s.halfPoints / 2.0);
        if (m_fonts.contains(s.font))
            f.setFontFamilies({m_fonts.value(s.font)});
        if (s.color > 0 && s.color < m_colors.size() && m_colors[s.color].isValid())
            f.setForeground(m_colors[s.color]);
        return f;
    }

    QTextBlockFormat blockFormat() const
    {
        const ParaState &p = m_stack.back().para;
        QTextBlockFormat f;
        f.setAlignment(p.align);
        f.setLeftMargin(p.left / kTwipsPerPixel);
        f.setRightMargin(p.right / kTwipsPerPixel);
        f.setTextIndent(p.first / kTwipsPerPixel);
        return f;
    }

    // A paragraph takes the formatting in force when its text is written
    // and when it ends.
    void flushText()
    {
        if (m_text.isEmpty() || state().destination != GroupState::Text)
            return;
        m_cursor.setBlockFormat(blockFormat());
        m_cursor.insertText(m_text, charFormat());
        m_text.clear();
    }

    void newParagraph()
    {
        flushText();
        m_cursor.setBlockFormat(blockFormat());
        m_cursor.insertBlock(blockFormat(), charFormat());
    }

    void controlWord()
    {
        ++m_pos; // the backslash
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        if (!std::isalpha(uchar(c))) {
            ++m_pos;
            switch (c) {
            case '\\': case '{': case '}': addChar(QChar(char16_t(uchar(c)))); break;
            case '~': addChar(QChar(0x00A0)); break;
            case '_': addChar(QChar(0x2011)); break;
            case '*': state().destination = GroupState::Skip; break;
            case '\'': {
                bool ok = false;
                const int byte = m_in.mid(m_pos, 2).toInt(&ok, 16);
                m_pos += 2;
                if (ok)
                    addChar(base::fromCp1252(byte));
                break;
            }
            case '\r': case '\n': newParagraph(); break;
            default: break; // \- optional hyphen and the rest: nothing to show
            }
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && std::isalpha(uchar(m_in[m_pos])))
            ++m_pos;
        const QByteArray word = m_in.mid(start, m_pos - start);
        bool hasParam = false;
        int param = 0;
        const qsizetype numStart = m_pos;
        if (m_pos < m_in.size() && (m_in[m_pos] == '-' || std::isdigit(uchar(m_in[m_pos])))) {
            ++m_pos;
            while (m_pos < m_in.size() && std::isdigit(uchar(m_in[m_pos])))
                ++m_pos;
            param = m_in.mid(numStart, m_pos - numStart).toInt(&hasParam);
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos; // the delimiter belongs to the word
        apply(word, hasParam, param);
    }

    void apply(const QByteArray &w, bool hasParam, int param)
    {
        GroupState &s = state();
        CharState &ch = s.chars;
        ParaState &p = s.para;
        const bool on = !hasParam || param != 0;
        if (w == "fonttbl") { flushText(); s.destination = GroupState::FontTable; }
        else if (w == "colortbl") { flushText(); s.destination = GroupState::ColorTable; }
        else if (w == "info" || w == "stylesheet" || w == "pict" || w == "header" || w == "footer" || w == "headerl"
                 || w == "headerr" || w == "footerl" || w == "footerr" || w == "object" || w == "listtable"
                 || w == "listoverridetable" || w == "revtbl" || w == "rsidtbl" || w == "themedata"
                 || w == "colorschememapping" || w == "latentstyles" || w == "datastore" || w == "xmlnstbl"
                 || w == "fldinst" || w == "generator" || w == "filetbl" || w == "pgdsctbl")
            s.destination = GroupState::Skip;
        else if (w == "f") {
            if (s.destination == GroupState::FontTable) {
                if (!m_fontName.isEmpty())
                    finishFontName();
                m_fontNumber = param;
            } else {
                flushText();
                ch.font = param;
            }
        }
        else if (w == "red") { m_red = param; m_colorSet = true; }
        else if (w == "green") { m_green = param; m_colorSet = true; }
        else if (w == "blue") { m_blue = param; m_colorSet = true; }
        else if (s.destination != GroupState::Text) { /* table words: nothing else to keep */ }
        else if (w == "par" || w == "page" || w == "sect") newParagraph();
        else if (w == "line") addChar(QChar::LineSeparator);
        else if (w == "tab") addChar(u'\t');
        else if (w == "emdash") addChar(QChar(0x2014));
        else if (w == "endash") addChar(QChar(0x2013));
        else if (w == "bullet") addChar(QChar(0x2022));
        else if (w == "lquote") addChar(QChar(0x2018));
        else if (w == "rquote") addChar(QChar(0x2019));
        else if (w == "ldblquote") addChar(QChar(0x201C));
        else if (w == "rdblquote") addChar(QChar(0x201D));
        else if (w == "u") {
            addChar(QChar(char16_t(param < 0 ? param + 65536 : param)));
            m_skipChars = s.ucSkip;
        }
        else if (w == "uc") s.ucSkip = param;
        else {
            flushText();
            if (w == "b") ch.bold = on;
            else if (w == "i") ch.italic = on;
            else if (w == "ul") ch.underline = on;
            else if (w == "ulnone") ch.underline = false;
            else if (w == "fs") ch.halfPoints = hasParam ? param : 24;
            else if (w == "cf") ch.color = param;
            else if (w == "plain") ch = CharState{false, false, false, 24, 0, 0};
            else if (w == "pard") p = ParaState();
            else if (w == "ql") p.align = Qt::AlignLeft;
            else if (w == "qc") p.align = Qt::AlignHCenter;
            else if (w == "qr") p.align = Qt::AlignRight;
            else if (w == "qj") p.align = Qt::AlignJustify;
            else if (w == "li") p.left = param;
            else if (w == "ri") p.right = param;
            else if (w == "fi") p.first = param;
        }
    }

    const QByteArray &m_in;
    qsizetype m_pos = 0;
    QTextDocument &m_doc;
    QTextCursor m_cursor;
    QList<GroupState> m_stack;
    QString m_text;
    int m_skipChars = 0;
    QHash<int, QString> m_fonts;
    int m_fontNumber = 0;
    QString m_fontName;
    QList<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
};

QByteArray escaped(const QString &text)
{
    QByteArray out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}')
            out += '\\' + QByteArray(1, char(u));
        else if (u == u'\t')
            out += "\\tab ";
        else if (u == QChar::LineSeparator || u == u'\n')
            out += "\\line ";
        else if (u < 0x80)
            out += char(u);
        else
            out += "\\u" + QByteArray::number(qint16(u)) + '?'; // with its one-character fallback
    }
    return out;
}

} // namespace

bool readRtf(const QByteArray &rtf, QTextDocument &document)
{
    Reader r(rtf, document);
    return r.run();
}

QByteArray writeRtf(const QTextDocument &document)
{
    QStringList fonts;
    QList<QColor> colors;
    auto fontIndex = [&](const QString &family) {
        qsizetype i = fonts.indexOf(family);
        if (i < 0) {
            fonts.append(family);
            i = fonts.size() - 1;
        }
        return i;
    };
    auto colorIndex = [&](const QColor &c) {
        qsizetype i = colors.indexOf(c);
        if (i < 0) {
            colors.append(c);
            i = colors.size() - 1;
        }
        return i + 1; // 0 is the automatic colour
    };
    QByteArray body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat bf = block.blockFormat();
        body += "\\pard";
        const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        body += a == Qt::AlignHCenter ? "\\qc" : a == Qt::AlignRight ? "\\qr" : a == Qt::AlignJustify ? "\\qj" : "\\ql";
        body += "\\li" + QByteArray::number(qRound(bf.leftMargin() * kTwipsPerPixel)) + "\\ri"
                + QByteArray::number(qRound(bf.rightMargin() * kTwipsPerPixel)) + "\\fi"
                + QByteArray::number(qRound(bf.textIndent() * kTwipsPerPixel)) + ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat f = fragment.charFormat();
            const QStringList families = f.fontFamilies().toStringList();
            body += "{\\f" + QByteArray::number(fontIndex(families.value(0, QStringLiteral("Times New Roman"))));
            body += "\\fs" + QByteArray::number(qRound((f.fontPointSize() > 0 ? f.fontPointSize() : 12) * 2));
            if (f.fontWeight() >= QFont::Bold)
                body += "\\b";
            if (f.fontItalic())
                body += "\\i";
            if (f.fontUnderline())
                body += "\\ul";
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                body += "\\cf" + QByteArray::number(colorIndex(f.foreground().color()));
            body += ' ' + escaped(fragment.text()) + '}';
        }
        if (block.next().isValid())
            body += "\\par\r\n";
    }
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    for (qsizetype i = 0; i < fonts.size(); ++i)
        out += "{\\f" + QByteArray::number(i) + "\\fnil " + escaped(fonts[i]) + ";}";
    out += "}\r\n{\\colortbl;";
    for (const QColor &c : colors)
        out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue"
               + QByteArray::number(c.blue()) + ';';
    out += "}\r\n" + body + "}\r\n";
    return out;
}

} // namespace contracts
