// Every test runs offscreen with a real application object, so screens can
// be built and driven without a display, and in English (United States) so
// amounts and dates read the same on every machine. The core tests get a
// QGuiApplication: they link no widgets, so nothing in them can need one.
#ifdef BRENVOY_WIDGET_TESTS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
