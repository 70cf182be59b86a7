// A printer profile made in the chart window from its readings: Argyll's
// fakeread "prints and measures" a chart with its control patches through
// a known profile, of a CMYK printer or of one driven through RGB; the
// window fits a profile from the readings on a worker thread, offers it as
// the output profile and shows its gamut beside the known profile's. Cancelling, or closing the window, while the fit runs
// writes nothing. Runs under a real X server, for the gamut window.

#include "ChartMenu.h"
#include "Colourcheck.h"
#include "ColourcheckPatch.h"
#include "ColourcheckProfileMaker.h"
#include "EventLimits.h"
#include "ProgramRun.h"
#include "ScriptedModal.h"

#include <InstrumentPanel.h>
#include <KxGamutView.h>
#include <KxRegistry.h>
#include <KxSupport.h>

#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QThreadPool>

#include <lcms2.h>

namespace {

const char* const DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const RGB_PRINTER = TINTORA_TEST_DATA "/profile/rgb_printer.icc";
const QString MAKE_PROFILE = QStringLiteral("Make profile...");

// Answers the options dialog: low quality and the description given. The
// ink limits and black generation are asked for a CMYK printer only.
void answerOptions(ScriptedModal& modal, const QString& description, bool inkOptions = true)
{
    modal.answerDialog([description, inkOptions](QDialog& dialog) {
        for (const char* inkOnly : {"ink_limit_spin", "black_limit_spin", "black_generation_combo"})
            QCOMPARE(dialog.findChild<QWidget*>(inkOnly)->isVisibleTo(&dialog), inkOptions);
        dialog.findChild<QComboBox*>("quality_combo")->setCurrentIndex(0);
        dialog.findChild<QLineEdit*>("description_edit")->setText(description);
    });
}

// Deletes the windows that closed: a closed chart is gone once this returns.
void deliverDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString profileDescription(cmsHPROFILE profile)
{
    wchar_t text[256] = {};
    cmsGetProfileInfo(profile, cmsInfoDescription, "en", "US", text, 256);
    return QString::fromWCharArray(text);
}

} // namespace

class TestChartProfile : public QObject
{
    Q_OBJECT

    KxRegistry registry;
    QTemporaryDir folder;

    // The chart tintora-chart --patches 64 --controls makes of profile.
    Colourcheck* newChart(const char* profile = DEFAULT_CMYK)
    {
        auto* chart = new Colourcheck(registry, nullptr, nullptr);
        chart->controlPatches = true;
        chart->fromICC(profile, nullptr, 64);
        chart->show();
        return chart;
    }

    // fakeread's readings of that chart, made in initTestCase.
    QString readingsOf(const char* profile) const
    {
        return folder.filePath(QFileInfo(profile).completeBaseName() + ".ti3");
    }

    void loadReadings(Colourcheck& chart, const char* profile = DEFAULT_CMYK)
    {
        ScriptedModal modal;
        modal.answerFile(readingsOf(profile));
        QVERIFY(QMetaObject::invokeMethod(&chart, "loadMeasurements"));
        QCOMPARE(modal.messageCaptions(), QStringList());
        QCOMPARE(chart.measurementSession().readings().size(), size_t(chart.measurementSession().patches()));
    }

    static void closeDiscarding(Colourcheck* chart)
    {
        ScriptedModal modal;
        modal.answer(int(QMessageBox::Discard)); // for a reading taken by hand
        chart->container->close();
    }

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        KxInitGlobals();
        KxInitStorageClasses();
        for (const char* profile : {DEFAULT_CMYK, RGB_PRINTER}) {
            const QString target = readingsOf(profile).chopped(4);
            const ProgramRun chart = ProgramRun::of(TINTORA_BINARY_DIR "/companions/chart/tintora-chart",
                                                    {"--profile", profile, "--patches", "64", "--controls", "--ti1",
                                                     target + ".ti1"});
            QVERIFY2(chart.exitCode == 0, chart.error.constData());
            const ProgramRun read = ProgramRun::of(QStandardPaths::findExecutable("fakeread"),
                                                   {"-r", "0.5", "-S", "3", profile, target});
            QVERIFY2(read.exitCode == 0, read.out + read.error);
        }
    }

    // The entry comes with a reading of the paper, and not before.
    void makeProfileNeedsPaperWhite()
    {
        QPointer<Colourcheck> chart = newChart();
        QVERIFY(!contextMenuEntries(*chart).contains(MAKE_PROFILE));
        emit chart->panel->spotLab(50.0, 10.0, 10.0); // patch 1, printed with ink
        QVERIFY(!contextMenuEntries(*chart).contains(MAKE_PROFILE));
        loadReadings(*chart);
        const QStringList entries = contextMenuEntries(*chart); // before the profiling chart and the proof
        QCOMPARE(entries.mid(entries.size() - 3), (QStringList{MAKE_PROFILE, "New profiling chart...", "Proof colours"}));
        closeDiscarding(chart);
        deliverDeletes();
        QVERIFY(chart.isNull());
    }

    void makesProfileAndOffersIt_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("rgb");
        QTest::newRow("CMYK printer") << DEFAULT_CMYK << false;
        QTest::newRow("RGB printer") << RGB_PRINTER << true;
    }

    // The whole road: file, options, progress while the fit runs, the profile
    // written, offered to the tool and compared with the chart's profile.
    void makesProfileAndOffersIt()
    {
        QFETCH(QString, profile);
        QFETCH(bool, rgb);
        const QByteArray printer = profile.toLocal8Bit();
        QPointer<Colourcheck> chart = newChart(printer.constData());
        loadReadings(*chart, printer.constData());

        const QString made = folder.filePath(rgb ? "made-rgb.icc" : "made.icc");
        ScriptedModal modal;
        modal.answerFile(made);
        answerOptions(modal, "Printed by fakeread", !rgb);
        modal.answerDialog([](QDialog& dialog) {
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
                QVERIFY(box->isEnabled());
                box->setChecked(true);
            }
        });
        auto* bar = chart->container->findChild<QProgressBar*>("profile progress");
        QSignalSpy progressed(bar, &QProgressBar::valueChanged);
        QSignalSpy offers(chart.data(), &Colourcheck::outputProfileChosen);
        QVERIFY(QMetaObject::invokeMethod(chart, "makeProfile"));
        QVERIFY(bar->isVisible());
        // Reported from the worker while the window's loop runs.
        while (bar->value() <= 0 && offers.isEmpty() && progressed.wait(EventLimits::FIT_MS)) {
        }
        QVERIFY(bar->value() > 0);
        if (bar->isVisible())
            chart->container->grab().save(QDir::temp().filePath("tintora-chart-profile-progress.png"));
        QVERIFY(!offers.isEmpty() || offers.wait(EventLimits::FIT_MS));
        QCOMPARE(offers.first().first().toString(), made);
        QCOMPARE(modal.unanswered, 0);
        QVERIFY(!bar->isVisible());

        cmsHPROFILE written = cmsOpenProfileFromFile(QFile::encodeName(made).constData(), "r");
        QVERIFY(written);
        QCOMPARE(cmsGetDeviceClass(written), cmsSigOutputClass);
        QCOMPARE(cmsGetColorSpace(written), rgb ? cmsSigRgbData : cmsSigCmykData);
        QCOMPARE(profileDescription(written), QString("Printed by fakeread"));
        cmsCloseProfile(written);

        // The gamut window: the chart's profile as the solid, the new one over
        // it, nearly all of the new inside (both describe the same printer).
        QWidget* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "profile gamut window" && top->isVisible())
                window = top;
        QVERIFY(window);
        auto* view = window->findChild<KxGamutView*>();
        QVERIFY(view->hasGamut() && view->hasComparison());
        QVERIFY2(view->comparisonShare() > 0.9, qPrintable(QString::number(view->comparisonShare())));
        QVERIFY(QTest::qWaitForWindowExposed(window, EventLimits::EVENT_MS));
        view->grabFramebuffer().save(QDir::temp().filePath("tintora-chart-profile-gamut.png"));
        window->close();
        closeDiscarding(chart);
    }

    // Cancelling, or closing the window, while the fit runs leaves no file
    // and no message; the fit ends on its own.
    void cancelledOrClosedWritesNothing_data()
    {
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("cancel") << false;
        QTest::newRow("close window") << true;
    }

    void cancelledOrClosedWritesNothing()
    {
        QFETCH(bool, closeWindow);
        QPointer<Colourcheck> chart = newChart();
        loadReadings(*chart);
        const QString path = folder.filePath(closeWindow ? "closed.icc" : "cancelled.icc");
        {
            ScriptedModal modal;
            modal.answerFile(path);
            answerOptions(modal, "Cancelled");
            QVERIFY(QMetaObject::invokeMethod(chart, "makeProfile"));
            auto* bar = chart->container->findChild<QProgressBar*>("profile progress");
            QVERIFY(bar->isVisible());
            if (closeWindow) {
                chart->container->close(); // the readings are those of a file: nothing to ask
                deliverDeletes();
                QVERIFY(chart.isNull());
            } else {
                QSignalSpy cancelled(chart->container->findChild<ColourcheckProfileMaker*>(),
                                     &ColourcheckProfileMaker::cancelled);
                chart->container->findChild<QPushButton*>("cancel profile")->click();
                QVERIFY(cancelled.wait(EventLimits::FIT_MS));
                QVERIFY(!bar->isVisible());
            }
            QVERIFY(QThreadPool::globalInstance()->waitForDone(EventLimits::FIT_MS));
            QCoreApplication::processEvents();
            QCOMPARE(modal.messageCaptions(), QStringList());
            QCOMPARE(modal.unanswered, 0);
        }
        QVERIFY(!QFile::exists(path));
        if (chart) {
            QVERIFY(contextMenuEntries(*chart).contains(MAKE_PROFILE)); // and may be made again
            closeDiscarding(chart);
        }
    }
};

QTEST_MAIN(TestChartProfile)
#include "test_chart_profile.moc"
