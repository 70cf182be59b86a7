#include "Colourcheck.h"

#include "ChartArgyllTarget.h"
#include "ChartControls.h"
#include "ChartConversions.h"
#include "ChartCull.h"
#include "ChartGrid.h"
#include "ChartLayout.h"
#include "ChartMeasurementSummary.h"
#include "ChartPatchColours.h"
#include "ChartPatchCount.h"
#include "ChartPdf.h"
#include "ChartPrintLayout.h"
#include "ChartPostScript.h"
#include "ChartPrinterReadings.h"
#include "ChartProfilingChart.h"
#include "ColourcheckProfilingChartDialog.h"
#include "ChartReportPdf.h"
#include "ChartSwatches.h"
#include "ChartVerdict.h"
#include "ChartVerification.h"
#include "ColourcheckContents.h"
#include "ColourcheckPatch.h"
#include "ColourcheckPrintLayoutDialog.h"
#include "ColourcheckProfileDialog.h"
#include "ColourcheckProfileMadeDialog.h"
#include "ColourcheckProfileMaker.h"
#include "ColourcheckToleranceDialog.h"

#include <ExportISO12642.h>
#include <InstrumentPanel.h>
#include <KxCMS.h>
#include <KxCmsProfileDescription.h>
#include <KxCOMBOCOLOUR_CC.h>
#include <KxFileInfo.h>
#include <KxFileNameText.h>
#include <KxGamutView.h>
#include <KxList.h>
#include <KxModal.h>
#include <KxPacket.h>
#include <KxRegistry.h>
#include <KxSettingsKeys.h>
#include <SwatchImporter.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

QString folderOf(const QByteArray& encodedPath)
{
    return QFile::decodeName(KxFileInfo::dirnameFromPath(encodedPath.toStdString()).c_str());
}

// A line of text below the chart; a narrow window wraps it rather than widening.
QLabel* lineBelowChart(QWidget* window, const char* name)
{
    auto* line = new QLabel(window);
    line->setObjectName(QString::fromLatin1(name));
    line->setWordWrap(true);
    line->setContentsMargins(ChartLayout::MARGIN, ChartLayout::MARGIN / 2, ChartLayout::MARGIN, ChartLayout::MARGIN / 2);
    return line;
}

// The red cross that marks a patch far off, as the legend shows it.
QPixmap crossPicture()
{
    QPixmap picture(14, 14);
    picture.fill(QColor(200, 40, 40));
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        ColourcheckPatch::drawCross(painter, picture.width(), picture.height());
    }
    return picture;
}

} // namespace

Colourcheck::Colourcheck(KxRegistry& registry, QWidget* parent, const char* name)
    : QScrollArea(parent), registry(KxRegistry::shared(registry)), fileFolders(this->registry)
{
    if (name)
        setObjectName(QString::fromLatin1(name));

    // The container is the window; closing it deletes it and the chart with it.
    container = new QWidget(nullptr);
    container->setObjectName(QStringLiteral("parent widget"));
    container->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setParent(container);
    move(0, 0);
    layout->addWidget(this, 1);

    createChartView();

    setFocusPolicy(Qt::StrongFocus);
    // The caption belongs to the chart view; the window shows it too.
    connect(this, &QWidget::windowTitleChanged, container, &QWidget::setWindowTitle);
    setWindowTitle(tr("Colour check chart"));

    summary = lineBelowChart(container, "measurement summary");
    layout->addWidget(summary, 0);

    layout->addLayout(createCheckRow(), 0);
    verdict = lineBelowChart(container, "verification verdict");
    layout->addWidget(verdict, 0);
    restoreTolerance();
    connect(toleranceCombo, &QComboBox::activated, this, &Colourcheck::chooseTolerance);
    updateSummary();
    profileMaker = new ColourcheckProfileMaker(container);
    layout->addWidget(profileMaker, 0);
    connect(profileMaker, &ColourcheckProfileMaker::made, this, &Colourcheck::profileMade);
    connect(profileMaker, &ColourcheckProfileMaker::failed, this, &Colourcheck::profileFailed);
    setEmptyReason(tr("No profile was chosen."));

    createInstrumentPanel(layout);

    createCommands(layout);
    showProofColours();

    installEventFilter(this);
    container->installEventFilter(this);
    container->resize(700, 400);
}

void Colourcheck::createChartView()
{
    setWidgetResizable(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    QPalette colours = viewport()->palette();
    colours.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(colours);
    contents = new ColourcheckContents(this);
    contents->resize(ChartLayout::WIDTH, ChartLayout::contentsHeight(0));
    setWidget(contents);
    connect(contents, &ColourcheckContents::pressed, this, &Colourcheck::contentsMousePressEvent);
    emptyNote = new QLabel(contents);
    emptyNote->setObjectName(QStringLiteral("empty chart note"));
    emptyNote->setGeometry(ChartLayout::MARGIN, ChartLayout::MARGIN, ChartLayout::WIDTH - 2 * ChartLayout::MARGIN,
                           ChartLayout::PATCH_SIZE);
    emptyNote->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    emptyNote->setWordWrap(true);
}

// The legend of the cross, and the tolerance the verdict is given against.
QLayout* Colourcheck::createCheckRow()
{
    auto* checkRow = new QHBoxLayout;
    checkRow->setContentsMargins(ChartLayout::MARGIN, 0, ChartLayout::MARGIN, 0);
    auto* mark = new QLabel(container);
    mark->setPixmap(crossPicture());
    auto* legend = new QLabel(
        tr("marks a patch whose ΔE76 is %1 or more").arg(QString::number(ColourcheckPatch::CROSS_THRESHOLD, 'f', 1)),
        container);
    legend->setObjectName(QStringLiteral("cross legend"));
    toleranceCombo = new QComboBox(container);
    toleranceCombo->setObjectName(QStringLiteral("tolerance choice"));
    for (const ChartTolerance& preset : ChartTolerance::presets())
        toleranceCombo->addItem(QString::fromStdString(preset.title));
    toleranceCombo->addItem(tr("Own tolerance..."));
    auto* toleranceLabel = new QLabel(tr("Tolerance:"), container);
    toleranceLabel->setBuddy(toleranceCombo);
    checkRow->addWidget(mark);
    checkRow->addWidget(legend);
    checkRow->addStretch(1);
    checkRow->addWidget(toleranceLabel);
    checkRow->addWidget(toleranceCombo);
    return checkRow;
}

void Colourcheck::createInstrumentPanel(QBoxLayout* windowLayout)
{
    auto* box = new QGroupBox(container);
    panel = new InstrumentPanel(box, true);
    windowLayout->addWidget(box, 0);
    panel->showAddMode(false);
    panel->setMode(InstrumentPanel::MODE_CHART);
    connect(panel, &InstrumentPanel::spotLab, this, &Colourcheck::processLab);
    panel->setPatchPlace([this](unsigned long patch) { return printPlace(patch); });
}

void Colourcheck::createCommands(QLayout* windowLayout)
{
    const auto always = [] { return true; };
    const auto hasPatches = [this] { return points != nullptr; };
    const auto hasReadings = [this] { return !session.readings().empty(); };
    const auto add = [this](const QString& text, auto slot, std::function<bool()> applies) {
        auto* action = new QAction(text, this);
        connect(action, &QAction::triggered, this, slot);
        commands.push_back({action, std::move(applies)});
    };
    add(tr("Export chart as postscript file"), &Colourcheck::exportChart, hasPatches);
    add(tr("Export chart as ISO12642 file"), &Colourcheck::exportISO12642, hasPatches);
    add(tr("Colour chart from ICC profile"), &Colourcheck::colourChart, always);
    add(tr("Colour chart from swatches file"), &Colourcheck::colourchartFromFile, always);
    add(tr("Save measurements..."), &Colourcheck::saveMeasurements, hasReadings);
    add(tr("Load measurements..."), &Colourcheck::loadMeasurements, hasPatches);
    add(tr("Print layout..."), &Colourcheck::printLayout, hasPatches);
    add(tr("Export for Argyll (.ti1)..."), &Colourcheck::exportArgyllTarget, hasPatches);
    add(tr("Verification report..."), &Colourcheck::writeVerificationReport,
        [this] { return hasVerdict(); });
    add(tr("Make profile..."), &Colourcheck::makeProfile, [this] { return canMakeProfile(); });
    add(tr("New profiling chart..."), &Colourcheck::newProfilingChart, always);

    proofAction = new QAction(tr("Proof colours"), this);
    proofAction->setCheckable(true);
    proofAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    proofAction->setChecked(registry->getlong(KxSettings::CHART_PROOF_COLOURS) == 1);
    connect(proofAction, &QAction::toggled, this, [this](bool proofing) {
        registry->putlong(KxSettings::CHART_PROOF_COLOURS, proofing ? 1 : 0);
        showProofColours();
    });

    auto* bar = new QMenuBar(container);
    QMenu* chartMenu = bar->addMenu(tr("Chart"));
    viewLabel = new QLabel(bar);
    viewLabel->setObjectName(QStringLiteral("view label"));
    viewLabel->setContentsMargins(0, 0, ChartLayout::MARGIN, 0);
    viewLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The menu bar sizes its corner once: wide enough for every text it shows.
    int widest = 0;
    for (const QString& text : viewTexts())
        widest = std::max(widest, viewLabel->fontMetrics().horizontalAdvance(text));
    viewLabel->setMinimumWidth(widest + ChartLayout::MARGIN);
    bar->setCornerWidget(viewLabel);
    for (const Command& command : commands)
        chartMenu->addAction(command.action);
    chartMenu->addSeparator();
    chartMenu->addAction(proofAction);
    connect(chartMenu, &QMenu::aboutToShow, this, &Colourcheck::updateCommands);
    windowLayout->setMenuBar(bar);
}

void Colourcheck::updateCommands()
{
    for (const Command& command : commands)
        command.action->setEnabled(command.applies());
}

Colourcheck::~Colourcheck()
{
    removeEventFilter(this);
    clear();
    delete panel;
}

void Colourcheck::show()
{
    container->show();
    QScrollArea::show();
}

void Colourcheck::clear()
{
    if (panel)
        panel->setComboChart(nullptr, 0);
    FreeList(&points);
    for (ColourcheckPatch* patch : patches)
        delete patch;
    patches.clear();
    session.reset(nullptr);
    modelledWithoutProfile = false;
}

void Colourcheck::drawChart()
{
    const unsigned long n = ListLength(points);
    patches.assign(n, nullptr);
    session.reset(points);
    unsigned long i = 0;
    for (const KxChartPoint* point = points; point; point = point->next, ++i) {
        auto* patch = new ColourcheckPatch(ChartLayout::PATCH_SIZE, ChartLayout::PATCH_SIZE, contents, nullptr);
        patch->setSession(&session, i);
        patch->setData(*point);
        patch->move(ChartLayout::screenX(i), ChartLayout::screenY(i));
        patch->show();
        patches[i] = patch;
    }
    current = 0;
    if (!patches.empty())
        patches[0]->setSelected(true);
    contents->resize(ChartLayout::WIDTH, ChartLayout::contentsHeight(n));
    updateSummary();
    showEmptyReason();
    showProofColours();
    updateSpectroChart();
}

void Colourcheck::updateSpectroChart()
{
    if (!points) {
        if (panel)
            panel->setComboChart(nullptr, 0);
        return;
    }
    KxCOMBOCOLOUR_CC colours;
    if (!ChartPatchColours::collect(points, colours))
        return; // the panel keeps the chart it had
    if (panel)
        panel->setComboChart(colours.first(), current);
}

bool Colourcheck::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_W && (key->modifiers() & Qt::ControlModifier)) {
            container->close();
            return true;
        }
    }
    if (watched == container && event->type() == QEvent::Close && !confirmClose()) {
        event->ignore();
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

void Colourcheck::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    event->accept();
    updateCommands();
    for (const Command& command : commands)
        if (command.action->isEnabled())
            menu.addAction(command.action);
    menu.addAction(proofAction);
    menu.exec(event->globalPos());
}

void Colourcheck::contentsMousePressEvent(QMouseEvent* event)
{
    QWidget* pressed = contents->childAt(event->position().toPoint());
    if (!pressed || pressed == contents)
        return;
    unsigned long pressedIndex = current;
    for (unsigned long i = 0; i < patches.size(); ++i) {
        if (!patches[i])
            continue;
        const bool isPressed = patches[i] == pressed;
        patches[i]->setSelected(isPressed);
        if (isPressed)
            pressedIndex = i;
    }
    if (pressedIndex != current) {
        current = pressedIndex;
        updateSpectroChart();
    }
}

QByteArray Colourcheck::chosenFile(const QString& path, const QString& whyNone, QString& folder)
{
    if (path.isNull()) {
        setEmptyReason(whyNone);
        return QByteArray();
    }
    const QByteArray encodedPath = QFile::encodeName(path);
    folder = folderOf(encodedPath);
    return encodedPath;
}

// ---- Generation from a profile ----

int Colourcheck::fromICC(const char* monitorProfilePath, QString& profileFolder)
{
    const QByteArray encodedPath = chosenFile(
        KxModal::current().getOpenProfileName(this, tr("Choose an ICC profile for charting"), profileFolder),
        tr("No profile was chosen."), profileFolder);
    if (encodedPath.isEmpty())
        return 0;

    int count = 0;
    const QString label =
        tr("Number of patches (%1 to %2)").arg(ChartPatchCount::MINIMUM).arg(ChartPatchCount::MAXIMUM);
    if (!KxModal::current().getIntegerWithOption(nullptr, tr("Colour check chart"), label, ChartPatchCount::DEFAULT,
                                                 ChartPatchCount::MINIMUM, ChartPatchCount::MAXIMUM, 1,
                                                 tr("Add control patches (paper, solids, overprints, grey ramps)"),
                                                 count, controlPatches)) {
        setEmptyReason(tr("No number of patches was chosen."));
        return 0;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = fromICC(encodedPath.constData(), monitorProfilePath, static_cast<unsigned long>(count));
    QApplication::restoreOverrideCursor();
    return result;
}

int Colourcheck::fromICC(const char* profilePath, const char* monitorProfilePath, unsigned long count)
{
    monitorProfile = monitorProfilePath ? monitorProfilePath : "";
    setDisplayMonitor(monitorProfilePath);
    ChartConversions conversions;
    if (!conversions.openForGeneration(profilePath, monitorProfilePath)) {
        setEmptyReason(tr("The profile was refused: it is not a readable RGB or CMYK input, display or output "
                          "profile, or the monitor profile cannot be used."));
        return -1;
    }
    chartProfile = profilePath;
    const int result = fromKxCMS(conversions.profile(), conversions.monitor(), count);
    lastDir = folderOf(QByteArray(profilePath));
    setWindowTitle(tr("Colour check chart for ICC profile ") + profileFileName());
    return result;
}

int Colourcheck::fromKxCMS(KxCMS* profile, KxCMS* monitor, unsigned long count)
{
    if (!profile)
        return -1;
    switch (profile->inputSpace) {
    case icSigCmykData:
        return fromCmykKxCMS(profile, monitor, count);
    case icSigRgbData:
        return fromRgbKxCMS(profile, monitor, count);
    default:
        return -1;
    }
}

int Colourcheck::fromCmykKxCMS(KxCMS* profile, KxCMS* monitor, unsigned long count)
{
    return fromPrinterKxCMS(profile, monitor, count);
}

int Colourcheck::fromRgbKxCMS(KxCMS* profile, KxCMS* monitor, unsigned long count)
{
    if (ChartConversions::givesPatches(profile))
        return fromPrinterKxCMS(profile, monitor, count);
    clear();
    setEmptyReason(tr("Only CMYK profiles and RGB printer profiles give patches."));
    drawChart();
    return 0;
}

int Colourcheck::fromPrinterKxCMS(KxCMS* profile, KxCMS* monitor, unsigned long count)
{
    clear();
    // Out of memory leaves an empty list, drawn as an empty chart.
    int result = ChartGrid::generate(&points, profile, monitor, count, standardOutputProgress());
    if (result == 0 && controlPatches)
        result = ChartControls::append(&points, profile, monitor);
    if (result != 0)
        setEmptyReason(tr("There was not enough memory to build the chart."));
    drawChart();
    return result;
}

int Colourcheck::profilingChart(const char* monitorProfilePath, QString& profileFolder)
{
    ColourcheckProfilingChartDialog::Choice choice;
    if (!ColourcheckProfilingChartDialog::choose(this, choice)) {
        setEmptyReason(tr("No number of patches was chosen."));
        return 0;
    }
    monitorProfile = monitorProfilePath ? monitorProfilePath : "";
    setDisplayMonitor(monitorProfilePath);
    if (choice.source != ColourcheckProfilingChartDialog::FromProfile)
        return profilingChartWithoutProfile(monitorProfilePath,
                                            choice.source == ColourcheckProfilingChartDialog::RgbWithoutProfile
                                                ? ChartDevice::Rgb
                                                : ChartDevice::Cmyk,
                                            choice.count, choice.inkLimit);

    const QByteArray encodedPath = chosenFile(
        KxModal::current().getOpenProfileName(this, tr("Choose the printer's CMYK or RGB profile"), profileFolder),
        tr("No profile was chosen."), profileFolder);
    if (encodedPath.isEmpty())
        return 0;
    ChartConversions conversions;
    if (!conversions.openForGeneration(encodedPath.constData(), monitorProfilePath)
        || !ChartConversions::givesPatches(conversions.profile())) {
        clear();
        setEmptyReason(tr("Only CMYK profiles and RGB printer profiles give patches."));
        drawChart();
        return -1;
    }
    chartProfile = encodedPath.constData();
    lastDir = folderOf(encodedPath);
    clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The sampler keeps an RGB printer's patches to no ink limit: its driver keeps its own.
    const int result = ChartProfilingChart::generate(&points, conversions.profile(), conversions.monitor(),
                                                     choice.count, choice.inkLimit);
    QApplication::restoreOverrideCursor();
    if (result != 0)
        setEmptyReason(tr("There was not enough memory to build the chart."));
    drawChart();
    setWindowTitle(tr("Profiling chart for ICC profile ") + profileFileName());
    return result;
}

int Colourcheck::profilingChartWithoutProfile(const char* monitorProfilePath, ChartDevice device, int count,
                                              int inkLimit)
{
    ChartConversions conversions;
    if (!conversions.openMonitor(monitorProfilePath)) {
        clear();
        setEmptyReason(QString::fromStdString(conversions.whyNot()));
        drawChart();
        return -1;
    }
    chartProfile.clear();
    clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = ChartProfilingChart::generateWithoutProfile(&points, device, conversions.monitor(), count,
                                                                   device == ChartDevice::Rgb ? 0 : inkLimit);
    modelledWithoutProfile = result == 0;
    QApplication::restoreOverrideCursor();
    if (result != 0)
        setEmptyReason(tr("There was not enough memory to build the chart."));
    drawChart();
    setWindowTitle(device == ChartDevice::Rgb
                       ? tr("Profiling chart for an RGB printer with no profile (colours from a rough printer model)")
                       : tr("Profiling chart for a CMYK printer with no profile (colours from a rough printer model)"));
    return result;
}

void Colourcheck::removeDuplicates(double tolerance, bool& reverse, unsigned long target)
{
    ChartCull::removeDuplicates(&points, tolerance, reverse, target, standardOutputProgress());
}

void Colourcheck::removeDuplicates(unsigned long target, double tolerance)
{
    ChartCull::removeDuplicates(&points, target, tolerance, standardOutputProgress());
}

// ---- Charts from a swatch file ----

int Colourcheck::fromFile(const char* monitorProfilePath, QString& swatchFolder, QString& profileFolder)
{
    const QByteArray encodedSwatchPath = chosenFile(
        KxModal::current().getOpenFileName(this, tr("Choose an swatch file containing the chart"), swatchFolder),
        tr("No swatch file was chosen."), swatchFolder);
    if (encodedSwatchPath.isEmpty())
        return 0;

    const QByteArray encodedProfilePath = chosenFile(
        KxModal::current().getOpenProfileName(this, tr("Choose an ICC source profile for these patches"),
                                              profileFolder),
        tr("No profile was chosen."), profileFolder);
    if (encodedProfilePath.isEmpty())
        return 0;

    return buildFromSwatchFile(encodedSwatchPath.constData(), encodedProfilePath.constData(), monitorProfilePath);
}

int Colourcheck::fromFile(const char* swatchPath, const char* profilePath, const char* monitorProfilePath)
{
    return buildFromSwatchFile(swatchPath, profilePath, monitorProfilePath);
}

int Colourcheck::buildFromSwatchFile(const char* swatchPath, const char* profilePath,
                                     const char* monitorProfilePath)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SwatchImporter::SwatchType type = SwatchImporter::SWATCH_UNKNOWN;
    std::string whyNot;
    KxCOMBOCOLOUR* first = SwatchImporter::import(swatchPath, type, 0, &whyNot);
    const bool unreadable = !first;
    const int result = fromComboColour(first, profilePath, monitorProfilePath);
    KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR);
    QApplication::restoreOverrideCursor();

    // An unreadable file would otherwise leave an empty chart with no word.
    if (unreadable) {
        setEmptyReason(tr("The swatch file held no colours."));
        tellFailure(tr("Colour check chart"), tr("No colours could be read from %1.\n%2")
                                                  .arg(QFile::decodeName(swatchPath), QString::fromStdString(whyNot)));
    }
    return result;
}

int Colourcheck::fromComboColour(KxCOMBOCOLOUR* first, const char* profilePath, const char* monitorProfilePath)
{
    clear();
    ChartConversions conversions;
    if (!conversions.openForSwatches(profilePath, monitorProfilePath)) {
        setEmptyReason(tr("The profile was refused: swatches need a readable CMYK output profile, and the "
                          "monitor profile must be usable."));
        return -1;
    }
    chartProfile = profilePath;
    setDisplayMonitor(monitorProfilePath);
    ChartSwatches::build(&points, first, conversions.profile(), conversions.monitor());
    drawChart();
    return 0;
}

// ---- Proof ----

void Colourcheck::setDisplayMonitor(const char* monitorProfilePath)
{
    displayMonitor = monitorProfilePath ? monitorProfilePath : "";
    softProof.close();
}

void Colourcheck::showProofColours()
{
    const bool proofing = proofAction->isChecked();
    if (proofing && !softProof.isOpen())
        softProof.create(nullptr, displayMonitor.empty() ? nullptr : displayMonitor.c_str(), ICC_ACCURACY_NORMAL);
    const bool shown = proofing && softProof.isOpen();
    for (ColourcheckPatch* patch : patches) {
        unsigned char rgb[3];
        if (patch)
            patch->showProof(shown && softProof.labToMonitor(patch->point.labD50, rgb) ? rgb : nullptr);
    }
    viewLabel->setText(viewTexts()[!proofing ? DisplayColours : shown ? Proofed : NoProof]);
}

QStringList Colourcheck::viewTexts()
{
    // In the order of the views.
    return {tr("Display colours"), tr("Proof: patches as printed"), tr("No proof: the monitor profile cannot be used")};
}

// ---- Measurement ----

void Colourcheck::processLab(double L, double a, double b)
{
    if (current < patches.size() && patches[current]) {
        ColourcheckPatch* patch = patches[current];
        patch->setMeasured(L, a, b);
        patch->setSelected(false);
        updateSummary();
    }
    ++current;
    if (current < patches.size() && patches[current])
        patches[current]->setSelected(true);
}

void Colourcheck::updateSummary()
{
    const ChartMeasurementSummary figures = session.summary();
    updateVerdict();
    if (!figures.measured()) {
        summary->setText(tr("No readings yet"));
        return;
    }
    auto number = [](double value) { return QString::number(value, 'f', 2); };
    const ChartDifferenceStatistics figures76 = figures.deltaE76();
    const ChartDifferenceStatistics figures2000 = figures.deltaE2000();
    summary->setText(tr("Measured %1 of %2 · ΔE76 mean %3 max %4 · ΔE2000 mean %5 max %6 · %7 at %8 or more")
                         .arg(figures.measured())
                         .arg(figures.patches())
                         .arg(number(figures76.mean), number(figures76.maximum), number(figures2000.mean),
                              number(figures2000.maximum))
                         .arg(figures.off())
                         .arg(QString::number(ChartMeasurementSummary::OFF_THRESHOLD, 'f', 1))
                     + (figures.averaged() ? tr(" · %1 averaged from repeated readings").arg(figures.averaged())
                                           : QString()));
}

ChartVerdictWords Colourcheck::verdictWords()
{
    auto words = [](const QString& text) { return text.toStdString(); };
    return {words(tr("Pass (%1)")),
            words(tr("Pass (%1); not checked: %2")),
            words(tr("Not checked: no reading of %1 (%2)")),
            words(tr("Fail: %1 %2 %3 above %4 (%5)")),
            words(tr("own tolerance")),
            words(tr("mean")),
            words(tr("maximum")),
            words(tr("95th percentile")),
            [](double value) { return QLocale().toString(value, 'f', 2).toStdString(); }};
}

void Colourcheck::updateVerdict()
{
    if (session.readings().empty()) {
        verdict->hide();
        return;
    }
    // A rough printer model's colours are no aim a print can pass or fail.
    if (modelledWithoutProfile) {
        verdict->setText(tr("No verdict: this chart's colours come from a rough printer model, not a profile. "
                            "Its readings make the printer's profile (Make profile...)."));
        verdict->setStyleSheet(QString());
        verdict->show();
        return;
    }
    const ChartVerdict found = ChartVerdict::of(ChartVerification(session), checkedTolerance);
    const bool passed = found.passed();
    verdict->setText(QString::fromStdString(found.text(checkedTolerance, verdictWords())));
    verdict->setStyleSheet(passed ? QStringLiteral("color: #1a7f37; font-weight: bold")
                                  : QStringLiteral("color: #b42318; font-weight: bold"));
    verdict->show();
}

bool Colourcheck::hasVerdict() const
{
    return !session.readings().empty() && !modelledWithoutProfile;
}

void Colourcheck::restoreTolerance()
{
    std::string whyNot;
    if (!ChartTolerance::fromText(registry->getstring(KxSettings::CHART_TOLERANCE), checkedTolerance, whyNot))
        checkedTolerance = ChartTolerance::presets().front();
    showTolerance();
}

void Colourcheck::showTolerance()
{
    int index = toleranceCombo->count() - 1; // the user's own
    for (int i = 0; i < int(ChartTolerance::presets().size()); ++i)
        if (ChartTolerance::presets()[i].key == checkedTolerance.key)
            index = i;
    toleranceCombo->setCurrentIndex(index);
    toleranceCombo->setToolTip(QString::fromStdString(checkedTolerance.isPreset() ? checkedTolerance.source
                                                                                  : checkedTolerance.text()));
}

void Colourcheck::chooseTolerance(int index)
{
    const std::vector<ChartTolerance>& presets = ChartTolerance::presets();
    if (index >= 0 && index < int(presets.size()))
        checkedTolerance = presets[index];
    else
        ColourcheckToleranceDialog::choose(this, checkedTolerance); // cancelled: the tolerance stays
    registry->putstring(KxSettings::CHART_TOLERANCE, checkedTolerance.text());
    showTolerance();
    updateVerdict();
}

void Colourcheck::writeVerificationReport()
{
    if (!hasVerdict())
        return;
    const QString path = chooseExportFile(ChartFileFolders::PrintLayout);
    if (path.isNull())
        return;
    const KxWriteResult written = ChartReportPdf::write(ChartVerification(session), &checkedTolerance, printTitle(),
                                                       QFile::encodeName(path).constData());
    if (!written)
        tellFailure(tr("Verification report"),
                    tr("The report could not be written to %1: %2. An existing file of that name is unchanged.")
                        .arg(path, QString::fromLocal8Bit(written.reason())));
}

bool Colourcheck::saveMeasurements()
{
    if (session.readings().empty())
        return false;
    const QString path = KxModal::current().getSaveFileName(
        this, tr("Choose a file for the measurements"), fileFolders.startFolder(ChartFileFolders::Measurements),
        ChartFileFolders::filter(ChartFileFolders::Measurements));
    if (path.isNull())
        return false;
    const QByteArray encodedPath = QFile::encodeName(path);
    lastDir = folderOf(encodedPath);
    fileFolders.remember(ChartFileFolders::Measurements, lastDir);
    const KxWriteResult written = session.save(encodedPath.constData(), std::time(nullptr));
    if (!written) {
        tellFailure(tr("Save measurements"),
                    tr("The measurements could not be written to %1: %2. An existing file of that name is "
                       "unchanged.")
                        .arg(path, QString::fromLocal8Bit(written.reason())));
        return false;
    }
    return true;
}

void Colourcheck::loadMeasurements()
{
    if (!points)
        return;
    bool averageRepeats = false;
    const QString path = KxModal::current().getOpenFileNameWithOption(
        this, tr("Choose a measurement file"), fileFolders.startFolder(ChartFileFolders::Measurements),
        ChartFileFolders::filter(ChartFileFolders::Measurements), tr("Average repeated readings of a patch"),
        averageRepeats);
    if (path.isNull())
        return;
    const QByteArray encodedPath = QFile::encodeName(path);
    lastDir = folderOf(encodedPath);
    fileFolders.remember(ChartFileFolders::Measurements, lastDir);

    // The first few sets refused for their device values, one a line.
    auto refusedSets = [](const ChartMeasurementSession::LoadOutcome& outcome) {
        constexpr std::size_t SHOWN = 5;
        QString lines;
        for (std::size_t i = 0; i < outcome.refused.size() && i < SHOWN; ++i)
            lines += '\n' + QString::fromStdString(outcome.refused[i].text());
        if (outcome.refused.size() > SHOWN)
            lines += '\n' + tr("and %1 more").arg(outcome.refused.size() - SHOWN);
        return lines;
    };
    std::string whyNot;
    ChartMeasurementSession::LoadOutcome outcome;
    const bool rgb = session.device() == ChartDevice::Rgb;
    if (!session.load(encodedPath.constData(), averageRepeats, outcome, whyNot)) {
        if (outcome.refused.empty())
            tellFailure(tr("Load measurements"), tr("No readings were taken from %1.\n%2")
                                                     .arg(path, QString::fromStdString(whyNot)));
        else
            tellFailure(tr("Load measurements"),
                        (rgb ? tr("No readings were taken from %1: %2 of its %3 sets name a patch printed with "
                                  "other RGB, so it is another chart's file.")
                             : tr("No readings were taken from %1: %2 of its %3 sets name a patch printed with "
                                  "other ink, so it is another chart's file."))
                                .arg(path, QString::number(outcome.refused.size()), QString::number(outcome.sets))
                            + refusedSets(outcome));
        return;
    }
    for (ColourcheckPatch* patch : patches) {
        if (!patch)
            continue;
        patch->updatePatch();
        patch->repaint();
    }
    updateSummary();
    if (!outcome.refused.empty())
        tellFailure(tr("Load measurements"),
                    (rgb ? tr("Took %1 of the %2 sets of %3. Refused %4 that name a patch printed with other RGB:")
                         : tr("Took %1 of the %2 sets of %3. Refused %4 that name a patch printed with other ink:"))
                            .arg(QString::number(outcome.taken), QString::number(outcome.sets), path,
                                 QString::number(outcome.refused.size()))
                        + refusedSets(outcome));
}

bool Colourcheck::confirmClose()
{
    if (!session.unsaved())
        return true;
    KxMessage message;
    message.kind = KxMessage::Warning;
    message.parent = this;
    message.caption = tr("Colour check chart");
    message.text = tr("This chart holds readings that have not been saved. Save them before closing?");
    message.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    switch (KxModal::current().message(message)) {
    case QMessageBox::Save:
        return saveMeasurements();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Colourcheck::setEmptyReason(const QString& reason)
{
    emptyReason = reason;
    showEmptyReason();
}

void Colourcheck::showEmptyReason()
{
    emptyNote->setText(emptyReason);
    emptyNote->setVisible(patches.empty());
}

// ---- Exports ----

QString Colourcheck::chooseExportFile(ChartFileFolders::Kind kind)
{
    if (!points)
        return QString();
    const QString path = KxModal::current().getSaveFileName(
        this, tr("Choose a file for exporting"), fileFolders.startFolder(kind), ChartFileFolders::filter(kind));
    if (!path.isNull()) {
        lastDir = folderOf(QFile::encodeName(path));
        fileFolders.remember(kind, lastDir);
    }
    return path;
}

void Colourcheck::tellFailure(const QString& caption, const QString& text)
{
    KxMessage message;
    message.kind = KxMessage::Warning;
    message.parent = this;
    message.caption = caption;
    message.text = text;
    KxModal::current().message(message);
}

void Colourcheck::tellWriteFailure(const QString& caption, const QString& path, const KxWriteResult& failure)
{
    tellFailure(caption, tr("The chart could not be written to %1: %2. An existing file of that name is unchanged.")
                             .arg(path, QString::fromLocal8Bit(failure.reason())));
}

void Colourcheck::exportChart()
{
    const QString path = chooseExportFile(ChartFileFolders::PostScript);
    if (path.isNull())
        return;
    const QByteArray encodedPath = QFile::encodeName(path);
    const KxWriteResult written = ChartPostScript::write(points, encodedPath.constData(), std::time(nullptr));
    if (written)
        return;
    if (written.step() == KxWriteResult::Opening)
        std::fprintf(stderr, "Cannot open file %s\n", Kx_escapedFileName(encodedPath.toStdString()).c_str());
    tellWriteFailure(tr("Export chart as postscript file"), path, written);
}

void Colourcheck::exportISO12642()
{
    const QString path = chooseExportFile(ChartFileFolders::Target);
    if (path.isNull())
        return;
    KxCOMBOCOLOUR_CC colours;
    if (!ChartPatchColours::collect(points, colours))
        return; // out of memory: no file is written
    const KxWriteResult written =
        ExportISO12642::exportColours(QFile::encodeName(path).toStdString(), nullptr, colours, icSigLabData);
    if (!written)
        tellWriteFailure(tr("Export chart as ISO12642 file"), path, written);
}

void Colourcheck::printLayout()
{
    if (!points)
        return;
    if (!ColourcheckPrintLayoutDialog::choose(this, ListLength(points), printSettings))
        return;
    updateSpectroChart(); // the panel names places on the layout just chosen
    const QString path = chooseExportFile(ChartFileFolders::PrintLayout);
    if (path.isNull())
        return;
    const KxWriteResult written =
        ChartPdf::write(points, printSettings, printTitle(), QFile::encodeName(path).constData());
    if (!written)
        tellWriteFailure(tr("Print layout"), path, written);
}

ChartPrintTitle Colourcheck::printTitle() const
{
    ChartPrintTitle title;
    title.chart = windowTitle().toStdString();
    title.profile = modelledWithoutProfile ? std::string("none") : profileFileName().toStdString();
    title.profileDescription = Kx_profileDescription(chartProfile.c_str());
    title.created = std::time(nullptr);
    return title;
}

QString Colourcheck::profileFileName() const
{
    return QFile::decodeName(KxFileInfo::filenameFromPath(chartProfile).c_str());
}

QString Colourcheck::printPlace(unsigned long patch) const
{
    const ChartPrintPlace place = ChartPrintLayout(printSettings, patches.size()).place(patch);
    // Row letter and column number as printed beside the grid: "page 2, C7".
    return tr("page %1, %2%3")
        .arg(place.page + 1)
        .arg(QString::fromStdString(ChartPrintLayout::rowName(place.row)))
        .arg(place.column + 1);
}

void Colourcheck::exportArgyllTarget()
{
    const QString path = chooseExportFile(ChartFileFolders::ArgyllTarget);
    if (path.isNull())
        return;
    // A profiling chart made with no profile gives the rough printer model's paper and solids.
    ChartConversions conversions;
    if (!modelledWithoutProfile
        && (chartProfile.empty() || !conversions.openForGeneration(chartProfile.c_str(), nullptr))) {
        tellFailure(tr("Export for Argyll"),
                    tr("The profile the chart was made from cannot be read any more; the Argyll target needs it "
                       "for the paper white and the solids. Nothing was written to %1.")
                        .arg(path));
        return;
    }
    const KxWriteResult written =
        ChartArgyllTarget::write(points, conversions.profile(), QFile::encodeName(path).constData(), std::time(nullptr));
    if (!written)
        tellWriteFailure(tr("Export for Argyll"), path, written);
}

// ---- Further charts ----

Colourcheck* Colourcheck::newChartWindow()
{
    auto* chart = new Colourcheck(*registry, nullptr, nullptr); // owned by its own window
    connect(chart, &Colourcheck::outputProfileChosen, this, &Colourcheck::outputProfileChosen);
    return chart;
}

void Colourcheck::colourChart()
{
    Colourcheck* chart = newChartWindow();
    chart->fromICC(monitorProfile.c_str(), lastDir);
    chart->show();
}

void Colourcheck::newProfilingChart()
{
    Colourcheck* chart = newChartWindow();
    chart->profilingChart(monitorProfile.c_str(), lastDir);
    chart->show();
}

void Colourcheck::colourchartFromFile()
{
    Colourcheck* chart = newChartWindow();
    chart->fromFile(monitorProfile.c_str(), lastDir, lastDir);
    chart->show();
}

// ---- Printer profile from the readings ----

bool Colourcheck::canMakeProfile() const
{
    return !profileMaker->running() && ChartPrinterReadings::hasPaperWhite(session);
}

void Colourcheck::makeProfile()
{
    if (!canMakeProfile())
        return;
    const QString path =
        KxModal::current().getSaveFileName(this, tr("Choose a file for the profile"), lastDir,
                                           tr("ICC profile (*.icc *.icm)") + QStringLiteral(";;") + tr("All files (*)"));
    if (path.isNull())
        return;
    const QByteArray encodedPath = QFile::encodeName(path);
    lastDir = folderOf(encodedPath);
    const std::vector<PrinterMeasurement> measurements = ChartPrinterReadings::of(session);
    PrinterProfiler::Settings settings;
    if (!ColourcheckProfileDialog::choose(this, QFileInfo(path).completeBaseName(), measurements.front().device,
                                          settings))
        return;
    profileMaker->start(measurements, settings, encodedPath);
}

void Colourcheck::profileMade(const QString& path, double selfFitMean, double selfFitLargest)
{
    ColourcheckProfileMadeDialog::Offers available;
    available.outputProfile = isSignalConnected(QMetaMethod::fromSignal(&Colourcheck::outputProfileChosen));
    available.gamutComparison = KxGamutView::supported() && !chartProfile.empty();
    ColourcheckProfileMadeDialog dialog(
        tr("The profile was written to %1. It follows the readings within ΔE76 %2 on average, %3 at most.")
            .arg(path, QString::number(selfFitMean, 'f', 2), QString::number(selfFitLargest, 'f', 2)),
        available, this);
    if (!KxModal::current().runDialog(dialog))
        return;
    const ColourcheckProfileMadeDialog::Offers chosen = dialog.chosen();
    if (chosen.outputProfile)
        emit outputProfileChosen(path);
    if (chosen.gamutComparison)
        showGamutBesideChartProfile(path);
}

void Colourcheck::profileFailed(const QString& path, const QString& whyNot)
{
    tellFailure(tr("Make profile"), tr("No profile was made for %1: %2").arg(path, whyNot));
}

void Colourcheck::showGamutBesideChartProfile(const QString& profilePath)
{
    // The window belongs to no one: it deletes itself when closed.
    auto* window = new QWidget(nullptr);
    window->setObjectName(QStringLiteral("profile gamut window"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new KxGamutView(window);
    layout->addWidget(view);
    view->fromICC(chartProfile.c_str(), monitorProfile.empty() ? nullptr : monitorProfile.c_str());
    view->compareWith(QFile::encodeName(profilePath).constData());
    window->resize(500, 500);
    window->show();
}
