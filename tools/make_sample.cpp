// Makes Brenvoy's sample business in an empty folder:
//   brenvoy_make_sample FOLDER [YYYY-MM-DD]
// The history runs the twelve months before the date (today by default).
// The contract template is taken from beside this program, as shipped.
#include "sample/SampleBusiness.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no window: documents only
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    // An option is no folder: "--help" asks for this text, never makes a
    // folder of that name.
    if (args.size() < 2 || args.size() > 3 || args[1].startsWith(u'-')) {
        std::fputs("usage: brenvoy_make_sample FOLDER [YYYY-MM-DD]\n", stderr);
        return 2;
    }
    const QDate today = args.size() == 3 ? QDate::fromString(args[2], Qt::ISODate) : QDate::currentDate();
    if (!today.isValid()) {
        std::fputs("the date must be written YYYY-MM-DD\n", stderr);
        return 2;
    }
    const QString folder = QDir(args[1]).absolutePath();
    if (!QDir().mkpath(folder) || !QDir(folder).isEmpty()) {
        std::fprintf(stderr, "%s must be an empty folder\n", qPrintable(folder));
        return 1;
    }
    QFile rtf(QCoreApplication::applicationDirPath() + QStringLiteral("/Templates/Contracts/GenericContract.rtf"));
    const QByteArray contractTemplate = rtf.open(QIODevice::ReadOnly) ? rtf.readAll() : QByteArray();
    const store::FileStore store(folder);
    const sample::Made made = sample::makeSampleBusiness(store, today, contractTemplate);
    if (!made.result) {
        std::fprintf(stderr, "the sample business could not be made: %s\n", qPrintable(made.result.error));
        return 1;
    }
    std::printf("%s: %d customers, %d ledgers, %d invoices, %d payments\n", qPrintable(folder), made.customers,
                made.ledgers, made.invoices, made.payments);
    return 0;
}
