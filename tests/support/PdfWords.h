#pragma once
// The words of a PDF as poppler's pdftotext reads them, with their boxes,
// to find where a printed page put each word.
#include <QList>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>

struct PdfWords {
    // Each word of a printed file with its box in points, page by page, in
    // the order printed: "Account@(x1,y1)-(x2,y2)" lines.
    static QStringList wordBoxes(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        QStringList boxes;
        const QString html = QString::fromUtf8(p.readAllStandardOutput());
        static const QRegularExpression word(QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            boxes.append(QStringLiteral("%1@(%2,%3)-(%4,%5)")
                             .arg(m.captured(5))
                             .arg(m.captured(1).toDouble(), 0, 'f', 0)
                             .arg(m.captured(2).toDouble(), 0, 'f', 0)
                             .arg(m.captured(3).toDouble(), 0, 'f', 0)
                             .arg(m.captured(4).toDouble(), 0, 'f', 0));
        }
        return boxes;
    }
    // The boxes of every printing of a word, from wordBoxes' lines.
    static QList<QRect> boxesOf(const QStringList &boxes, const QString &word)
    {
        static const QRegularExpression box(QStringLiteral(R"(@\((\d+),(\d+)\)-\((\d+),(\d+)\)$)"));
        QList<QRect> found;
        for (const QString &b : boxes) {
            const QRegularExpressionMatch m = box.match(b);
            if (b.startsWith(word + u'@') && m.hasMatch())
                found.append(QRect(QPoint(m.captured(1).toInt(), m.captured(2).toInt()),
                                   QPoint(m.captured(3).toInt(), m.captured(4).toInt())));
        }
        return found;
    }
    // The words of a printed file, page breaks as form feeds.
    static QString textOf(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
};
