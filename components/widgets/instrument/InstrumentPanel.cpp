#include "InstrumentPanel.h"

#include "KxComboColour.h"
#include "KxFileName.h"
#include "KxModal.h"
#include "KxRegistry.h"
#include "KxSettingsKeys.h"
#include "KxWidgetUtil.h"
#include "ManualDriver.h"
#include "SimulatedInstrument.h"
#include "SpotreadDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox* makeLabSpin(QWidget* parent, const char* name, double minimum, double maximum)
{
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setDecimals(2);
    spin->setSingleStep(0.5);
    return spin;
}

// The caption of control, which also names the control for assistive technology.
QLabel* makeCaption(QWidget* parent, const QString& text, QWidget* control)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::RichText);
    KxWidgetUtil::nameAfterCaption(label, {control});
    return label;
}

// Reads a number stored by saveRegistry; anything else keeps fallback.
double storedNumber(const std::string& text, double fallback)
{
    bool ok = false;
    const double value = QString::fromStdString(text).toDouble(&ok);
    return ok ? value : fallback;
}

} // namespace

InstrumentPanel::InstrumentPanel(QGroupBox* parent, bool showAdd)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("instrument_panel"));

    // Measured colours can lie outside the range a conversion form accepts.
    lSpin = makeLabSpin(this, "reading_l_spin", 0.0, 100.0);
    aSpin = makeLabSpin(this, "reading_a_spin", -200.0, 200.0);
    bSpin = makeLabSpin(this, "reading_b_spin", -200.0, 200.0);
    lSpin->setValue(KxSettings::INSTRUMENT_L.fallback);

    readButton = new QPushButton(tr("Read"), this);
    readButton->setObjectName(QStringLiteral("read_button"));
    readButton->setWhatsThis(tr("Delivers the L, a, b reading shown beside it"));
    connect(readButton, &QPushButton::clicked, this, &InstrumentPanel::read);

    addCheck = new QCheckBox(tr("Add each reading to the kept colours"), this);
    addCheck->setObjectName(QStringLiteral("add_check"));

    patchLabel = new QLabel(this);
    patchLabel->setObjectName(QStringLiteral("patch_label"));
    patchLabel->hide();
    placeLabel = new QLabel(this);
    placeLabel->setObjectName(QStringLiteral("patch_place_label"));
    placeLabel->hide();

    manualDriver = new ManualDriver(this);
    simulatedDriver = new SimulatedInstrument(this);
    spotreadDriver = new SpotreadDriver(this);
    for (InstrumentDriver* each : {static_cast<InstrumentDriver*>(manualDriver),
                                   static_cast<InstrumentDriver*>(simulatedDriver),
                                   static_cast<InstrumentDriver*>(spotreadDriver)}) {
        connect(each, &InstrumentDriver::reading, this, &InstrumentPanel::deliver);
        connect(each, &InstrumentDriver::message, this, &InstrumentPanel::showStatus);
    }

    driverCombo = new QComboBox(this);
    driverCombo->setObjectName(QStringLiteral("driver_combo"));
    driverCombo->setAccessibleName(tr("Instrument"));
    driverCombo->addItems({tr("Manual entry"), tr("Simulated instrument"), tr("Argyll spotread")});
    connect(driverCombo, &QComboBox::currentIndexChanged, this, &InstrumentPanel::showDriverSettings);

    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("status_label"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* choice = new QHBoxLayout;
    choice->addWidget(driverCombo);
    choice->addWidget(statusLabel, 1);
    column->addLayout(choice);
    column->addWidget(makeSimulatedRow());
    column->addWidget(makeSpotreadRow());

    auto* row = new QHBoxLayout;
    column->addLayout(row);
    row->addWidget(makeCaption(this, tr("<b>L:</b>"), lSpin));
    row->addWidget(lSpin);
    row->addWidget(makeCaption(this, tr("<b>a:</b>"), aSpin));
    row->addWidget(aSpin);
    row->addWidget(makeCaption(this, tr("<b>b:</b>"), bSpin));
    row->addWidget(bSpin);
    row->addWidget(readButton);
    row->addWidget(addCheck);
    row->addStretch(1);
    row->addWidget(patchLabel);
    row->addWidget(placeLabel);

    if (!parent->layout())
        new QVBoxLayout(parent);
    parent->layout()->addWidget(this);

    showAddMode(showAdd);
    showDriverSettings();
}

QWidget* InstrumentPanel::makeSimulatedRow()
{
    simulatedRow = new QWidget(this);
    auto* row = new QHBoxLayout(simulatedRow);
    row->setContentsMargins(0, 0, 0, 0);

    auto* profileButton = new QPushButton(tr("Printer profile..."), simulatedRow);
    profileButton->setObjectName(QStringLiteral("profile_button"));
    connect(profileButton, &QPushButton::clicked, this, &InstrumentPanel::chooseProfile);
    profileLabel = new QLabel(tr("No profile"), simulatedRow);
    profileLabel->setObjectName(QStringLiteral("profile_label"));

    differenceSpin = new QDoubleSpinBox(simulatedRow);
    differenceSpin->setObjectName(QStringLiteral("difference_spin"));
    differenceSpin->setRange(0.0, SimulatedInstrument::MAX_DIFFERENCE);
    differenceSpin->setSingleStep(0.5);
    differenceSpin->setToolTip(tr("CIE 1976 difference added to every reading"));
    connect(differenceSpin, &QDoubleSpinBox::valueChanged, simulatedDriver, &SimulatedInstrument::setDifference);

    seedSpin = new QSpinBox(simulatedRow);
    seedSpin->setObjectName(QStringLiteral("seed_spin"));
    seedSpin->setRange(0, 999999);
    seedSpin->setValue(int(KxSettings::SIMULATED_SEED.fallback));
    connect(seedSpin, &QSpinBox::valueChanged, this, [this](int seed) { simulatedDriver->setSeed(unsigned(seed)); });

    row->addWidget(profileButton);
    row->addWidget(profileLabel, 1);
    row->addWidget(makeCaption(simulatedRow, tr("Difference:"), differenceSpin));
    row->addWidget(differenceSpin);
    row->addWidget(makeCaption(simulatedRow, tr("Seed:"), seedSpin));
    row->addWidget(seedSpin);
    inkRow = new QWidget(simulatedRow);
    auto* inks = new QHBoxLayout(inkRow);
    inks->setContentsMargins(0, 0, 0, 0);
    const char* const inkNames[4] = {"sim_c_spin", "sim_m_spin", "sim_y_spin", "sim_k_spin"};
    const QString inkCaptions[4] = {tr("C:"), tr("M:"), tr("Y:"), tr("K:")};
    for (int i = 0; i < 4; ++i) {
        inkSpins[i] = new QSpinBox(inkRow);
        inkSpins[i]->setObjectName(QString::fromLatin1(inkNames[i]));
        inkSpins[i]->setRange(0, 100);
        inkSpins[i]->setSuffix(QStringLiteral(" %"));
        inks->addWidget(makeCaption(inkRow, inkCaptions[i], inkSpins[i]));
        inks->addWidget(inkSpins[i]);
    }
    row->addWidget(inkRow);
    return simulatedRow;
}

QWidget* InstrumentPanel::makeSpotreadRow()
{
    spotreadRow = new QWidget(this);
    auto* row = new QHBoxLayout(spotreadRow);
    row->setContentsMargins(0, 0, 0, 0);
    spotreadEdit = new QLineEdit(spotreadDriver->programPath(), spotreadRow);
    spotreadEdit->setObjectName(QStringLiteral("spotread_edit"));
    connect(spotreadEdit, &QLineEdit::textChanged, spotreadDriver, &SpotreadDriver::setProgram);
    auto* restartButton = new QPushButton(tr("Restart"), spotreadRow);
    restartButton->setObjectName(QStringLiteral("restart_button"));
    connect(restartButton, &QPushButton::clicked, spotreadDriver, &SpotreadDriver::start);
    row->addWidget(makeCaption(spotreadRow, tr("Program:"), spotreadEdit));
    row->addWidget(spotreadEdit, 1);
    row->addWidget(restartButton);
    return spotreadRow;
}

void InstrumentPanel::setDriver(DRIVER choice)
{
    driverCombo->setCurrentIndex(int(choice));
}

InstrumentPanel::DRIVER InstrumentPanel::driver() const
{
    return DRIVER(driverCombo->currentIndex());
}

QString InstrumentPanel::status() const
{
    return statusLabel->text();
}

InstrumentDriver* InstrumentPanel::currentDriver() const
{
    switch (driver()) {
    case DRIVER_SIMULATED:
        return simulatedDriver;
    case DRIVER_SPOTREAD:
        return spotreadDriver;
    case DRIVER_MANUAL:
        break;
    }
    return manualDriver;
}

void InstrumentPanel::showDriverSettings()
{
    simulatedRow->setVisible(driver() == DRIVER_SIMULATED);
    // Device values are chosen here only where no chart gives them.
    inkRow->setVisible(currentMode != MODE_CHART);
    spotreadRow->setVisible(driver() == DRIVER_SPOTREAD);
    if (driver() != DRIVER_SPOTREAD)
        spotreadDriver->stop();
    statusLabel->clear();
}

void InstrumentPanel::chooseProfile()
{
    const QString current = simulatedDriver->profile();
    const QString path = KxModal::current().getOpenProfileName(this, tr("Choose a printer profile"),
                                                               current.isEmpty() ? QString() : QFileInfo(current).path());
    if (path.isEmpty())
        return;
    if (!simulatedDriver->setProfile(path)) {
        showStatus(tr("%1 is not a CMYK printer profile").arg(QFileInfo(path).fileName()));
        return;
    }
    profileLabel->setText(QFileInfo(path).fileName());
    showStatus(QString());
}

void InstrumentPanel::showStatus(const QString& text)
{
    statusLabel->setText(text);
}

bool InstrumentPanel::isAddMode() const
{
    return addOffered && addCheck->isChecked();
}

void InstrumentPanel::showAddMode(bool show)
{
    addOffered = show;
    addCheck->setVisible(show);
}

void InstrumentPanel::setMode(INSTRUMENT_MODE mode)
{
    currentMode = mode;
    showNextPatch();
    showDriverSettings();
}

void InstrumentPanel::setComboChart(KxCOMBOCOLOUR* first, unsigned long current)
{
    chart.clear();
    for (const KxCOMBOCOLOUR* record = first; record; record = record->next)
        chart.push_back({QString::fromUtf8(record->name ? record->name : ""), record->L, record->a, record->b});
    next = chart.empty() ? 0 : current;
    showNextPatch();
}

void InstrumentPanel::setPatchPlace(PatchPlace place)
{
    patchPlace = std::move(place);
    showNextPatch();
}

void InstrumentPanel::loadRegistry(const KxRegistry& registry)
{
    using namespace KxSettings;
    addCheck->setChecked(registry.getlong(INSTRUMENT_ADD) != 0);
    lSpin->setValue(storedNumber(registry.getstring(INSTRUMENT_L), lSpin->value()));
    aSpin->setValue(storedNumber(registry.getstring(INSTRUMENT_A), aSpin->value()));
    bSpin->setValue(storedNumber(registry.getstring(INSTRUMENT_B), bSpin->value()));

    const QString profile = KxFileName::decode(QByteArray::fromStdString(registry.getstring(SIMULATED_PROFILE)));
    if (!profile.isEmpty() && simulatedDriver->setProfile(profile))
        profileLabel->setText(QFileInfo(profile).fileName());
    differenceSpin->setValue(storedNumber(registry.getstring(SIMULATED_DIFFERENCE), differenceSpin->value()));
    seedSpin->setValue(int(storedNumber(registry.getstring(SIMULATED_SEED), seedSpin->value())));
    simulatedDriver->setDifference(differenceSpin->value());
    simulatedDriver->setSeed(unsigned(seedSpin->value()));
    const std::string program = registry.getstring(SPOTREAD_PROGRAM);
    if (!program.empty())
        spotreadEdit->setText(KxFileName::decode(QByteArray::fromStdString(program)));
    const long choice = registry.getlong(INSTRUMENT_DRIVER);
    setDriver(choice >= DRIVER_MANUAL && choice <= DRIVER_SPOTREAD ? DRIVER(choice) : DRIVER_MANUAL);
}

void InstrumentPanel::saveRegistry(KxRegistry& registry) const
{
    using namespace KxSettings;
    registry.putlong(INSTRUMENT_ADD, addCheck->isChecked() ? 1 : 0);
    // QString::number writes in the "C" locale, so the file reads back anywhere.
    registry.putstring(INSTRUMENT_L, QString::number(lSpin->value()).toStdString());
    registry.putstring(INSTRUMENT_A, QString::number(aSpin->value()).toStdString());
    registry.putstring(INSTRUMENT_B, QString::number(bSpin->value()).toStdString());

    registry.putlong(INSTRUMENT_DRIVER, long(driver()));
    registry.putstring(SIMULATED_PROFILE, KxFileName::encode(simulatedDriver->profile()).toStdString());
    registry.putstring(SIMULATED_DIFFERENCE, QString::number(simulatedDriver->difference()).toStdString());
    registry.putstring(SIMULATED_SEED, QString::number(simulatedDriver->seed()).toStdString());
    registry.putstring(SPOTREAD_PROGRAM, KxFileName::encode(spotreadEdit->text()).toStdString());
}

void InstrumentPanel::read()
{
    InstrumentTarget target;
    target.entered[0] = lSpin->value();
    target.entered[1] = aSpin->value();
    target.entered[2] = bSpin->value();
    if (currentMode == MODE_CHART && next < chart.size()) {
        const ChartPatch& patch = chart[next];
        target.chartPatch = true;
        target.patchLab[0] = patch.L;
        target.patchLab[1] = patch.a;
        target.patchLab[2] = patch.b;
    }
    // The spin boxes are C, M, Y, K; the engine takes K, C, M, Y.
    const int order[4] = {3, 0, 1, 2};
    for (int i = 0; i < 4; ++i)
        target.kcmy[i] = static_cast<unsigned char>(inkSpins[order[i]]->value() * 255 / 100.0 + 0.5);
    currentDriver()->read(target);
}

void InstrumentPanel::deliver(double L, double a, double b)
{
    // A reading from a driver no longer chosen (a late spotread line) is dropped.
    if (sender() != currentDriver())
        return;
    emit spotLab(L, a, b);
    if (currentMode == MODE_CHART && next < chart.size()) {
        ++next;
        showNextPatch();
    }
}

void InstrumentPanel::showNextPatch()
{
    patchLabel->setVisible(currentMode == MODE_CHART);
    const bool placed = currentMode == MODE_CHART && patchPlace && next < chart.size();
    placeLabel->setText(placed ? patchPlace(next) : QString());
    placeLabel->setVisible(placed);
    if (chart.empty()) {
        patchLabel->setText(tr("No chart"));
        patchLabel->setToolTip(QString());
    } else if (next >= chart.size()) {
        patchLabel->setText(tr("All %1 patches read").arg(chart.size()));
        patchLabel->setToolTip(QString());
    } else {
        const ChartPatch& patch = chart[next];
        patchLabel->setText(tr("%1 of %2").arg(patch.name).arg(chart.size()));
        patchLabel->setToolTip(tr("Expected L %1, a %2, b %3")
                                   .arg(patch.L, 0, 'f', 1)
                                   .arg(patch.a, 0, 'f', 1)
                                   .arg(patch.b, 0, 'f', 1));
    }
}
