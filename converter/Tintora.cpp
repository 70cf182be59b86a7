#include "Tintora.h"

#include "Colourcheck.h"
#include "InstrumentPanel.h"
#include "KxFileInfo.h"
#include "KxFileName.h"
#include "KxGamutView.h"
#include "KxModal.h"
#include "KxRegistry.h"
#include "KxSettingsKeys.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {


// rendering_combo lists the intents in another order than their numbers.
constexpr long INTENT_OF_INDEX[] = {icPerceptual, icRelativeColorimetric, icAbsoluteColorimetric, icSaturation};

int indexOfIntent(long intent)
{
    const auto* found = std::find(std::begin(INTENT_OF_INDEX), std::end(INTENT_OF_INDEX), intent);
    return found == std::end(INTENT_OF_INDEX) ? -1 : int(found - std::begin(INTENT_OF_INDEX));
}

// A Lab value as the form shows it: rounded to nearest, halves away from
// zero. Values far outside any spin box range are held first, so that the
// conversion to an integer is always defined.
int wholeNumber(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::lround(std::clamp(value, -1.0e6, 1.0e6)));
}

QByteArray encoded(const QString& path)
{
    return KxFileName::encode(path);
}

QString folderOf(const QString& path)
{
    return KxFileName::decode(QByteArray::fromStdString(KxFileInfo::dirnameFromPath(encoded(path).toStdString())));
}

QString fileNameOf(const QString& path)
{
    return KxFileName::decode(QByteArray::fromStdString(KxFileInfo::filenameFromPath(encoded(path).toStdString())));
}

// The file-system form of a profile path for the engine; null when empty.
struct EnginePath {
    explicit EnginePath(const QString& path) : bytes(encoded(path)) {}
    const char* get() const { return bytes.isEmpty() ? nullptr : bytes.constData(); }
    QByteArray bytes;
};

bool readHeader(const QString& path, icProfileClassSignature& profileClass)
{
    icColorSpaceSignature colourSpace = icSigNoColorSpace;
    return KxCmsIcc::getICCprofileClass(encoded(path).constData(), profileClass, colourSpace) != 0;
}

bool acceptedAsInput(icProfileClassSignature profileClass)
{
    return profileClass == icSigInputClass || profileClass == icSigDisplayClass || profileClass == icSigOutputClass;
}

bool acceptedAsOutput(icProfileClassSignature profileClass)
{
    return profileClass == icSigDisplayClass || profileClass == icSigOutputClass;
}

bool acceptedAsMonitor(icProfileClassSignature profileClass)
{
    return profileClass == icSigDisplayClass;
}

// Message-box button codes as the callers of showErrMsg pass them.
QMessageBox::StandardButton standardButton(int code)
{
    static const QMessageBox::StandardButton buttons[] = {
        QMessageBox::NoButton, QMessageBox::Ok,    QMessageBox::Cancel, QMessageBox::Yes,
        QMessageBox::No,       QMessageBox::Abort, QMessageBox::Retry,  QMessageBox::Ignore};
    return code >= 0 && code < int(std::size(buttons)) ? buttons[code] : QMessageBox::NoButton;
}

// The out-of-gamut words stand out in this colour.
const QColor OUT_OF_GAMUT_COLOUR(204, 0, 0);

QString decimal(unsigned long value)
{
    return QString::number(value);
}

QString decimal(double labValue)
{
    return QString::number(wholeNumber(labValue));
}

} // namespace

const Tintora::ERRORDEF Tintora::ERRORDEFS[] = {
    {ERR_BAD_ICC, QObject::tr("Bad ICC profile"),
     QObject::tr("The ICC profile you have selected is either corrupt or invalid.\n Please choose a different one"), 3},
    {ERR_INPUT_ICC, QObject::tr("Invalid input ICC profile"),
     QObject::tr("The ICC profile you have selected is of the wrong type.\nValid input profiles are montitor, scanner "
                 "or printer profiles\nthat are either RGB or CMYK"),
     3},
    {ERR_OUTPUT_ICC, QObject::tr("Invalid output ICC profile"),
     QObject::tr("The ICC profile you have selected is of the wrong type.\nValid output profiles are montitor, or "
                 "printer profiles\nthat are either RGB or CMYK"),
     3},
    {ERR_MONITOR_ICC, QObject::tr("Invalid monitor ICC profile"),
     QObject::tr("The ICC profile you have selected is of the wrong type.\nPlease select an ICC profile of type "
                 "monitor"),
     3},
    {ERR_CMS_MONITOR, QObject::tr("CMS init failed"),
     QObject::tr("The initialisation of the CMS for the monitor failed\nEither ran out of memory or some of the "
                 "profiles have been deleted"),
     3},
    {ERR_CMS, QObject::tr("CMS init failed"),
     QObject::tr("The initialisation of the CMS failed\nEither ran out of memory or some of the profiles have been "
                 "deleted"),
     3},
    {ERR_END, QString(), QString(), 0},
};

Tintora::Tintora(KxRegistry& registry, QWidget* parent, const char*, Qt::WindowFlags)
    : Tintora_UI(parent, nullptr, {})
    , registry(registry)
{
    // The Lab transform only turns input values into Lab and back.
    labCms.setDeviceLink(false);
    patchUI();
    createProofAction();
    loadRegistry(registry);
    updateUI();
}

Tintora::~Tintora() = default;

int Tintora::showErrMsg(CLIENTERROR error, QWidget* parent, int button0, int button1, int button2, const QString&,
                        const QString&, const QString&)
{
    KxMessage message;
    for (const ERRORDEF* row = ERRORDEFS; row->error != ERR_END; ++row) {
        if (row->error == error) {
            message.caption = row->title;
            message.text = row->text;
            break;
        }
    }
    message.kind = KxMessage::Critical;
    message.parent = parent;
    message.buttons = standardButton(button0) | standardButton(button1) | standardButton(button2);
    message.extraFlags = Qt::WindowStaysOnTopHint;
    message.objectName = QStringLiteral("nothing");
    KxModal::current().message(message);
    return 0;
}

void Tintora::patchUI()
{
    instrument_tick->hide();

    rendering_combo->clear();
    rendering_combo->addItem(tr("Perceptual"));
    rendering_combo->addItem(tr("Relative Colourimetric"));
    rendering_combo->addItem(tr("Absolute Colourimetric"));
    rendering_combo->addItem(tr("Saturation"));
    connect(rendering_combo, &QComboBox::activated, this, &Tintora::intentChanged);

    accuracy_combo->clear();
    accuracy_combo->addItem(tr("Normal"));
    accuracy_combo->addItem(tr("Best"));
    connect(accuracy_combo, &QComboBox::activated, this, &Tintora::accuracyChanged);

    connect(history_combo, &QComboBox::activated, this, &Tintora::doHistory);
    history_combo->setEnabled(false);

    connect(input_icc_button, &QPushButton::clicked, this, &Tintora::getICCin);
    connect(output_icc_button, &QPushButton::clicked, this, &Tintora::getICCout);
    connect(monitor_icc_button, &QPushButton::clicked, this, &Tintora::getICCmonitor);

    for (QSpinBox* spin : {c_spin, m_spin, y_spin, k_spin})
        connect(spin, &QSpinBox::valueChanged, this, &Tintora::cmykChanged);
    for (QSpinBox* spin : {r_spin, g_spin, b_spin})
        connect(spin, &QSpinBox::valueChanged, this, &Tintora::rgbChanged);
    for (QSpinBox* spin : {labin_l_spin, labin_a_spin, labin_b_spin})
        connect(spin, &QSpinBox::valueChanged, this, &Tintora::labChanged);

    connect(keep_button, &QPushButton::clicked, this, &Tintora::keepColour);

    gamut_label->setToolTip(tr("Gamut ΔE: how far the output profile's relative colorimetric conversion moves the "
                               "colour (CIE 1976). From %1 on, the output cannot make the colour. It does not "
                               "depend on the chosen rendering intent or accuracy.")
                                .arg(KxGamutCheck::OUT_OF_GAMUT, 0, 'f', 1));

    instrumentPanel = std::make_unique<InstrumentPanel>(spectro_group, true);
    connect(instrumentPanel.get(), &InstrumentPanel::spotLab, this, &Tintora::processLab);
}

void Tintora::createProofAction()
{
    proofAction = new QAction(tr("Proof colours"), this);
    proofAction->setCheckable(true);
    proofAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    addAction(proofAction); // Ctrl+Y works in the tool also where no menu offers the entry
    connect(proofAction, &QAction::toggled, this, [this] { updateUI(); });
}

void Tintora::loadRegistry(KxRegistry& registry)
{
    // Stored as the file system names them, byte for byte.
    auto path = [&](const KxSettingsKey& key) {
        return KxFileName::decode(QByteArray::fromStdString(registry.getstring(key)));
    };
    inputProfile = path(KxSettings::INPUT_PROFILE);
    outputProfile = path(KxSettings::OUTPUT_PROFILE);
    monitorProfile = path(KxSettings::MONITOR_PROFILE);
    profileFolder = path(KxSettings::PROFILE_FOLDER);
    swatchFolder = path(KxSettings::SWATCH_FOLDER);

    const long intent = registry.getlong(KxSettings::INTENT);
    if (isKnownIntent(intent))
        rendering_combo->setCurrentIndex(indexOfIntent(intent));
    setRenderingIntent(intent);

    const bool best = registry.getlong(KxSettings::ACCURACY) == ICC_ACCURACY_BEST;
    accuracy_combo->setCurrentIndex(best ? 1 : 0);
    setAccuracy(best ? ICC_ACCURACY_BEST : ICC_ACCURACY_NORMAL);

    if (instrumentPanel)
        instrumentPanel->loadRegistry(registry);

    {
        const QSignalBlocker quiet(proofAction); // the refresh below shows it
        proofAction->setChecked(registry.getlong(KxSettings::PROOF_COLOURS) == 1);
    }

    updateUI();
}

void Tintora::saveRegistry(KxRegistry& registry)
{
    auto store = [&](const KxSettingsKey& key, const QString& value) {
        registry.putstring(key, KxFileName::encode(value).toStdString());
    };
    store(KxSettings::INPUT_PROFILE, inputProfile);
    store(KxSettings::OUTPUT_PROFILE, outputProfile);
    store(KxSettings::MONITOR_PROFILE, monitorProfile);
    store(KxSettings::PROFILE_FOLDER, profileFolder);
    store(KxSettings::SWATCH_FOLDER, swatchFolder);
    registry.putlong(KxSettings::INTENT, outputCms.renderingIntent);
    registry.putlong(KxSettings::ACCURACY, outputCms.accuracy);

    if (instrumentPanel)
        instrumentPanel->saveRegistry(registry);
    registry.putlong(KxSettings::PROOF_COLOURS, proofAction->isChecked() ? 1 : 0);
}

void Tintora::setRenderingIntent(long intent)
{
    outputCms.setrenderingIntent(intent);
    labCms.setrenderingIntent(intent);
    monitorCms.setrenderingIntent(intent);
}

void Tintora::setAccuracy(long accuracy)
{
    outputCms.setinterpolationAccuracy(accuracy);
    labCms.setinterpolationAccuracy(accuracy);
    monitorCms.setinterpolationAccuracy(accuracy);
}

void Tintora::clearallselections()
{
    monitorProfile = QString();
    inputProfile = QString();
    outputProfile = QString();
    updateUI();
}

void Tintora::showGamut()
{
    if (!KxGamutView::supported())
        return;
    const QString chosen =
        KxModal::current().getOpenProfileName(this, tr("Choose an ICC profile for Gamut viewing"), profileFolder);
    if (chosen.isNull())
        return;
    profileFolder = folderOf(chosen);

    // The window belongs to no one: it deletes itself when closed.
    auto* window = new QWidget(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* view = new KxGamutView(window);
    layout->addWidget(view);
    view->fromICC(encoded(chosen).constData(), EnginePath(monitorProfile).get());
    if (shownLab)
        view->setStartColour(*shownLab);
    window->resize(400, 400);
    window->setWindowTitle(fileNameOf(chosen));
    window->show();
}

// Opening chart windows belongs to the chart window, which supplies them.
// The chart window belongs to its own frame, which deletes it when closed;
// the tool keeps no reference to it. With no monitor profile chosen the chart
// is given none, and shows its colours through sRGB.
void Tintora::colourchartFromICC()
{
    openChart([this](Colourcheck& chart, const char* monitor) { chart.fromICC(monitor, profileFolder); });
}

void Tintora::colourchartFromFile()
{
    openChart([this](Colourcheck& chart, const char* monitor) {
        chart.fromFile(monitor, swatchFolder, profileFolder);
    });
}

void Tintora::profilingChart()
{
    openChart([this](Colourcheck& chart, const char* monitor) { chart.profilingChart(monitor, profileFolder); });
}

void Tintora::openChart(const std::function<void(Colourcheck&, const char*)>& build)
{
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    connect(chart, &Colourcheck::outputProfileChosen, this, &Tintora::useOutputProfile);
    const QByteArray monitor = encoded(monitorProfile);
    build(*chart, monitorProfile.isEmpty() ? nullptr : monitor.constData());
    chart->show();
    saveRegistry(registry);
}

// The chart window offers its profiles through a signal, so that it needs
// to know nothing of the tool; the connection goes with the tool when it is
// closed.
void Tintora::useOutputProfile(const QString& profilePath)
{
    outputProfile = profilePath;
    updateUI();
}

void Tintora::getICCin()
{
    chooseProfile(InputRole);
}

void Tintora::getICCout()
{
    chooseProfile(OutputRole);
}

void Tintora::getICCmonitor()
{
    chooseProfile(MonitorRole);
}

void Tintora::chooseProfile(ProfileRole role)
{
    struct RoleInfo {
        const char* caption;
        bool (*accepted)(icProfileClassSignature);
        CLIENTERROR error;
        QString* path;
    };
    const RoleInfo roles[] = {
        {QT_TR_NOOP("Choose an input ICC profile"), acceptedAsInput, ERR_INPUT_ICC, &inputProfile},
        {QT_TR_NOOP("Choose an output ICC profile"), acceptedAsOutput, ERR_OUTPUT_ICC, &outputProfile},
        {QT_TR_NOOP("Choose a monitor ICC profile"), acceptedAsMonitor, ERR_MONITOR_ICC, &monitorProfile}};
    const RoleInfo& info = roles[role];

    const QString chosen = KxModal::current().getOpenProfileName(this, tr(info.caption), profileFolder);
    if (chosen.isNull())
        return;
    profileFolder = folderOf(chosen);

    icProfileClassSignature profileClass;
    if (!readHeader(chosen, profileClass)) {
        showErrMsg(ERR_BAD_ICC, this, 1, 0, 0, QString(), QString(), QString());
        return;
    }
    if (!info.accepted(profileClass)) {
        showErrMsg(info.error, this, 1, 0, 0, QString(), QString(), QString());
        return;
    }
    *info.path = chosen;
    updateUI();
}

void Tintora::createCMS()
{
    outputCms.close();
    labCms.close();
    monitorCms.close();
    outputGamut.close();
    softProof.close();

    if (inputProfile.isEmpty() || outputProfile.isEmpty())
        return;

    // A stored path that no longer reads as a profile is dropped without a word;
    // one of the wrong kind is dropped after its box.
    auto headerAccepted = [this](QString& path, bool (*accepted)(icProfileClassSignature), CLIENTERROR error) {
        icProfileClassSignature profileClass;
        if (!readHeader(path, profileClass)) {
            path = QString();
            return false;
        }
        if (!accepted(profileClass)) {
            showErrMsg(error, this, 1, 0, 0, QString(), QString(), QString());
            path = QString();
            return false;
        }
        return true;
    };
    if (!monitorProfile.isEmpty() && !headerAccepted(monitorProfile, acceptedAsMonitor, ERR_MONITOR_ICC))
        return;
    if (!headerAccepted(inputProfile, acceptedAsInput, ERR_INPUT_ICC))
        return;
    if (!headerAccepted(outputProfile, acceptedAsOutput, ERR_OUTPUT_ICC))
        return;

    const EnginePath input(inputProfile);
    if (!monitorProfile.isEmpty() && !monitorCms.create(input.get(), EnginePath(monitorProfile).get())) {
        showErrMsg(ERR_CMS_MONITOR, this, 1, 0, 0, QString(), QString(), QString());
        return;
    }
    if (!outputCms.create(input.get(), EnginePath(outputProfile).get())) {
        showErrMsg(ERR_CMS, this, 1, 0, 0, QString(), QString(), QString());
        monitorCms.close();
    }
    if (!labCms.create(input.get(), input.get())) {
        showErrMsg(ERR_CMS, this, 1, 0, 0, QString(), QString(), QString());
        monitorCms.close();
        labCms.close();
    }
    if (outputCms.handle)
        outputGamut.create(input.get(), EnginePath(outputProfile).get());
    if (proofAction->isChecked() && outputCms.handle && monitorCms.handle)
        softProof.create(EnginePath(outputProfile).get(), EnginePath(monitorProfile).get(), outputCms.accuracy);
}

void Tintora::updateUI()
{
    createCMS();

    if (lastInputSpace != outputCms.inputSpace) {
        history_combo->clear();
        history_combo->setEnabled(false);
    }

    output_icc_label->setText(fileNameOf(outputProfile));
    input_icc_label->setText(fileNameOf(inputProfile));
    monitor_icc_label->setText(fileNameOf(monitorProfile));

    input_stack->setCurrentIndex(outputCms.inputSpace == icSigCmykData ? 1 : 0);
    output_stack->setCurrentIndex(outputCms.outputSpace == icSigCmykData ? 1 : 0);

    const bool outputOpen = outputCms.handle != nullptr;
    input_stack->setEnabled(outputOpen);
    keep_button->setEnabled(outputOpen);
    if (!outputOpen)
        paintPreview(Qt::white);

    if (outputOpen && !monitorCms.handle) {
        paintPreview(Qt::white);
        pv_label->setText(tr("Please pick a monitor profile<br>to see a preview of the colours"));
    } else {
        pv_label->setText(QString());
    }

    showPreviewView();
    lastInputSpace = outputCms.inputSpace;

    // Blank until a conversion fills it, and so while the output transform is closed.
    updateGamutLabel(-1.0);
    if (labEdited) {
        labChanged(0);
    } else {
        rgbChanged(0);
        cmykChanged(0);
    }

    saveRegistry(registry);
}

void Tintora::rgbChanged(int)
{
    if (updating || !outputCms.handle || !labCms.handle || outputCms.inputSpace != icSigRgbData)
        return;
    updating = 1;

    const unsigned long r = r_spin->value(), g = g_spin->value(), b = b_spin->value();
    unsigned long out[4] = {};
    if (outputCms.outputSpace == icSigCmykData)
        outputCms.rgb2cmyk(r, g, b, out[0], out[1], out[2], out[3]);
    else
        outputCms.rgb2rgb(r, g, b, out[0], out[1], out[2]);
    showOutputValues(out);

    double L, a, bb;
    labCms.rgb2lab(r, g, b, L, a, bb);
    showLabInput(L, a, bb);
    finishInputEdit(false);
}

void Tintora::cmykChanged(int)
{
    if (updating || !outputCms.handle || !labCms.handle || outputCms.inputSpace != icSigCmykData)
        return;
    updating = 1;

    const unsigned long c = c_spin->value(), m = m_spin->value(), y = y_spin->value(), k = k_spin->value();
    unsigned long out[4] = {};
    if (outputCms.outputSpace == icSigCmykData)
        outputCms.cmyk2cmyk(c, m, y, k, out[0], out[1], out[2], out[3]);
    else
        outputCms.cmyk2rgb(c, m, y, k, out[0], out[1], out[2]);
    showOutputValues(out);

    double L, a, b;
    labCms.cmyk2lab(c, m, y, k, L, a, b);
    showLabInput(L, a, b);
    finishInputEdit(false);
}

void Tintora::showOutputValues(const unsigned long values[4])
{
    QLabel* const cmykLabels[] = {c_label, m_label, y_label, k_label};
    QLabel* const rgbLabels[] = {r_label, g_label, b_label, nullptr};
    QLabel* const* labels = outputCms.outputSpace == icSigCmykData ? cmykLabels : rgbLabels;
    for (int i = 0; i < 4 && labels[i]; ++i)
        labels[i]->setText(decimal(values[i]));
}

void Tintora::showLabInput(double L, double a, double b)
{
    labin_l_spin->setValue(wholeNumber(L));
    labin_a_spin->setValue(wholeNumber(a));
    labin_b_spin->setValue(wholeNumber(b));
}

void Tintora::finishInputEdit(bool byLab)
{
    updateLabOut();
    updateMonitorPreview();
    updating = 0;
    labEdited = byLab ? 1 : 0;
}

void Tintora::labChanged(int)
{
    if (updating || !outputCms.handle || !labCms.handle)
        return;
    updating = 1;

    double L = labin_l_spin->value(), a = labin_a_spin->value(), b = labin_b_spin->value();
    double rL, ra, rb;
    if (outputCms.inputSpace == icSigCmykData) {
        unsigned long c, m, y, k;
        labCms.D50lab2rlab(L, a, b, rL, ra, rb);
        labCms.lab2cmyk(rL, ra, rb, c, m, y, k);
        c_spin->setValue(int(c));
        m_spin->setValue(int(m));
        y_spin->setValue(int(y));
        k_spin->setValue(int(k));
    } else if (outputCms.inputSpace == icSigRgbData) {
        unsigned long r, g, bo;
        labCms.D50lab2rlab(L, a, b, rL, ra, rb);
        labCms.lab2rgb(rL, ra, rb, r, g, bo);
        r_spin->setValue(int(r));
        g_spin->setValue(int(g));
        b_spin->setValue(int(bo));
    }

    L = labin_l_spin->value();
    a = labin_a_spin->value();
    b = labin_b_spin->value();
    outputCms.D50lab2rlab(L, a, b, rL, ra, rb);
    unsigned long out[4] = {};
    if (outputCms.outputSpace == icSigCmykData)
        outputCms.lab2cmyk(rL, ra, rb, out[0], out[1], out[2], out[3]);
    else
        outputCms.lab2rgb(rL, ra, rb, out[0], out[1], out[2]);
    showOutputValues(out);
    finishInputEdit(true);
}

int Tintora::inputDeviceValues(double values[KxCmsIcc::MAXIMUM_CHANNELS]) const
{
    if (outputCms.inputSpace == icSigCmykData) {
        values[0] = c_spin->value();
        values[1] = m_spin->value();
        values[2] = y_spin->value();
        values[3] = k_spin->value();
        return 4;
    }
    if (outputCms.inputSpace == icSigRgbData) {
        values[0] = r_spin->value();
        values[1] = g_spin->value();
        values[2] = b_spin->value();
        return 3;
    }
    return 0;
}

void Tintora::updateLabOut()
{
    if (!outputCms.handle)
        return;
    double L, a, b;
    double device[KxCmsIcc::MAXIMUM_CHANNELS];
    const int channels = inputDeviceValues(device);
    if (channels == 4)
        outputCms.cmyk2lab(c_spin->value(), m_spin->value(), y_spin->value(), k_spin->value(), L, a, b);
    else if (channels == 3)
        outputCms.rgb2lab(r_spin->value(), g_spin->value(), b_spin->value(), L, a, b);
    else
        return;
    lab_l_label->setText(decimal(L));
    lab_a_label->setText(decimal(a));
    lab_b_label->setText(decimal(b));
    shownLab = QVector3D(float(L), float(a), float(b));
    updateGamutLabel(outputGamut.deviceDifference(device));
}

// A negative difference blanks the label.
void Tintora::updateGamutLabel(double difference)
{
    const bool outside = KxGamutCheck::isOutOfGamut(difference);
    QPalette palette = gamut_label->palette();
    palette.setColor(QPalette::WindowText,
                     outside ? OUT_OF_GAMUT_COLOUR : output_group->palette().color(QPalette::WindowText));
    gamut_label->setPalette(palette);
    QFont font = gamut_label->font();
    font.setBold(outside);
    gamut_label->setFont(font);
    if (difference < 0.0)
        gamut_label->clear();
    else
        gamut_label->setText(outside ? tr("Gamut ΔE %1 out of gamut").arg(difference, 0, 'f', 2)
                                     : tr("Gamut ΔE %1").arg(difference, 0, 'f', 2));
}

void Tintora::updateMonitorPreview()
{
    if (!monitorCms.handle)
        return;
    if (proofAction->isChecked()) {
        updateProofPreview();
        return;
    }
    unsigned long r, g, b;
    if (outputCms.inputSpace == icSigCmykData)
        monitorCms.cmyk2rgb(c_spin->value(), m_spin->value(), y_spin->value(), k_spin->value(), r, g, b);
    else if (outputCms.inputSpace == icSigRgbData)
        monitorCms.rgb2rgb(r_spin->value(), g_spin->value(), b_spin->value(), r, g, b);
    else
        return;
    paintPreview(QColor(int(std::min(r, 255ul)), int(std::min(g, 255ul)), int(std::min(b, 255ul))));
}

void Tintora::updateProofPreview()
{
    double input[KxCmsIcc::MAXIMUM_CHANNELS];
    double output[KxCmsIcc::MAXIMUM_CHANNELS];
    unsigned char rgb[3];
    if (inputDeviceValues(input) == 0)
        return;
    // A colour the proof cannot answer for is not shown as any other colour.
    if (!outputCms.toDevice(input, output) || !softProof.deviceToMonitor(output, rgb))
        paintPreview(Qt::white);
    else
        paintPreview(QColor(rgb[0], rgb[1], rgb[2]));
}

void Tintora::showPreviewView()
{
    if (!proofAction->isChecked())
        proof_label->setText(tr("The input colour"));
    else if (outputCms.handle && monitorCms.handle && !softProof.isOpen())
        proof_label->setText(tr("No proof: the output profile cannot be shown on this monitor profile"));
    else
        proof_label->setText(tr("Proof: as printed"));
}

void Tintora::paintPreview(const QColor& colour)
{
    QPalette palette = pv_label->palette();
    palette.setColor(QPalette::Window, colour);
    pv_label->setPalette(palette);
}

void Tintora::processLab(double L, double a, double b)
{
    updating = 1;
    labin_l_spin->setValue(wholeNumber(L));
    labin_a_spin->setValue(wholeNumber(a));
    labin_b_spin->setValue(wholeNumber(b));
    updating = 0;

    labChanged(0);
    if (instrumentPanel && instrumentPanel->isAddMode())
        keepColour();
}

void Tintora::intentChanged(int index)
{
    const long intent = index >= 0 && index < int(std::size(INTENT_OF_INDEX)) ? INTENT_OF_INDEX[index]
                                                                               : outputCms.renderingIntent;
    setRenderingIntent(intent);
    updateUI();
}

void Tintora::accuracyChanged(int index)
{
    const long accuracy = index == 0   ? long(ICC_ACCURACY_NORMAL)
                          : index == 1 ? long(ICC_ACCURACY_BEST)
                                       : outputCms.accuracy;
    setAccuracy(accuracy);
    updateUI();
}

void Tintora::keepColour()
{
    QPixmap swatch(16, 16);
    if (history_combo->count() == 0) {
        history_combo->setEnabled(true);
        swatch.fill(Qt::white);
        history_combo->addItem(QIcon(swatch), tr("Clear all"));
    }

    QString entry;
    if (outputCms.inputSpace == icSigCmykData && !labEdited)
        entry = QStringLiteral("%1 %2 %3 %4")
                    .arg(c_spin->value())
                    .arg(m_spin->value())
                    .arg(y_spin->value())
                    .arg(k_spin->value());
    else if (outputCms.inputSpace == icSigCmykData)
        entry = QStringLiteral("%1 %2 %3")
                    .arg(labin_l_spin->value())
                    .arg(labin_a_spin->value())
                    .arg(labin_b_spin->value());
    else if (outputCms.inputSpace == icSigRgbData)
        entry = QStringLiteral("%1 %2 %3").arg(r_spin->value()).arg(g_spin->value()).arg(b_spin->value());

    swatch.fill(pv_label->palette().color(QPalette::Window));
    history_combo->insertItem(history_combo->count() - 1, QIcon(swatch), entry);
    history_combo->setCurrentIndex(history_combo->count() - 2);
}

void Tintora::doHistory(int index)
{
    if (index == history_combo->count() - 1) {
        history_combo->clear();
        history_combo->setEnabled(false);
        return;
    }
    const QString entry = history_combo->itemText(index);
    if (entry.isEmpty())
        return;

    // The whole numbers the entry starts with; recall sets only values it read.
    QList<int> values;
    for (const QString& word : entry.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = word.toInt(&ok);
        if (!ok)
            break;
        values << value;
    }

    auto recall = [&values](std::initializer_list<QSpinBox*> spins) {
        int i = 0;
        for (QSpinBox* spin : spins)
            spin->setValue(values[i++]);
    };
    if (outputCms.inputSpace == icSigCmykData) {
        if (values.size() >= 4)
            recall({c_spin, m_spin, y_spin, k_spin});
        else if (values.size() == 3)
            recall({labin_l_spin, labin_a_spin, labin_b_spin});
    } else if (outputCms.inputSpace == icSigRgbData && values.size() >= 3) {
        recall({r_spin, g_spin, b_spin});
    }
}

void Tintora::closeEvent(QCloseEvent* event)
{
    saveRegistry(registry);
    event->accept();
}

void Tintora::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    event->accept();
    if (KxGamutView::supported())
        menu.addAction(tr("Display gamut"), this, &Tintora::showGamut);
    if (!menu.actions().isEmpty())
        menu.exec(event->globalPos());
}
