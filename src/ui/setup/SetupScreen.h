#pragma once
// The setup screen: the business's identity and address style, the logo,
// printing and invoice options, taxes with the graduated scheme, and the
// telephone options. Its controls edit the one live BusinessSettings; the
// files are written when the user leaves with "Save Changes / Return to
// &Menu".
#include "context/AppContext.h"
#include "ui/shell/Screen.h"

#include <QColor>
#include <QImage>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace ui {

class Navigator;

// The system choosers the screen opens, behind functions so that tests can
// answer them.
struct SetupChoosers {
    std::function<std::optional<QColor>(const QColor &current, QWidget *parent)> colour;
    std::function<std::optional<QString>(const QString &current, QWidget *parent)> font;
    std::function<QString(QWidget *parent)> pictureFile;
    static SetupChoosers system();
};

class SetupScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Setup;
    SetupScreen(context::AppContext &ctx, Navigator &navigator, SetupChoosers choosers = SetupChoosers::system(),
                QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

    // Saves every settings file and goes to the main menu; stays, with a
    // message, when a file cannot be written or a required one is missing.
    bool saveAndLeave();
    // The sized logo holds a picture.
    bool logoShown() const { return !m_logo.isNull(); }

private:
    QWidget *buildBusinessTab();
    QWidget *buildOptionsTab();
    QWidget *buildPrintingTab();
    QWidget *buildTaxTab();
    QWidget *buildPhoneTab();
    QWidget *buildLogoTab();
    QWidget *buildHelpTab();

    void fillFromSettings();
    void fillBusinessBoxes();
    void fillPrintColors();
    void showAddressStyle(setup::AddressStyle style, bool toggled);
    void toggleAddressStyle();
    void resetBusinessData();
    void reloadBusinessData();
    void chooseColour(int which);
    void chooseFont();
    void closeGraduated();
    void findLogo();
    void storeLogo();
    void clearLogo();
    void stepLogo(bool height, bool up);
    void showLogo();
    bool loadLogoPicture(const QString &file, bool tellUser);
    template <typename Edit>
    void edit(Edit &&change) { m_ctx.settings.edit(std::forward<Edit>(change)); }

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    SetupChoosers m_choosers;

    QTabWidget *m_tabs = nullptr;
    QTabWidget *m_subTabs = nullptr;
    std::array<QLineEdit *, 9> m_business{};
    std::array<QLabel *, 9> m_businessLabels{};
    QLabel *m_postalNote = nullptr;
    QPushButton *m_addressStyle = nullptr;

    QCheckBox *m_color = nullptr;
    QComboBox *m_copies = nullptr;
    QLabel *m_font = nullptr;
    QLineEdit *m_textSample = nullptr;
    QLineEdit *m_borderSample = nullptr;
    QRadioButton *m_plain = nullptr;
    QRadioButton *m_remit = nullptr;
    QCheckBox *m_sequential = nullptr;

    QComboBox *m_heading[2] = {};
    QComboBox *m_rate[2] = {};
    QCheckBox *m_apply1st = nullptr;
    QCheckBox *m_apply2nd = nullptr;
    QCheckBox *m_taxServices = nullptr;
    QCheckBox *m_graduated = nullptr;
    QGroupBox *m_graduatedFrame = nullptr;
    QLineEdit *m_graduatedBox[2] = {};

    QLineEdit *m_modemPort = nullptr;
    QCheckBox *m_daisyChain = nullptr;
    QCheckBox *m_callerId = nullptr;
    QLabel *m_callerIdNote = nullptr;

    QLabel *m_preview = nullptr;
    QLabel *m_sized = nullptr;
    QPushButton *m_store = nullptr;
    QSpinBox *m_logoHeight = nullptr;
    QSpinBox *m_logoWidth = nullptr;
    QImage m_logo;          // the picture of the stored or chosen logo
    QString m_chosenLogo;   // a picture found but not yet stored
};

} // namespace ui
