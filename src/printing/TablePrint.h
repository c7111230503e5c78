#pragma once
// A plain printed table: a title and header lines on every page, bold
// column heads, one line per row, as many pages as the rows take. Texts
// too wide for their column are cut to fit.
#include "printing/PagePrinter.h"

#include <QList>
#include <QStringList>
#include <vector>

namespace printing {

struct TableColumn {
    QString heading;
    double from = 0, to = 0; // twips
    bool rightAligned = false;
};

// False (the surface says why) when the job could not be completed. A
// footer (the totals) is printed in bold at the foot of every page.
bool printTable(PagePrinter &printer, const QString &title, const QStringList &headerLines,
                const std::vector<TableColumn> &columns, const QList<QStringList> &rows,
                const QStringList &footer = {});

} // namespace printing
