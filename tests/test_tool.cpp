// The conversion tool driven as a user drives it: profiles chosen through
// the dialogs (answered by the modal seam), values typed and slid, colours
// kept and recalled, settings carried over to a new window.
#include "Tintora.h"

#include "EventLimits.h"
#include "InstrumentPanel.h"
#include "KxGamutView.h"
#include "KxRegistry.h"
#include "PeerRows.h"
#include "ScriptedModal.h"
#include "SpecialFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMetaMethod>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>
#include <unistd.h>

namespace {

const QString PROFILES = QStringLiteral("/usr/share/color/icc/");
const QString SRGB = PROFILES + "sRGB.icc";
const QString ADOBE_RGB = PROFILES + "colord/AdobeRGB1998.icc";
const QString DEFAULT_CMYK = PROFILES + "ghostscript/default_cmyk.icc";
const QString PS_CMYK = PROFILES + "ghostscript/ps_cmyk.icc";
const QString GRAY = PROFILES + "Gray.icc";
const QString ITU_LAB = PROFILES + "ITULab.icc";
const QString CINE_LOG = PROFILES + "CineLogCurve.icc";

int whole(double value)
{
    return int(std::lround(value));
}

QString number(unsigned long value)
{
    return QString::number(value);
}

// One transform opened the way the tool opens its own, to compare against.
struct Reference {
    Reference(const QString& input, const QString& output, long intent = 0, long accuracy = 0)
    {
        cms.setrenderingIntent(intent);
        cms.setinterpolationAccuracy(accuracy);
        ok = cms.create(QFile::encodeName(input).constData(), QFile::encodeName(output).constData()) != 0;
    }
    KxCmsIcc cms;
    bool ok = false;
};

// A copy of a profile with its class field changed, for a class no shipped profile has.
QString withClass(const QString& source, const QDir& folder, const QByteArray& profileClass)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = in.readAll();
    bytes.replace(12, 4, profileClass);
    const QString path = folder.filePath(QString::fromLatin1(profileClass) + ".icc");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return path;
}

QString writeFile(const QDir& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder.filePath(name);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return path;
}

QByteArray head(const QString& path, int size)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.read(size) : QByteArray();
}

QStringList items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QColor preview(const Tintora& tool)
{
    return tool.pv_label->palette().color(QPalette::Window);
}

} // namespace

class TestTool : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void slotTableIsTheMetaObjectsOwn();
    void errorTableAndUnknownError();
    void firstStartWithNoProfiles();
    void rgbToCmykFollowsEveryInput();
    void cmykToRgbKeepsTheLabSideAcrossAnIntentChange();
    void cmykToCmyk();
    void grayDisplayProfileAsInput();
    void profilesOfTheWrongKindAreRefused();
    void unreadableFilesShowBadProfileAndKeepThePrevious();
    void cancelledDialogChangesNothing();
    void profileDeletedBetweenRefreshes();
    void engineFailuresAreReportedAndKeepThePaths();
    void profileWithZeroWhitePointGetsTheBoxNotZeros();
    void monitorProfileBringsThePreview();
    void proofedPreviewFollowsThePeerChain();
    void intentsAndAccuraciesReachTransformsAndSettings();
    void storedIntentAndAccuracyAreRestored();
    void settingsSurviveCloseAndANewWindow();
    void clearAllSelectionsEmptiesOnlyTheProfiles();
    void readingsRoundToNearestAndAreHeld();
    void keptColoursKeepAndRecall();
    void keptColoursEmptyOnAChangeOfInputSpace();
    void nonLatin1PathsWorkAndShowTheirNames();
    void pathsThatAreNotUtf8OpenAndAreStoredAsTheyWere_data();
    void pathsThatAreNotUtf8OpenAndAreStoredAsTheyWere();
    void gamutDisplayFollowsSupport();
    void valuesAgreeWithTintoraConvert();

private:
    void start();
    // Starts the window with these profiles chosen through its buttons; the
    // monitor is left alone when empty.
    void startWith(const QString& input, const QString& output, const QString& monitor = QString());
    void choose(QPushButton* button, const QString& path);

    std::unique_ptr<ScriptedModal> modal;
    std::unique_ptr<KxRegistry> registry;
    std::unique_ptr<Tintora> tool;
    std::unique_ptr<QTemporaryDir> scratch;
};

void TestTool::init()
{
    modal = std::make_unique<ScriptedModal>();
    registry = std::make_unique<KxRegistry>();
    scratch = std::make_unique<QTemporaryDir>();
}

void TestTool::cleanup()
{
    tool.reset();
    QCOMPARE(modal->unanswered, 0);
    modal.reset();
    registry.reset();
    scratch.reset();
}

void TestTool::start()
{
    tool = std::make_unique<Tintora>(*registry);
}

void TestTool::startWith(const QString& input, const QString& output, const QString& monitor)
{
    start();
    choose(tool->input_icc_button, input);
    choose(tool->output_icc_button, output);
    if (!monitor.isEmpty())
        choose(tool->monitor_icc_button, monitor);
}

void TestTool::choose(QPushButton* button, const QString& path)
{
    modal->answerFile(path);
    button->click();
}

void TestTool::slotTableIsTheMetaObjectsOwn()
{
    start();
    const QMetaObject* meta = tool->metaObject();
    QCOMPARE(meta->className(), "Tintora");
    QCOMPARE(meta->superClass(), &Tintora_UI::staticMetaObject);
    const struct { const char* signature; QMetaMethod::Access access; } table[] = {
        {"clearallselections()", QMetaMethod::Public},
        {"showGamut()", QMetaMethod::Public},
        {"colourchartFromICC()", QMetaMethod::Public},
        {"colourchartFromFile()", QMetaMethod::Public},
        {"getICCin()", QMetaMethod::Private},
        {"getICCout()", QMetaMethod::Private},
        {"getICCmonitor()", QMetaMethod::Private},
        {"cmykChanged(int)", QMetaMethod::Private},
        {"rgbChanged(int)", QMetaMethod::Private},
        {"labChanged(int)", QMetaMethod::Private},
        {"intentChanged(int)", QMetaMethod::Private},
        {"accuracyChanged(int)", QMetaMethod::Private},
        {"keepColour()", QMetaMethod::Private},
        {"doHistory(int)", QMetaMethod::Private},
        {"processLab(double,double,double)", QMetaMethod::Private},
    };
    QCOMPARE(meta->methodCount() - meta->methodOffset(), int(std::size(table)));
    for (int i = 0; i < int(std::size(table)); ++i) {
        const QMetaMethod method = meta->method(meta->methodOffset() + i);
        QCOMPARE(method.methodSignature(), QByteArray(table[i].signature));
        QCOMPARE(method.access(), table[i].access);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
    }
    QVERIFY(qobject_cast<Tintora*>(static_cast<QWidget*>(tool.get())));
}

void TestTool::errorTableAndUnknownError()
{
    const QStringList titles = {"Bad ICC profile",           "Invalid input ICC profile", "Invalid output ICC profile",
                                "Invalid monitor ICC profile", "CMS init failed",           "CMS init failed", ""};
    for (int i = 0; i <= Tintora::ERR_END; ++i) {
        QCOMPARE(int(Tintora::ERRORDEFS[i].error), i);
        QCOMPARE(Tintora::ERRORDEFS[i].title, titles[i]);
        QCOMPARE(Tintora::ERRORDEFS[i].level, i == Tintora::ERR_END ? 0 : 3);
    }
    QVERIFY(Tintora::ERRORDEFS[Tintora::ERR_MONITOR_ICC].text.endsWith("Please select an ICC profile of type monitor"));

    QCOMPARE(Tintora::showErrMsg(Tintora::ERR_CMS, nullptr, 1, 0, 0, "x", "y", "z"), 0);
    QCOMPARE(Tintora::showErrMsg(Tintora::ERR_END, nullptr, 1, 0, 0, {}, {}, {}), 0);
    QCOMPARE(modal->requests.size(), std::size_t(2));
    const KxMessage& known = modal->requests[0].message;
    QCOMPARE(known.kind, KxMessage::Critical);
    QCOMPARE(known.caption, QStringLiteral("CMS init failed"));
    QVERIFY(known.text.startsWith("The initialisation of the CMS failed\n"));
    QCOMPARE(known.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(known.objectName, QStringLiteral("nothing"));
    QVERIFY(known.extraFlags.testFlag(Qt::WindowStaysOnTopHint));
    const KxMessage& unknown = modal->requests[1].message;
    QCOMPARE(unknown.kind, KxMessage::Critical);
    QVERIFY(unknown.caption.isEmpty());
    QVERIFY(unknown.text.isEmpty());
}

void TestTool::firstStartWithNoProfiles()
{
    start();
    QVERIFY(!tool->input_stack->isEnabled());
    QVERIFY(!tool->keep_button->isEnabled());
    QVERIFY(!tool->history_combo->isEnabled());
    QVERIFY(tool->instrument_tick->isHidden());
    QCOMPARE(preview(*tool), QColor(Qt::white));
    QVERIFY(tool->pv_label->text().isEmpty());
    QCOMPARE(items(tool->rendering_combo),
             QStringList({"Perceptual", "Relative Colourimetric", "Absolute Colourimetric", "Saturation"}));
    QCOMPARE(items(tool->accuracy_combo), QStringList({"Normal", "Best"}));
    QCOMPARE(tool->rendering_combo->currentIndex(), 0);
    QCOMPARE(tool->accuracy_combo->currentIndex(), 0);
    for (QLabel* label : {tool->input_icc_label, tool->output_icc_label, tool->monitor_icc_label})
        QVERIFY(label->text().isEmpty());

    // The Lab inputs stay usable, but nothing converts.
    QVERIFY(tool->labin_group->isEnabled());
    tool->labin_l_spin->setValue(70);
    QCOMPARE(tool->lab_l_label->text(), QStringLiteral("value"));
    QCOMPARE(tool->r_label->text(), QStringLiteral("value"));

    // Only an input profile: still no transform.
    choose(tool->input_icc_button, SRGB);
    QVERIFY(!tool->outputTransform().handle);
    QVERIFY(!tool->input_stack->isEnabled());

    QCOMPARE(QString::fromStdString(registry->getstring("tintora", "inICC")), SRGB);
    for (const char* key : {"outICC", "monitorICC", "lastdir_file"})
        QVERIFY(registry->getstring("tintora", key).empty());
    QCOMPARE(registry->getlong("tintora", "intent"), 0L);
    QCOMPARE(registry->getlong("tintora", "accuracy"), 0L);
    QVERIFY(modal->messageCaptions().isEmpty());
}

void TestTool::rgbToCmykFollowsEveryInput()
{
    startWith(SRGB, DEFAULT_CMYK, ADOBE_RGB);
    QVERIFY(modal->messageCaptions().isEmpty());
    QCOMPARE(tool->input_stack->currentIndex(), 0);
    QCOMPARE(tool->output_stack->currentIndex(), 1);
    QVERIFY(tool->input_stack->isEnabled());
    QVERIFY(tool->pv_label->text().isEmpty());
    QCOMPARE(tool->input_icc_label->text(), QStringLiteral("sRGB.icc"));
    QCOMPARE(tool->output_icc_label->text(), QStringLiteral("default_cmyk.icc"));
    QCOMPARE(tool->monitor_icc_label->text(), QStringLiteral("AdobeRGB1998.icc"));
    QCOMPARE(QString::fromStdString(registry->getstring("tintora", "outICC")), DEFAULT_CMYK);
    QCOMPARE(QString::fromStdString(registry->getstring("tintora", "lastdir_icc")), PROFILES + "colord");

    Reference output(SRGB, DEFAULT_CMYK), lab(SRGB, SRGB), monitor(SRGB, ADOBE_RGB);
    QVERIFY(output.ok && lab.ok && monitor.ok);

    const int steps[][3] = {{200, 0, 0}, {200, 120, 0}, {200, 120, 37}, {0, 255, 255}};
    for (const auto& rgb : steps) {
        tool->r_slider->setValue(rgb[0]);
        tool->g_spin->setValue(rgb[1]);
        tool->b_spin->setValue(rgb[2]);
        QCOMPARE(tool->r_spin->value(), rgb[0]);

        unsigned long c, m, y, k;
        output.cms.rgb2cmyk(rgb[0], rgb[1], rgb[2], c, m, y, k);
        QCOMPARE(tool->c_label->text(), number(c));
        QCOMPARE(tool->m_label->text(), number(m));
        QCOMPARE(tool->y_label->text(), number(y));
        QCOMPARE(tool->k_label->text(), number(k));

        double L, a, b;
        lab.cms.rgb2lab(rgb[0], rgb[1], rgb[2], L, a, b);
        QCOMPARE(tool->labin_l_spin->value(), whole(L));
        QCOMPARE(tool->labin_a_spin->value(), std::clamp(whole(a), -127, 127));
        QCOMPARE(tool->labin_b_spin->value(), std::clamp(whole(b), -127, 127));
        output.cms.rgb2lab(rgb[0], rgb[1], rgb[2], L, a, b);
        QCOMPARE(tool->lab_l_label->text(), QString::number(whole(L)));
        QCOMPARE(tool->lab_b_label->text(), QString::number(whole(b)));

        unsigned long r, g, bo;
        monitor.cms.rgb2rgb(rgb[0], rgb[1], rgb[2], r, g, bo);
        QCOMPARE(preview(*tool), QColor(int(r), int(g), int(bo)));
    }
    // A real colour came through, not the zeros of closed transforms.
    QVERIFY(tool->c_label->text().toInt() + tool->m_label->text().toInt() + tool->y_label->text().toInt() > 0);

    // Setting a spin box to the value it holds converts nothing.
    tool->c_label->setText("untouched");
    tool->r_spin->setValue(tool->r_spin->value());
    QCOMPARE(tool->c_label->text(), QStringLiteral("untouched"));
}

void TestTool::cmykToRgbKeepsTheLabSideAcrossAnIntentChange()
{
    startWith(DEFAULT_CMYK, SRGB);
    QCOMPARE(tool->input_stack->currentIndex(), 1);
    QCOMPARE(tool->output_stack->currentIndex(), 0);

    Reference output(DEFAULT_CMYK, SRGB), lab(DEFAULT_CMYK, DEFAULT_CMYK);
    tool->c_slider->setValue(40);
    QTest::keyClick(tool->m_slider, Qt::Key_PageUp); // one page step
    const unsigned long c = 40, m = tool->m_spin->value();
    QVERIFY(m > 0);
    unsigned long r, g, b;
    output.cms.cmyk2rgb(c, m, 0, 0, r, g, b);
    QCOMPARE(tool->r_label->text(), number(r));
    QCOMPARE(tool->g_label->text(), number(g));
    QCOMPARE(tool->b_label->text(), number(b));

    // A Lab edit derives the CMYK inputs and the outputs from the Lab inputs.
    tool->labin_a_spin->setValue(-30);
    const double L = tool->labin_l_spin->value(), a = -30, bb = tool->labin_b_spin->value();
    double rL, ra, rb;
    unsigned long ci, mi, yi, ki;
    lab.cms.D50lab2rlab(L, a, bb, rL, ra, rb);
    lab.cms.lab2cmyk(rL, ra, rb, ci, mi, yi, ki);
    QCOMPARE(tool->c_spin->value(), int(ci));
    QCOMPARE(tool->m_spin->value(), int(mi));
    QCOMPARE(tool->c_slider->value(), int(ci));
    QCOMPARE(tool->labin_a_spin->value(), -30);
    output.cms.D50lab2rlab(L, a, bb, rL, ra, rb);
    output.cms.lab2rgb(rL, ra, rb, r, g, b);
    QCOMPARE(tool->g_label->text(), number(g));

    // The intent change keeps the Lab inputs and derives the CMYK inputs again.
    tool->rendering_combo->setCurrentIndex(2);
    emit tool->rendering_combo->activated(2);
    QCOMPARE(tool->outputTransform().renderingIntent, 3L);
    QCOMPARE(tool->labin_a_spin->value(), -30);
    Reference absoluteLab(DEFAULT_CMYK, DEFAULT_CMYK, 3), absoluteOutput(DEFAULT_CMYK, SRGB, 3);
    absoluteLab.cms.D50lab2rlab(L, a, bb, rL, ra, rb);
    absoluteLab.cms.lab2cmyk(rL, ra, rb, ci, mi, yi, ki);
    QCOMPARE(tool->c_spin->value(), int(ci));
    QCOMPARE(tool->k_spin->value(), int(ki));
    absoluteOutput.cms.D50lab2rlab(L, a, bb, rL, ra, rb);
    absoluteOutput.cms.lab2rgb(rL, ra, rb, r, g, b);
    QCOMPARE(tool->r_label->text(), number(r));
}

void TestTool::cmykToCmyk()
{
    startWith(DEFAULT_CMYK, PS_CMYK);
    QCOMPARE(tool->input_stack->currentIndex(), 1);
    QCOMPARE(tool->output_stack->currentIndex(), 1);
    Reference output(DEFAULT_CMYK, PS_CMYK);
    tool->c_spin->setValue(10);
    tool->m_spin->setValue(20);
    tool->y_spin->setValue(30);
    tool->k_spin->setValue(5);
    unsigned long c, m, y, k;
    output.cms.cmyk2cmyk(10, 20, 30, 5, c, m, y, k);
    QCOMPARE(QStringList({tool->c_label->text(), tool->m_label->text(), tool->y_label->text(), tool->k_label->text()}),
             QStringList({number(c), number(m), number(y), number(k)}));
    double L, a, b;
    output.cms.cmyk2lab(10, 20, 30, 5, L, a, b);
    QCOMPARE(tool->lab_l_label->text(), QString::number(whole(L)));
    QVERIFY(whole(L) > 40 && whole(L) < 95);
}

void TestTool::grayDisplayProfileAsInput()
{
    startWith(GRAY, SRGB, SRGB);
    QVERIFY(modal->messageCaptions().isEmpty());
    QVERIFY(tool->outputTransform().handle);
    QCOMPARE(tool->input_stack->currentIndex(), 0);

    // Device edits convert nothing; Lab labels and swatch stay.
    const QColor swatch = preview(*tool);
    tool->lab_l_label->setText("kept");
    tool->r_label->setText("kept");
    tool->r_spin->setValue(99);
    QCOMPARE(tool->r_label->text(), QStringLiteral("kept"));
    QCOMPARE(tool->lab_l_label->text(), QStringLiteral("kept"));
    QCOMPARE(preview(*tool), swatch);

    // Lab edits still reach the output.
    tool->labin_l_spin->setValue(60);
    Reference output(GRAY, SRGB);
    double rL, ra, rb;
    unsigned long r, g, b;
    output.cms.D50lab2rlab(60, tool->labin_a_spin->value(), tool->labin_b_spin->value(), rL, ra, rb);
    output.cms.lab2rgb(rL, ra, rb, r, g, b);
    QCOMPARE(tool->r_label->text(), number(r));
}

void TestTool::profilesOfTheWrongKindAreRefused()
{
    startWith(DEFAULT_CMYK, SRGB, SRGB);

    choose(tool->input_icc_button, ITU_LAB);
    choose(tool->input_icc_button, CINE_LOG);
    choose(tool->output_icc_button, CINE_LOG);
    choose(tool->monitor_icc_button, DEFAULT_CMYK);
    const QString scanner = withClass(SRGB, QDir(scratch->path()), "scnr");
    QVERIFY(!scanner.isEmpty());
    choose(tool->output_icc_button, scanner);
    choose(tool->monitor_icc_button, scanner);
    QCOMPARE(modal->messageCaptions(),
             QStringList({"Invalid input ICC profile", "Invalid input ICC profile", "Invalid output ICC profile",
                          "Invalid monitor ICC profile", "Invalid output ICC profile", "Invalid monitor ICC profile"}));
    for (const auto& request : modal->requests)
        if (request.kind == ScriptedModal::Request::Message)
            QCOMPARE(request.message.parent, static_cast<QWidget*>(tool.get()));

    // Every previous profile stayed.
    QCOMPARE(tool->input_icc_label->text(), QStringLiteral("default_cmyk.icc"));
    QCOMPARE(tool->output_icc_label->text(), QStringLiteral("sRGB.icc"));
    QCOMPARE(tool->monitor_icc_label->text(), QStringLiteral("sRGB.icc"));
    QVERIFY(tool->monitorTransform().handle);

    // A scanner profile is taken as input, a display profile in every role.
    choose(tool->input_icc_button, scanner);
    QCOMPARE(tool->input_icc_label->text(), QStringLiteral("scnr.icc"));
    QCOMPARE(modal->messageCaptions().size(), 6);

    // A stored path of the wrong kind is dropped at the refresh, after its box.
    registry->putstring("tintora", "monitorICC", DEFAULT_CMYK.toStdString());
    Tintora second(*registry);
    QCOMPARE(modal->messageCaptions().last(), QStringLiteral("Invalid monitor ICC profile"));
    QVERIFY(second.monitor_icc_label->text().isEmpty());
    QVERIFY(registry->getstring("tintora", "monitorICC").empty());
}

void TestTool::unreadableFilesShowBadProfileAndKeepThePrevious()
{
    startWith(SRGB, DEFAULT_CMYK);
    const QDir folder(scratch->path());
    const QString truncated = writeFile(folder, "truncated.icc", head(SRGB, 100));
    const QString text = writeFile(folder, "notes.icc", "not a profile at all\n");
    const QString lying = writeFile(folder, "lying.icc", [] {
        QByteArray bytes = head(SRGB, 200);
        bytes[0] = char(0x7f); // a size field far larger than the file
        return bytes;
    }());
    QVERIFY(!truncated.isEmpty() && !text.isEmpty() && !lying.isEmpty());

    choose(tool->input_icc_button, truncated);
    choose(tool->output_icc_button, text);
    choose(tool->monitor_icc_button, lying);
    QCOMPARE(modal->messageCaptions(), QStringList({"Bad ICC profile", "Bad ICC profile", "Bad ICC profile"}));

    // A FIFO, a device and a folder are refused at once, never opened to wait.
    QVERIFY(SpecialFiles::makeFifo(folder.filePath("fifo.icc")));
    QVERIFY(SpecialFiles::makeCharacterDevice(folder.filePath("zero.icc"), 5));
    QVERIFY(folder.mkdir("folder.icc"));
    ::alarm(20);
    choose(tool->input_icc_button, folder.filePath("fifo.icc"));
    choose(tool->output_icc_button, folder.filePath("zero.icc"));
    choose(tool->monitor_icc_button, folder.filePath("folder.icc"));
    ::alarm(0);
    QCOMPARE(modal->messageCaptions().mid(3), QStringList({"Bad ICC profile", "Bad ICC profile", "Bad ICC profile"}));
    QCOMPARE(tool->input_icc_label->text(), QStringLiteral("sRGB.icc"));
    QCOMPARE(tool->output_icc_label->text(), QStringLiteral("default_cmyk.icc"));
    QVERIFY(tool->monitor_icc_label->text().isEmpty());
    QVERIFY(tool->outputTransform().handle);

    // The profile folder moved to the refused file's folder.
    modal->cancel();
    tool->input_icc_button->click();
    QCOMPARE(modal->requests.back().text, scratch->path());
}

void TestTool::cancelledDialogChangesNothing()
{
    start();
    choose(tool->input_icc_button, SRGB);
    modal->cancel();
    tool->output_icc_button->click();
    modal->cancel();
    tool->monitor_icc_button->click();
    QCOMPARE(modal->requests.back().kind, ScriptedModal::Request::OpenFile);
    QCOMPARE(modal->requests.back().caption, QStringLiteral("Choose a monitor ICC profile"));
    QCOMPARE(modal->requests.back().text, PROFILES.chopped(1));
    QCOMPARE(modal->requests[1].caption, QStringLiteral("Choose an output ICC profile"));
    QCOMPARE(tool->input_icc_label->text(), QStringLiteral("sRGB.icc"));
    QVERIFY(tool->output_icc_label->text().isEmpty());
    QCOMPARE(QString::fromStdString(registry->getstring("tintora", "lastdir_icc")), PROFILES.chopped(1));
}

void TestTool::profileDeletedBetweenRefreshes()
{
    const QString monitor = scratch->filePath("monitor.icc");
    QVERIFY(QFile::copy(SRGB, monitor));
    startWith(SRGB, DEFAULT_CMYK, monitor);
    QVERIFY(tool->monitorTransform().handle);

    QVERIFY(QFile::remove(monitor));
    emit tool->accuracy_combo->activated(1);
    QVERIFY(modal->messageCaptions().isEmpty());
    QVERIFY(!tool->outputTransform().handle);
    QVERIFY(!tool->input_stack->isEnabled());
    QVERIFY(tool->monitor_icc_label->text().isEmpty());
    QVERIFY(registry->getstring("tintora", "monitorICC").empty());

    emit tool->accuracy_combo->activated(0);
    QVERIFY(tool->outputTransform().handle);
    QVERIFY(tool->labTransform().handle);
    QVERIFY(!tool->monitorTransform().handle);
    QVERIFY(tool->input_stack->isEnabled());
}

void TestTool::engineFailuresAreReportedAndKeepThePaths()
{
    // A display profile whose header reads but which holds no tags: it is
    // taken when chosen, and the engine cannot build a transform from it.
    QByteArray tagless = head(SRGB, 128);
    tagless.replace(0, 4, QByteArray::fromHex("00000084"));
    tagless.append(4, '\0');
    const QString broken = writeFile(QDir(scratch->path()), "tagless.icc", tagless);
    QVERIFY(!broken.isEmpty());

    startWith(SRGB, DEFAULT_CMYK, broken);
    QCOMPARE(modal->messageCaptions(), QStringList({"CMS init failed"}));
    QVERIFY(modal->requests.back().message.text.contains("for the monitor failed"));
    QVERIFY(!tool->outputTransform().handle);
    QVERIFY(!tool->labTransform().handle);
    QVERIFY(!tool->monitorTransform().handle);
    QCOMPARE(tool->monitor_icc_label->text(), QStringLiteral("tagless.icc"));
    QCOMPARE(QString::fromStdString(registry->getstring("tintora", "monitorICC")), broken);

    choose(tool->monitor_icc_button, SRGB);
    choose(tool->output_icc_button, broken);
    QCOMPARE(modal->messageCaptions().size(), 2);
    QVERIFY(modal->requests.back().message.text.startsWith("The initialisation of the CMS failed"));
    QVERIFY(!tool->outputTransform().handle);
    QVERIFY(!tool->monitorTransform().handle);
    QVERIFY(tool->labTransform().handle);
    QVERIFY(!tool->input_stack->isEnabled());
    QCOMPARE(preview(*tool), QColor(Qt::white));
    QCOMPARE(tool->output_icc_label->text(), QStringLiteral("tagless.icc"));
}

void TestTool::profileWithZeroWhitePointGetsTheBoxNotZeros()
{
    // default_cmyk.icc with its media white set to 0 0 0: the header reads,
    // the engine refuses it rather than answer with Lab 0 0 0. (Its white
    // point is the first tag of type XYZ.)
    QByteArray printer = head(DEFAULT_CMYK, 1 << 20);
    const int white = printer.indexOf("XYZ ");
    QVERIFY(white > 128);
    printer.replace(white + 8, 12, QByteArray(12, '\0'));
    const QString zeroWhite = writeFile(QDir(scratch->path()), "zerowhite.icc", printer);

    startWith(zeroWhite, SRGB);
    QCOMPARE(modal->messageCaptions(), QStringList({"CMS init failed", "CMS init failed"}));
    QVERIFY(!tool->outputTransform().handle);
    QVERIFY(!tool->labTransform().handle);
    QVERIFY(!tool->input_stack->isEnabled());
    QCOMPARE(tool->input_icc_label->text(), QStringLiteral("zerowhite.icc"));
}

void TestTool::monitorProfileBringsThePreview()
{
    startWith(DEFAULT_CMYK, SRGB);
    QVERIFY(tool->outputTransform().handle);
    QVERIFY(tool->labTransform().handle);
    QVERIFY(!tool->monitorTransform().handle);
    QCOMPARE(tool->pv_label->text(),
             QStringLiteral("Please pick a monitor profile<br>to see a preview of the colours"));
    tool->c_spin->setValue(100);
    QCOMPARE(preview(*tool), QColor(Qt::white));

    choose(tool->monitor_icc_button, SRGB);
    QVERIFY(tool->pv_label->text().isEmpty());
    Reference monitor(DEFAULT_CMYK, SRGB);
    unsigned long r, g, b;
    monitor.cms.cmyk2rgb(100, 0, 0, 0, r, g, b);
    QCOMPARE(preview(*tool), QColor(int(r), int(g), int(b)));
    QVERIFY(preview(*tool) != QColor(Qt::white));
}

// The proofed preview against transicc's chain: input to output device
// values under the intent, those values to their Lab as measured on the
// paper (absolute), and that Lab to the monitor (relative colorimetric).
void TestTool::proofedPreviewFollowsThePeerChain()
{
    using Values = PeerRows::Values;
    const struct {
        QString input, output, monitor;
        int intent;
        std::vector<Values> colours;
    } rows[] = {
        {SRGB, DEFAULT_CMYK, SRGB, 0, {{255, 255, 0}, {255, 255, 255}, {128, 128, 128}, {0, 0, 255}, {0, 0, 0}}},
        {SRGB, DEFAULT_CMYK, ADOBE_RGB, 1, {{255, 255, 0}, {255, 255, 255}, {200, 30, 90}}},
        {DEFAULT_CMYK, PS_CMYK, SRGB, 3, {{0, 0, 0, 0}, {100, 0, 0, 0}, {20, 30, 40, 10}, {0, 0, 0, 100}}},
        {ADOBE_RGB, SRGB, SRGB, 2, {{0, 255, 0}, {255, 255, 255}}},
    };
    for (const auto& row : rows) {
        registry = std::make_unique<KxRegistry>();
        registry->putstring("tintora", "inICC", row.input.toStdString());
        registry->putstring("tintora", "outICC", row.output.toStdString());
        registry->putstring("tintora", "monitorICC", row.monitor.toStdString());
        registry->putlong("tintora", "intent", row.intent);
        registry->putlong("tintora", "accuracy", 1); // floating point, as transicc
        registry->putlong("tintora", "proof_colours", 1);
        start();
        QVERIFY(tool->proofColoursAction()->isChecked());
        QCOMPARE(tool->proof_label->text(), QStringLiteral("Proof: as printed"));

        const QString t = "-t" + QString::number(row.intent);
        const auto transicc = [](const QString& from, const QString& to, const QString& intent,
                                 const std::vector<Values>& colours) {
            return PeerRows::through("transicc", {"-n", "-i" + from, "-o" + to, intent}, colours);
        };
        const std::vector<Values> device = transicc(row.input, row.output, t, row.colours);
        const std::vector<Values> lab = transicc(row.output, "*Lab", "-t3", device);
        const std::vector<Values> shown = transicc("*Lab", row.monitor, "-t1", lab);
        QVERIFY2(!shown.empty(), "transicc (Debian package liblcms2-utils) is needed");
        for (std::size_t i = 0; i < row.colours.size(); ++i) {
            const Values& colour = row.colours[i];
            const std::vector<QSpinBox*> spins = colour.size() == 4
                ? std::vector<QSpinBox*>{tool->c_spin, tool->m_spin, tool->y_spin, tool->k_spin}
                : std::vector<QSpinBox*>{tool->r_spin, tool->g_spin, tool->b_spin};
            for (std::size_t channel = 0; channel < spins.size(); ++channel)
                spins[channel]->setValue(int(colour[channel]));
            const QColor expected(whole(shown[i][0]), whole(shown[i][1]), whole(shown[i][2]));
            const QColor got = preview(*tool);
            const int off = std::max({std::abs(got.red() - expected.red()), std::abs(got.green() - expected.green()),
                                      std::abs(got.blue() - expected.blue())});
            QVERIFY2(off <= 1, qPrintable(QString("%1 to %2 on %3, intent %4: %5 shown as %6, transicc %7")
                                              .arg(row.input, row.output, row.monitor)
                                              .arg(row.intent)
                                              .arg(i)
                                              .arg(got.name(), expected.name())));
        }

        // Off, the preview is the monitor view of the input colour again.
        tool->proofColoursAction()->setChecked(false);
        QCOMPARE(tool->proof_label->text(), QStringLiteral("The input colour"));
        QCOMPARE(registry->getlong("tintora", "proof_colours"), 0L);
        Reference monitor(row.input, row.monitor, row.intent, 1);
        unsigned long r, g, b;
        const Values& last = row.colours.back();
        if (last.size() == 4)
            monitor.cms.cmyk2rgb(last[0], last[1], last[2], last[3], r, g, b);
        else
            monitor.cms.rgb2rgb(last[0], last[1], last[2], r, g, b);
        QCOMPARE(preview(*tool), QColor(int(r), int(g), int(b)));
        tool.reset();
    }
}

void TestTool::intentsAndAccuraciesReachTransformsAndSettings()
{
    startWith(SRGB, DEFAULT_CMYK, SRGB);
    tool->r_spin->setValue(30);
    tool->g_spin->setValue(200);

    const long intentOfIndex[] = {0, 1, 3, 2};
    for (int accuracyIndex : {1, 0}) {
        emit tool->accuracy_combo->activated(accuracyIndex);
        for (int index = 0; index < 4; ++index) {
            emit tool->rendering_combo->activated(index);
            const long intent = intentOfIndex[index];
            for (const KxCmsIcc* cms : {&tool->outputTransform(), &tool->labTransform(), &tool->monitorTransform()}) {
                QCOMPARE(cms->renderingIntent, intent);
                QCOMPARE(cms->accuracy, long(accuracyIndex));
            }
            QCOMPARE(registry->getlong("tintora", "intent"), intent);
            QCOMPARE(registry->getlong("tintora", "accuracy"), long(accuracyIndex));

            Reference output(SRGB, DEFAULT_CMYK, intent, accuracyIndex);
            unsigned long c, m, y, k;
            output.cms.rgb2cmyk(30, 200, 0, c, m, y, k);
            QCOMPARE(tool->c_label->text(), number(c));
            QCOMPARE(tool->y_label->text(), number(y));
        }
    }
}

void TestTool::storedIntentAndAccuracyAreRestored()
{
    const struct { long stored; int index; } intents[] = {{0, 0}, {1, 1}, {2, 3}, {3, 2}, {9, 0}};
    for (const auto& row : intents) {
        registry->putlong("tintora", "intent", row.stored);
        Tintora second(*registry);
        QCOMPARE(second.rendering_combo->currentIndex(), row.index);
        // The stored value is handed on unchanged, also outside 0 to 3, and
        // stored again as it was.
        QCOMPARE(second.labTransform().renderingIntent, row.stored);
        QCOMPARE(second.outputTransform().renderingIntent, row.stored);
        QCOMPARE(second.monitorTransform().renderingIntent, row.stored);
        QCOMPARE(registry->getlong("tintora", "intent"), row.stored);
    }
    for (const auto& [stored, index] : std::initializer_list<std::pair<long, int>>{{1, 1}, {7, 0}, {0, 0}}) {
        registry->putlong("tintora", "accuracy", stored);
        Tintora second(*registry);
        QCOMPARE(second.accuracy_combo->currentIndex(), index);
        QCOMPARE(second.monitorTransform().accuracy, long(index));
        QCOMPARE(registry->getlong("tintora", "accuracy"), long(index));
    }
}

void TestTool::settingsSurviveCloseAndANewWindow()
{
    const std::string file = KxRegistry::getregname(scratch->path().toStdString(), "tintora");
    startWith(DEFAULT_CMYK, SRGB, ADOBE_RGB);
    tool->rendering_combo->setCurrentIndex(3);
    emit tool->rendering_combo->activated(3);
    tool->accuracy_combo->setCurrentIndex(1);
    emit tool->accuracy_combo->activated(1);
    auto* panel = tool->findChild<InstrumentPanel*>();
    QVERIFY(panel);
    panel->findChild<QCheckBox*>("add_check")->setChecked(true);
    panel->findChild<QDoubleSpinBox*>("reading_l_spin")->setValue(61.25);
    tool->c_spin->setValue(25);
    const QString shownRed = tool->r_label->text();
    QVERIFY(tool->close());
    QVERIFY(registry->save(file));
    tool.reset();

    KxRegistry reopened;
    QVERIFY(reopened.open(file));
    Tintora second(reopened);
    QCOMPARE(second.input_icc_label->text(), QStringLiteral("default_cmyk.icc"));
    QCOMPARE(second.output_icc_label->text(), QStringLiteral("sRGB.icc"));
    QCOMPARE(second.monitor_icc_label->text(), QStringLiteral("AdobeRGB1998.icc"));
    QCOMPARE(second.rendering_combo->currentIndex(), 3);
    QCOMPARE(second.accuracy_combo->currentIndex(), 1);
    QCOMPARE(second.outputTransform().renderingIntent, 2L);
    QCOMPARE(second.outputTransform().accuracy, 1L);
    auto* secondPanel = second.findChild<InstrumentPanel*>();
    QVERIFY(secondPanel->isAddMode());
    QCOMPARE(secondPanel->findChild<QDoubleSpinBox*>("reading_l_spin")->value(), 61.25);
    // Colour values are not settings; the same input converts the same way.
    second.c_spin->setValue(25);
    QCOMPARE(second.r_label->text(), shownRed);

    modal->cancel();
    second.input_icc_button->click();
    QCOMPARE(modal->requests.back().text, PROFILES + "colord");
}

void TestTool::clearAllSelectionsEmptiesOnlyTheProfiles()
{
    startWith(SRGB, DEFAULT_CMYK);
    emit tool->rendering_combo->activated(1);
    emit tool->accuracy_combo->activated(1);
    tool->keep_button->click();
    QCOMPARE(tool->history_combo->count(), 2);

    QVERIFY(QMetaObject::invokeMethod(tool.get(), "clearallselections"));
    for (const char* key : {"inICC", "outICC", "monitorICC"})
        QVERIFY(registry->getstring("tintora", key).empty());
    QCOMPARE(QString::fromStdString(registry->getstring("tintora", "lastdir_icc")), PROFILES + "ghostscript");
    QCOMPARE(registry->getlong("tintora", "intent"), 1L);
    QCOMPARE(registry->getlong("tintora", "accuracy"), 1L);
    QVERIFY(!tool->input_stack->isEnabled());
    QVERIFY(!tool->keep_button->isEnabled());
    QCOMPARE(preview(*tool), QColor(Qt::white));
}

void TestTool::readingsRoundToNearestAndAreHeld()
{
    startWith(DEFAULT_CMYK, SRGB);
    auto* panel = tool->findChild<InstrumentPanel*>();
    QVERIFY(panel);
    auto* l = panel->findChild<QDoubleSpinBox*>("reading_l_spin");
    auto* a = panel->findChild<QDoubleSpinBox*>("reading_a_spin");
    auto* b = panel->findChild<QDoubleSpinBox*>("reading_b_spin");
    auto* read = panel->findChild<QPushButton*>("read_button");

    const struct { double L, a, b; int wantL, wantA, wantB; } readings[] = {
        {50.4, -130.2, 10.6, 50, -127, 11},
        {20.0, -2.6, 2.5, 20, -3, 3},
        {33.5, -2.5, -3.7, 34, -3, -4},
        {99.6, 0.4, -0.4, 100, 0, 0},
    };
    for (const auto& reading : readings) {
        l->setValue(reading.L);
        a->setValue(reading.a);
        b->setValue(reading.b);
        read->click();
        QCOMPARE(tool->labin_l_spin->value(), reading.wantL);
        QCOMPARE(tool->labin_a_spin->value(), reading.wantA);
        QCOMPARE(tool->labin_b_spin->value(), reading.wantB);
    }
    // The reading reached the CMYK inputs through the Lab transform.
    Reference lab(DEFAULT_CMYK, DEFAULT_CMYK);
    double rL, ra, rb;
    unsigned long c, m, y, k;
    lab.cms.D50lab2rlab(100, 0, 0, rL, ra, rb);
    lab.cms.lab2cmyk(rL, ra, rb, c, m, y, k);
    QCOMPARE(tool->k_spin->value(), int(k));
    QVERIFY(!tool->history_combo->isEnabled());

    // A reading that is no number, or an infinite one, is held like any other.
    QVERIFY(QMetaObject::invokeMethod(tool.get(), "processLab", Q_ARG(double, std::nan("")),
                                      Q_ARG(double, HUGE_VAL), Q_ARG(double, -HUGE_VAL)));
    QCOMPARE(tool->labin_l_spin->value(), 0);
    QCOMPARE(tool->labin_a_spin->value(), 127);
    QCOMPARE(tool->labin_b_spin->value(), -127);

    // In add mode each reading is also kept, as a Lab entry.
    panel->findChild<QCheckBox*>("add_check")->setChecked(true);
    l->setValue(45.0);
    a->setValue(-12.0);
    b->setValue(7.0);
    read->click();
    QCOMPARE(items(tool->history_combo), QStringList({"45 -12 7", "Clear all"}));
}

void TestTool::keptColoursKeepAndRecall()
{
    startWith(DEFAULT_CMYK, SRGB, SRGB);
    QVERIFY(!tool->history_combo->isEnabled());

    tool->c_spin->setValue(10);
    tool->m_spin->setValue(20);
    tool->y_spin->setValue(30);
    const QColor cmykSwatch = preview(*tool);
    tool->keep_button->click();
    QVERIFY(tool->history_combo->isEnabled());
    QCOMPARE(items(tool->history_combo), QStringList({"10 20 30 0", "Clear all"}));
    QCOMPARE(tool->history_combo->currentIndex(), 0);
    QCOMPARE(tool->history_combo->itemIcon(0).pixmap(16, 16).toImage().pixelColor(8, 8), cmykSwatch);
    QCOMPARE(tool->history_combo->itemIcon(1).pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::white));

    tool->labin_l_spin->setValue(50);
    tool->labin_a_spin->setValue(-12);
    tool->labin_b_spin->setValue(-7);
    tool->keep_button->click();
    tool->keep_button->click();
    QCOMPARE(items(tool->history_combo), QStringList({"10 20 30 0", "50 -12 -7", "50 -12 -7", "Clear all"}));
    QCOMPARE(tool->history_combo->currentIndex(), 2);

    // Recall the CMYK entry, then the negative Lab entry.
    emit tool->history_combo->activated(0);
    QCOMPARE(QList<int>({tool->c_spin->value(), tool->m_spin->value(), tool->y_spin->value(), tool->k_spin->value()}),
             QList<int>({10, 20, 30, 0}));
    QCOMPARE(tool->c_slider->value(), 10);
    Reference output(DEFAULT_CMYK, SRGB);
    unsigned long r, g, b;
    output.cms.cmyk2rgb(10, 20, 30, 0, r, g, b);
    QCOMPARE(tool->r_label->text(), number(r));
    emit tool->history_combo->activated(1);
    QCOMPARE(QList<int>({tool->labin_l_spin->value(), tool->labin_a_spin->value(), tool->labin_b_spin->value()}),
             QList<int>({50, -12, -7}));
    QCOMPARE(tool->labin_a_slider->value(), -12);

    // "Clear all" empties and disables the list; the next keep makes it again.
    emit tool->history_combo->activated(tool->history_combo->count() - 1);
    QCOMPARE(tool->history_combo->count(), 0);
    QVERIFY(!tool->history_combo->isEnabled());
    tool->keep_button->click();
    QCOMPARE(items(tool->history_combo), QStringList({"50 -12 -7", "Clear all"}));

    // With an RGB input a Lab edit still keeps the RGB values.
    choose(tool->input_icc_button, SRGB);
    QCOMPARE(tool->history_combo->count(), 0);
    tool->r_spin->setValue(12);
    tool->g_spin->setValue(34);
    tool->b_spin->setValue(56);
    tool->keep_button->click();
    tool->labin_l_spin->setValue(80);
    tool->keep_button->click();
    QCOMPARE(tool->history_combo->itemText(0), QStringLiteral("12 34 56"));
    const QString rgbNow =
        QStringLiteral("%1 %2 %3").arg(tool->r_spin->value()).arg(tool->g_spin->value()).arg(tool->b_spin->value());
    QCOMPARE(tool->history_combo->itemText(1), rgbNow);
    QVERIFY(rgbNow != QStringLiteral("12 34 56"));
    emit tool->history_combo->activated(0);
    QCOMPARE(QList<int>({tool->r_spin->value(), tool->g_spin->value(), tool->b_spin->value()}),
             QList<int>({12, 34, 56}));
    QCOMPARE(tool->g_slider->value(), 34);
}

void TestTool::keptColoursEmptyOnAChangeOfInputSpace()
{
    startWith(SRGB, DEFAULT_CMYK);
    tool->keep_button->click();
    QCOMPARE(tool->history_combo->count(), 2);
    choose(tool->input_icc_button, ADOBE_RGB);
    QCOMPARE(tool->history_combo->count(), 2);
    QVERIFY(tool->history_combo->isEnabled());
    choose(tool->input_icc_button, PS_CMYK);
    QCOMPARE(tool->history_combo->count(), 0);
    QVERIFY(!tool->history_combo->isEnabled());
}

void TestTool::nonLatin1PathsWorkAndShowTheirNames()
{
    QDir root(scratch->path());
    QVERIFY(root.mkdir(QStringLiteral("色")));
    const QDir folder(root.filePath(QStringLiteral("色")));
    const QString input = folder.filePath(QStringLiteral("Profil-Überdruck-печать.icc"));
    const QString monitor = folder.filePath(QStringLiteral("Монитор.icc"));
    QVERIFY(QFile::copy(DEFAULT_CMYK, input));
    QVERIFY(QFile::copy(SRGB, monitor));

    startWith(input, SRGB, monitor);
    QVERIFY(modal->messageCaptions().isEmpty());
    QCOMPARE(tool->input_icc_label->text(), QStringLiteral("Profil-Überdruck-печать.icc"));
    QCOMPARE(tool->monitor_icc_label->text(), QStringLiteral("Монитор.icc"));
    QVERIFY(tool->outputTransform().handle);
    QVERIFY(tool->monitorTransform().handle);
    QCOMPARE(QString::fromUtf8(registry->getstring("tintora", "inICC")), input);
    QCOMPARE(QString::fromUtf8(registry->getstring("tintora", "lastdir_icc")), folder.path());

    tool->c_spin->setValue(60);
    Reference output(DEFAULT_CMYK, SRGB);
    unsigned long r, g, b;
    output.cms.cmyk2rgb(60, 0, 0, 0, r, g, b);
    QCOMPARE(tool->r_label->text(), number(r));
    QVERIFY(preview(*tool) != QColor(Qt::white));

    modal->cancel();
    tool->output_icc_button->click();
    QCOMPARE(modal->requests.back().text, folder.path());

    Tintora second(*registry);
    QCOMPARE(second.input_icc_label->text(), QStringLiteral("Profil-Überdruck-печать.icc"));
    QVERIFY(second.monitorTransform().handle);
}

// Paths in the settings that are not UTF-8 (written by an older program or
// another locale) still open their profiles, and are stored back byte for
// byte rather than with U+FFFD in place of the foreign bytes.
void TestTool::pathsThatAreNotUtf8OpenAndAreStoredAsTheyWere_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("Latin-1") << QByteArray("Zeitungsdruck-f\xfcr-\xe9t\xe9.icc");
    QTest::newRow("byte 0xFF") << QByteArray("\xff.icc");
    QTest::newRow("UTF-8 form of a surrogate") << QByteArray("\xed\xb2\x80.icc");
}

void TestTool::pathsThatAreNotUtf8OpenAndAreStoredAsTheyWere()
{
    QFETCH(QByteArray, name);
    const QByteArray folder = QFile::encodeName(scratch->path()) + "/Profile-\xe9";
    const QByteArray input = folder + "/" + name;
    const QByteArray simulated = folder + "/simulated-" + name;
    // QTemporaryDir cannot remove names that are not UTF-8.
    const auto removeNames = qScopeGuard([&] {
        ::unlink(input.constData());
        ::unlink(simulated.constData());
        ::rmdir(folder.constData());
    });
    QCOMPARE(::mkdir(folder.constData(), 0700), 0);
    QCOMPARE(::symlink(QFile::encodeName(DEFAULT_CMYK).constData(), input.constData()), 0);
    QCOMPARE(::symlink(QFile::encodeName(PS_CMYK).constData(), simulated.constData()), 0);
    registry->putstring("tintora", "inICC", input.toStdString());
    registry->putstring("tintora", "outICC", QFile::encodeName(SRGB).toStdString());
    registry->putstring("tintora", "lastdir_icc", folder.toStdString());
    registry->putstring("tintora", "instrument_sim_profile", simulated.toStdString());

    start();
    QVERIFY(modal->messageCaptions().isEmpty());
    tool->c_spin->setValue(60);
    Reference output(DEFAULT_CMYK, SRGB);
    unsigned long r, g, b;
    output.cms.cmyk2rgb(60, 0, 0, 0, r, g, b);
    QCOMPARE(tool->r_label->text(), number(r));

    QVERIFY(tool->close());
    QCOMPARE(QByteArray::fromStdString(registry->getstring("tintora", "inICC")), input);
    QCOMPARE(QByteArray::fromStdString(registry->getstring("tintora", "lastdir_icc")), folder);
    // The instrument panel keeps its profile only when it could open it.
    QCOMPARE(QByteArray::fromStdString(registry->getstring("tintora", "instrument_sim_profile")), simulated);
}

void TestTool::gamutDisplayFollowsSupport()
{
    start();
    tool->show();
    choose(tool->input_icc_button, SRGB);
    choose(tool->monitor_icc_button, ADOBE_RGB);
    const std::size_t asked = modal->requests.size();

    if (!KxGamutView::supported()) {
        // Nothing to offer: no dialog, and a right click shows no menu.
        QVERIFY(QMetaObject::invokeMethod(tool.get(), "showGamut"));
        QCOMPARE(modal->requests.size(), asked);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), tool->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(tool.get(), &event);
        QVERIFY(event.isAccepted());
        QVERIFY(!QApplication::activePopupWidget());
        return;
    }

    // The context menu offers the one entry; it is closed unchosen.
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* action : menu->actions())
                offered << action->text();
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), tool->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tool.get(), &event);
    QCOMPARE(offered, QStringList({"Display gamut"}));

    // Cancelling the dialog changes nothing, not even the profile folder.
    modal->cancel();
    QVERIFY(QMetaObject::invokeMethod(tool.get(), "showGamut"));
    QCOMPARE(modal->requests.back().caption, QStringLiteral("Choose an ICC profile for Gamut viewing"));
    QCOMPARE(modal->requests.back().text, PROFILES + "colord");
    modal->cancel();
    tool->input_icc_button->click();
    QCOMPARE(modal->requests.back().text, PROFILES + "colord");

    // A chosen profile opens its own window, which deletes itself when closed.
    modal->answerFile(DEFAULT_CMYK);
    QVERIFY(QMetaObject::invokeMethod(tool.get(), "showGamut"));
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == QStringLiteral("default_cmyk.icc"))
            window = w;
    QVERIFY(window);
    QVERIFY(window->findChild<KxGamutView*>());
    QCOMPARE(window->size(), QSize(400, 400));
    QPointer<QWidget> watched(window);
    window->close();
    QTRY_VERIFY_WITH_TIMEOUT(!watched, EventLimits::EVENT_MS);
    modal->cancel();
    tool->input_icc_button->click();
    QCOMPARE(modal->requests.back().text, PROFILES + "ghostscript");

    // "Show colour..." in a gamut window starts at the colour the tool shows.
    choose(tool->output_icc_button, DEFAULT_CMYK);
    tool->r_spin->setValue(200);
    tool->g_spin->setValue(150);
    tool->b_spin->setValue(100);
    modal->answerFile(DEFAULT_CMYK);
    QVERIFY(QMetaObject::invokeMethod(tool.get(), "showGamut"));
    KxGamutView* view = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == QStringLiteral("default_cmyk.icc") && w->findChild<KxGamutView*>())
            view = w->findChild<KxGamutView*>();
    QVERIFY(view);
    modal->cancel();
    QVERIFY(QMetaObject::invokeMethod(view, "chooseColour"));
    const QVector3D start = modal->requests.back().lab;
    const QLabel* shown[] = {tool->lab_l_label, tool->lab_a_label, tool->lab_b_label};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(std::abs(start[i] - shown[i]->text().toFloat()) <= 0.5f, qPrintable(shown[i]->text()));
    delete view->window();
}

// What tintora-convert prints for one line: device values, a tab, D50 Lab.
QStringList convert(const QString& input, const QString& output, long intent, long accuracy, const QString& line,
                    bool lab = false)
{
    QProcess process;
    QStringList arguments = {"--in", input, "--out", output, "--intent", QString::number(intent), "--accuracy",
                             QString::number(accuracy)};
    if (lab)
        arguments << "--lab";
    process.start(QStringLiteral(TINTORA_BINARY_DIR "/companions/convert/tintora-convert"), arguments);
    process.write(line.toUtf8() + "\n");
    process.closeWriteChannel();
    if (!process.waitForFinished(EventLimits::EVENT_MS) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

void TestTool::valuesAgreeWithTintoraConvert()
{
    start();
    const struct { QString input, output; int intentIndex; long intent; int accuracy; QList<int> values; } cases[] = {
        {SRGB, DEFAULT_CMYK, 0, 0, 0, {30, 200, 0}},
        {SRGB, DEFAULT_CMYK, 2, 3, 1, {250, 20, 90}},
        {DEFAULT_CMYK, SRGB, 1, 1, 0, {40, 10, 0, 0}},
        {DEFAULT_CMYK, PS_CMYK, 3, 2, 1, {5, 80, 60, 20}},
        {ADOBE_RGB, SRGB, 0, 0, 1, {10, 250, 10}},
    };
    for (const auto& c : cases) {
        choose(tool->input_icc_button, c.input);
        choose(tool->output_icc_button, c.output);
        emit tool->rendering_combo->activated(c.intentIndex);
        emit tool->accuracy_combo->activated(c.accuracy);
        QStringList line;
        const bool cmykIn = c.values.size() == 4;
        const QList<QSpinBox*> spins = cmykIn ? QList<QSpinBox*>{tool->c_spin, tool->m_spin, tool->y_spin, tool->k_spin}
                                              : QList<QSpinBox*>{tool->r_spin, tool->g_spin, tool->b_spin};
        for (int i = 0; i < spins.size(); ++i) {
            spins[i]->setValue(c.values[i]);
            line << QString::number(c.values[i]);
        }
        const QStringList expected = convert(c.input, c.output, c.intent, c.accuracy, line.join(' '));
        const bool cmykOut = c.output != SRGB && c.output != ADOBE_RGB;
        const QList<QLabel*> outputs =
            cmykOut ? QList<QLabel*>{tool->c_label, tool->m_label, tool->y_label, tool->k_label}
                    : QList<QLabel*>{tool->r_label, tool->g_label, tool->b_label};
        QCOMPARE(expected.size(), outputs.size() + 3);
        for (int i = 0; i < outputs.size(); ++i)
            QCOMPARE(outputs[i]->text(), expected[i]);
        const QList<QLabel*> lab = {tool->lab_l_label, tool->lab_a_label, tool->lab_b_label};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(lab[i]->text(), QString::number(whole(expected[outputs.size() + i].toDouble())));
    }

    // A Lab entry converts to the output as tintora-convert's Lab input does.
    choose(tool->input_icc_button, DEFAULT_CMYK);
    choose(tool->output_icc_button, SRGB);
    emit tool->rendering_combo->activated(0);
    emit tool->accuracy_combo->activated(0);
    tool->labin_l_spin->setValue(50);
    tool->labin_a_spin->setValue(-30);
    tool->labin_b_spin->setValue(10);
    const QStringList expected = convert(DEFAULT_CMYK, SRGB, 0, 0, "50 -30 10", true);
    QCOMPARE(expected.size(), 6);
    QCOMPARE(QStringList({tool->r_label->text(), tool->g_label->text(), tool->b_label->text()}), expected.mid(0, 3));
}

QTEST_MAIN(TestTool)
#include "test_tool.moc"
