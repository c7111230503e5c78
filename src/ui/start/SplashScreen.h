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
    // The keyboard starts on Continue, so Enter or Space goes on.
    void activate(Routine routine) override;
    void showWelcome();
    void hideWelcome();
    // Says that the folder open is the sample business.
    void showSample();

    static QString versionText();

Q_SIGNALS:
    void continueClicked();
    void logoClicked(int index);
    // "Explore a sample business", offered beside setting up one's own.
    void sampleRequested();

private:
    QToolButton *makeLogo(int index, int size);
    void buildWelcome();
    QGroupBox *m_welcome;
    QToolButton *m_logo[2];
    QPushButton *m_continue = nullptr;
    QLabel *m_sample = nullptr;
};

} // namespace ui
