#include "ui/setup/LogoTab.h"

#include "printing/InvoicePage.h"
#include "printing/PainterSurface.h"

#include <QPrinter>

#include "setup/SettingsFiles.h"
#include "setup/SetupRules.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace store;
using namespace context;
using namespace setup;

namespace ui {

namespace {

constexpr int kTwipsPerPixel = 15;

// A logo size spinner: 50 twips a step, wrapping between 360 and 1800.
class LogoSizeSpin : public QSpinBox {
public:
    explicit LogoSizeSpin(QWidget *parent) : QSpinBox(parent)
    {
        setRange(1, 20000);
        setSuffix(QStringLiteral(" twips"));
    }
    void stepBy(int steps) override
    {
        float v = float(value());
        for (int i = 0; i < std::abs(steps); ++i)
            v = setup::logoSizeStep(v, steps > 0);
        setValue(int(v));
    }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

const QStringList kLogoInstructions = {
    QStringLiteral("Select and Save a Logo to print on Invoices  Do not select your LOGO from a Network Device or a "
                   "removable device.   An error will occur if the network device or removable device is unavailable."),
    QStringLiteral("BEFORE ADDING YOUR LOGO:"),
    QStringLiteral("COPY THE FILE INTO YOUR PENDRAK FOLDER"),
    QStringLiteral("THEN:"),
    QStringLiteral("Click Find (above), Browse to your PENDRAK FOLDER"),
    QStringLiteral("Select your LOGO File from the PENDRAK FOLDER"),
    QStringLiteral("Click Store to Save LOGO"),
    QStringLiteral("Click Height and Width until your LOGO size is acceptable. Adjustment is limited based upon the "
                   "space on the form.    Print a sample to Review"),
    QStringLiteral("The selected file may overflow in the view Window, thats OK"),
};

} // namespace

LogoTab::LogoTab(AppContext &ctx, const SetupChoosers &choosers, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_choosers(choosers)
{
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(buildControls(), 3);
    layout->addLayout(buildPictures(), 2);
}

QLayout *LogoTab::buildControls()
{
    auto *left = new QVBoxLayout;
    auto *buttons = new QHBoxLayout;
    auto button = [&](int index, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QStringLiteral("cmdLogo_%1").arg(index));
        buttons->addWidget(b);
        return b;
    };
    connect(button(0, QStringLiteral("Find")), &QPushButton::clicked, this, &LogoTab::findLogo);
    m_store = button(1, QStringLiteral("&Store"));
    m_store->setEnabled(false);
    connect(m_store, &QPushButton::clicked, this, &LogoTab::storeLogo);
    connect(button(2, QStringLiteral("&Clear")), &QPushButton::clicked, this, &LogoTab::clearLogo);
    QPushButton *sample = button(5, QStringLiteral("Print Sample"));
    sample->setToolTip(QStringLiteral("Prints a page with the invoice frame, the logo and the business header"));
    connect(sample, &QPushButton::clicked, this, [this] { printSample(false); });
    QPushButton *preview = button(6, QStringLiteral("Sample Pre&view"));
    preview->setToolTip(QStringLiteral("Shows the sample page before it is printed"));
    connect(preview, &QPushButton::clicked, this, [this] { printSample(true); });
    buttons->addStretch();
    left->addLayout(buttons);

    auto *sizing = new QGroupBox(QStringLiteral("LOGO Sizing"), this);
    sizing->setObjectName(QStringLiteral("Frame4"));
    auto *sizeGrid = new QGridLayout(sizing);
    m_logoHeight = new LogoSizeSpin(sizing);
    m_logoHeight->setObjectName(QStringLiteral("UpDown1"));
    m_logoWidth = new LogoSizeSpin(sizing);
    m_logoWidth->setObjectName(QStringLiteral("UpDown2"));
    auto *heightLabel = new QLabel(QStringLiteral("Height"), sizing);
    heightLabel->setBuddy(m_logoHeight);
    auto *widthLabel = new QLabel(QStringLiteral("Width"), sizing);
    widthLabel->setBuddy(m_logoWidth);
    sizeGrid->addWidget(heightLabel, 0, 0);
    sizeGrid->addWidget(m_logoHeight, 0, 1);
    sizeGrid->addWidget(widthLabel, 1, 0);
    sizeGrid->addWidget(m_logoWidth, 1, 1);
    connect(m_logoHeight, &QSpinBox::valueChanged, this, [this](int twips) {
        m_ctx.settings.edit([&](BusinessValues &v) { v.logoHeight = float(twips); });
        showLogo();
    });
    connect(m_logoWidth, &QSpinBox::valueChanged, this, [this](int twips) {
        m_ctx.settings.edit([&](BusinessValues &v) { v.logoWidth = float(twips); });
        showLogo();
    });
    left->addWidget(sizing);

    for (const QString &text : kLogoInstructions) {
        auto *line = new QLabel(text, this);
        line->setWordWrap(true);
        left->addWidget(line);
    }
    left->addStretch();
    return left;
}

QLayout *LogoTab::buildPictures()
{
    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Disk Image"), this));
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("Image2"));
    m_preview->setToolTip(QStringLiteral("Disk Image"));
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_preview);
    scroll->setWidgetResizable(false);
    scroll->setMinimumSize(200, 160);
    right->addWidget(scroll, 1);
    right->addWidget(new QLabel(QStringLiteral("Adjusted Logo"), this));
    m_sized = new QLabel(this);
    m_sized->setObjectName(QStringLiteral("Image3"));
    m_sized->setToolTip(QStringLiteral("Adjusted Logo"));
    m_sized->setFrameShape(QFrame::StyledPanel);
    right->addWidget(m_sized, 0, Qt::AlignLeft);
    right->addStretch();
    return right;
}

void LogoTab::fill()
{
    const QString file = m_ctx.settings.values().logoFile;
    if (!file.isEmpty())
        loadLogoPicture(file, false);
    showLogo();
}

bool LogoTab::loadLogoPicture(const QString &file, bool tellUser)
{
    QImageReader reader(file);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        if (tellUser)
            m_ctx.prompt.message(QStringLiteral("The picture %1 cannot be read (%2).\nChoose a bmp, ico, jpg or png "
                                                "picture.")
                                     .arg(QFileInfo(file).fileName(), reader.errorString()),
                                 QStringLiteral("Logo"));
        return false;
    }
    m_logo = picture;
    return true;
}

void LogoTab::showLogo()
{
    const BusinessValues &v = m_ctx.settings.values();
    if (m_logoHeight->value() != int(v.logoHeight))
        m_logoHeight->setValue(int(v.logoHeight));
    if (m_logoWidth->value() != int(v.logoWidth))
        m_logoWidth->setValue(int(v.logoWidth));
    if (m_logo.isNull()) {
        m_preview->setPixmap(QPixmap());
        m_preview->resize(1440 / kTwipsPerPixel, 1440 / kTwipsPerPixel);
        m_sized->setPixmap(QPixmap());
        m_sized->setFixedSize(1440 / kTwipsPerPixel, 1440 / kTwipsPerPixel);
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(m_logo));
    m_preview->resize(m_logo.size());
    const QSize sized(std::max(1, int(v.logoWidth) / kTwipsPerPixel), std::max(1, int(v.logoHeight) / kTwipsPerPixel));
    m_sized->setFixedSize(sized);
    m_sized->setPixmap(QPixmap::fromImage(m_logo.scaled(sized, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void LogoTab::findLogo()
{
    const QString file = m_choosers.pictureFile(this);
    if (file.isEmpty() || !loadLogoPicture(file, true))
        return;
    m_chosenLogo = file;
    showLogo();
    m_store->setEnabled(true);
}

void LogoTab::storeLogo()
{
    if (m_chosenLogo.isEmpty())
        return;
    BusinessValues v = m_ctx.settings.values();
    v.logoFile = m_chosenLogo;
    FileResult saved = setup::saveCompanyLogo(m_ctx.store, v, logoShown());
    if (saved)
        saved = setup::saveLogoSettings(m_ctx.store, v, logoShown());
    if (!saved) {
        m_ctx.prompt.message(QStringLiteral("Your Logo could not be stored (%1).").arg(saved.error), QStringLiteral("Logo"));
        return;
    }
    setup::loadCompanyLogo(m_ctx.store, v);
    setup::loadLogoSettings(m_ctx.store, v, logoShown());
    m_ctx.settings.setValues(v);
    m_chosenLogo.clear();
    m_ctx.prompt.message(QStringLiteral("Your Logo has been Stored"), kAppTitle);
    showLogo();
    m_store->setEnabled(false);
}

void LogoTab::clearLogo()
{
    if (!m_ctx.prompt.ask(QStringLiteral("This will Delete your Company Logo"), QStringLiteral("Delete Logo")))
        return;
    m_logo = QImage();
    m_chosenLogo.clear();
    m_store->setEnabled(false);
    m_ctx.store.deleteDataFile(setup::kCompanyLogo);
    m_ctx.settings.edit([](BusinessValues &v) { v.logoFile.clear(); });
    showLogo();
}

// One page with the invoice frame only: grid, title, the logo at its
// current size, the business header at 0.4 in.
void LogoTab::printSample(bool preview)
{
    QString problem;
    auto render = [&](QPrinter &printer) {
        printing::PainterSurface surface(printer);
        printing::PagePrinter page(surface, m_ctx.settings.values(), m_ctx.store, m_logo);
        page.printerSetup(QStringLiteral("Portrait"), m_ctx.settings.values().printInColor);
        if (printing::printSamplePage(page, m_ctx.locale))
            return true;
        problem = printerProblem(printer, surface.error());
        return false;
    };
    if (preview) {
        m_choosers.printer.preview(this, render);
        return;
    }
    std::unique_ptr<QPrinter> printer = m_choosers.printer.choose(this);
    if (printer && !render(*printer))
        m_ctx.prompt.message(QStringLiteral("A Print Error has occurred\n(%1)").arg(problem), QStringLiteral("Print Error"));
}

} // namespace ui
