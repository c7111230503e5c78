#include "ui/start/SplashScreen.h"

#include "ui/start/SampleNote.h"
#include "context/AppContext.h"
#include "ui/widgets/PictureButton.h"
#include "ui/widgets/ProductLogo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace context;

namespace ui {

namespace {
const QStringList kWelcomeTexts = {
    QStringLiteral("It has a series of File Folders where information the program requires is stored."),
    QStringLiteral("Enter the information for each Folder."),
    QStringLiteral("The Setup Screen will be displayed when you click our LOGO."),
    QStringLiteral("When you're completed, click on the Menu Button. That's it!"),
    QStringLiteral("The program will start.(Unless you forgot something)"),
    QStringLiteral("You may return to the Setup Screen at any time and make changes by Selecting Files | "
                   "Create/Modify from the Main Menu Screen."),
    QStringLiteral("If you see this screen after initial Setup, one of your files is missing."),
    QStringLiteral("An unsuccessful attempt was made to restore it from the Backup Folder. You need to recreate it."),
};
} // namespace

QString SplashScreen::versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(BRENVOY_VERSION_MAJOR)
        .arg(BRENVOY_VERSION_MINOR)
        .arg(BRENVOY_VERSION_PATCH);
}

QToolButton *SplashScreen::makeLogo(int index, int size)
{
    auto *logo = pictureButton(this, QStringLiteral("Image1_%1").arg(index), QIcon(productLogo(size)), size,
                               QStringLiteral("Shows the Setup Screen"));
    connect(logo, &QToolButton::clicked, this, [this, index] { Q_EMIT logoClicked(index); });
    return logo;
}

// The panel a new user meets: what to do first, the logo that opens the
// setup screen, and the sample business to explore.
void SplashScreen::buildWelcome()
{
    m_welcome = new QGroupBox(QStringLiteral("Welcome to ") + kAppTitle, this);
    m_welcome->setObjectName(QStringLiteral("fraWelcome"));
    auto *welcome = new QHBoxLayout(m_welcome);
    auto *texts = new QVBoxLayout;
    for (int i = 0; i < kWelcomeTexts.size(); ++i) {
        auto *line = new QLabel(kWelcomeTexts[i], m_welcome);
        line->setObjectName(QStringLiteral("lblWelcome_%1").arg(i));
        line->setWordWrap(true);
        texts->addWidget(line);
    }
    auto *explore = new QPushButton(QStringLiteral("Explore a sample business"), m_welcome);
    explore->setObjectName(QStringLiteral("cmdSample"));
    explore->setToolTip(QStringLiteral("Opens a made-up lawn and garden business, with a year of billing and "
                                       "payments, in a folder of its own"));
    connect(explore, &QPushButton::clicked, this, &SplashScreen::sampleRequested);
    texts->addWidget(explore, 0, Qt::AlignLeft);
    welcome->addLayout(texts, 1);
    auto *pointer = new QLabel(QStringLiteral("LOGO >"), m_welcome);
    pointer->setObjectName(QStringLiteral("lblLogoPointer"));
    welcome->addWidget(pointer);
    m_logo[1] = makeLogo(1, 72);
    m_logo[1]->setParent(m_welcome);
    welcome->addWidget(m_logo[1]);
}

SplashScreen::SplashScreen(const QString &folderNote, QWidget *parent) : Screen(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    // The content sits in a column of reading width, centred in the window.
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(32, 24, 32, 24);
    auto *column = new QWidget(this);
    column->setMaximumWidth(860);
    outer->addStretch();
    outer->addWidget(column, 1);
    outer->addStretch();
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();

    auto *top = new QHBoxLayout;
    top->addStretch();
    m_logo[0] = makeLogo(0, 128);
    top->addWidget(m_logo[0]);
    auto *titles = new QVBoxLayout;
    auto *product = new QLabel(kAppTitle, this);
    product->setObjectName(QStringLiteral("lblProductName"));
    QFont big = product->font();
    big.setPointSize(28);
    big.setBold(true);
    product->setFont(big);
    auto *version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    titles->addStretch();
    titles->addWidget(product);
    titles->addWidget(version);
    titles->addStretch();
    top->addSpacing(12);
    top->addLayout(titles);
    top->addStretch();
    layout->addLayout(top);

    if (!folderNote.isEmpty()) {
        auto *note = new QLabel(folderNote, this);
        note->setObjectName(QStringLiteral("lblFolderNote"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    m_sample = sampleBusinessNote(QStringLiteral("lblSample"), this);
    layout->addWidget(m_sample);

    buildWelcome();
    m_welcome->hide();
    layout->addSpacing(16);
    layout->addWidget(m_welcome);
    layout->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *go = new QPushButton(QStringLiteral("Continue"), this);
    go->setObjectName(QStringLiteral("cmdContinue"));
    go->setToolTip(QStringLiteral("Starts the Program"));
    go->setDefault(true);
    m_continue = go;
    connect(go, &QPushButton::clicked, this, &SplashScreen::continueClicked);
    buttons->addWidget(go);
    layout->addLayout(buttons);
}

QString SplashScreen::caption() const
{
    return kAppTitle;
}

void SplashScreen::activate(Routine)
{
    m_continue->setFocus();
}

void SplashScreen::showWelcome()
{
    m_welcome->show();
}

void SplashScreen::hideWelcome()
{
    m_welcome->hide();
}

void SplashScreen::showSample()
{
    m_sample->show();
}

} // namespace ui
