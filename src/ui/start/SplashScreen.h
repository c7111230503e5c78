#pragma once
// The start screen: product name, version, logo and Continue; the welcome
// panel that sends a new user to the setup screen when a set-up file is
// missing.
#include "ui/shell/Screen.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace ui {

class SplashScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Start;
    // The note, when not empty, tells where the data is kept.
    explicit SplashScreen(const QString &folderNote, QWidget *parent = nullptr);

    QString caption() const override;
    void showWelcome();
    void hideWelcome();

    static QString versionText();

Q_SIGNALS:
    void continueClicked();
    void logoClicked(int index);

private:
    QToolButton *makeLogo(int index, int size);
    QGroupBox *m_welcome;
    QToolButton *m_logo[2];
};

} // namespace ui
