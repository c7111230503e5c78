#pragma once
// The setup screen's "Logo" tab: a picture is found, stored as the
// company's logo and sized for printing.
#include "context/AppContext.h"
#include "ui/setup/SetupChoosers.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QPushButton;
class QSpinBox;

namespace ui {

class LogoTab : public QWidget {
    Q_OBJECT
public:
    LogoTab(context::AppContext &ctx, const SetupChoosers &choosers, QWidget *parent = nullptr);

    // Shows the stored logo of the live values (a logo gone from its path
    // shows nothing, silently).
    void fill();
    // The sized logo holds a picture.
    bool logoShown() const { return !m_logo.isNull(); }

private:
    QLayout *buildControls();
    QLayout *buildPictures();
    void findLogo();
    void storeLogo();
    void clearLogo();
    void showLogo();
    bool loadLogoPicture(const QString &file, bool tellUser);
    void printSample(bool preview);

    context::AppContext &m_ctx;
    const SetupChoosers &m_choosers;
    QLabel *m_preview = nullptr;
    QLabel *m_sized = nullptr;
    QPushButton *m_store = nullptr;
    QSpinBox *m_logoHeight = nullptr;
    QSpinBox *m_logoWidth = nullptr;
    QImage m_logo;        // the picture of the stored or chosen logo
    QString m_chosenLogo; // a picture found but not yet stored
};

} // namespace ui
