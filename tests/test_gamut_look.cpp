// The gamut answers as a user sees them, in English and in German, on a
// real X server: the tool showing a saturated screen blue out of the
// printer's gamut, and a gamut window with the printer as a solid, sRGB as a
// wire frame and a marked colour. The pictures are kept in the build folder.
#include "Tintora.h"

#include "ChooseProfiles.h"
#include "EventLimits.h"
#include "KxGamutView.h"
#include "KxRegistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTranslator>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString SRGB = QStringLiteral("/usr/share/color/icc/sRGB.icc");
const QString DEFAULT_CMYK = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
constexpr int ABSOLUTE_ROW = 2; // of rendering_combo

} // namespace

class TestGamutLook : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTranslator> translator;
    QString code;

    void keep(const QImage& picture, const QString& what)
    {
        const QString file = QStringLiteral(TINTORA_BINARY_DIR "/gamut-look-%1-%2.png").arg(what, code);
        QVERIFY2(picture.save(file), qPrintable(file));
    }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("outOfGamut");
        QTest::addColumn<QString>("volumeUnits");
        QTest::newRow("English") << "en" << "out of gamut" << "cubic Lab units";
        QTest::newRow("German") << "de" << QString::fromUtf8("außerhalb des Farbumfangs") << "Lab-Kubikeinheiten";
    }

    void init()
    {
        QFETCH_GLOBAL(QString, language);
        code = language;
        if (code == QLatin1String("en"))
            return;
        translator = std::make_unique<QTranslator>();
        QVERIFY(translator->load(QStringLiteral(TINTORA_LANG_DIR "/tintora_") + code));
        QCoreApplication::installTranslator(translator.get());
    }

    void cleanup()
    {
        if (translator)
            QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }

    void toolShowsASaturatedBlueOutOfGamut()
    {
        QFETCH_GLOBAL(QString, outOfGamut);
        ScriptedModal modal;
        KxRegistry registry;
        Tintora tool(registry);
        chooseProfiles(tool, modal, SRGB, DEFAULT_CMYK, SRGB);
        tool.rendering_combo->setCurrentIndex(ABSOLUTE_ROW);
        tool.rendering_combo->setCurrentIndex(ABSOLUTE_ROW);
        emit tool.rendering_combo->activated(ABSOLUTE_ROW);
        tool.r_spin->setValue(0);
        tool.g_spin->setValue(0);
        tool.b_spin->setValue(255);
        tool.resize(748, 524);
        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool, EventLimits::EVENT_MS));
        keep(tool.grab().toImage(), QStringLiteral("tool"));

        const QLabel* label = tool.gamut_label;
        QVERIFY2(label->text().endsWith(outOfGamut), qPrintable(label->text()));
        // Shown whole, inside the output group.
        QVERIFY(label->isVisible());
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
        QVERIFY(tool.output_group->rect().contains(label->geometry()));
    }

    void gamutWindowComparesAndMarks()
    {
        QFETCH_GLOBAL(QString, volumeUnits);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* view = new KxGamutView(&window);
        layout->addWidget(view);
        QCOMPARE(view->fromICC(QFile::encodeName(DEFAULT_CMYK).constData(), QFile::encodeName(SRGB).constData()), 1);
        window.resize(400, 400);
        window.show();
        QVERIFY(view->compareWith(QFile::encodeName(SRGB).constData()));
        view->showColour(QVector3D(70.0f, -60.0f, -80.0f));
        // The view's own picture: a grab of the whole window draws the
        // OpenGL view a second time, without the text painted over it.
        QVERIFY(QTest::qWaitForWindowExposed(&window, EventLimits::EVENT_MS));
        keep(view->grabFramebuffer(), QStringLiteral("window"));

        const QStringList figures = view->figures();
        QCOMPARE(figures.size(), 4);
        QVERIFY2(figures[0].endsWith(volumeUnits), qPrintable(figures[0]));
        // Thousands set apart by spaces: a German reader would take "296,000"
        // or an English one "296.000" for a decimal.
        const QRegularExpression grouped(QStringLiteral(": [0-9]{1,3}(\\x{a0}[0-9]{3})+ "));
        for (int i = 0; i < 2; ++i)
            QVERIFY2(grouped.match(figures[i]).hasMatch(), qPrintable(figures[i]));
        QVERIFY(window.windowTitle().contains(QStringLiteral("default_cmyk.icc")));
        QVERIFY(window.windowTitle().contains(QStringLiteral("sRGB.icc")));
        // The figures fit in the window, wrapped where a line is longer than it is wide.
        QVERIFY(view->rect().contains(view->figuresRect()));
        window.resize(260, 400);
        QTRY_COMPARE_WITH_TIMEOUT(view->width(), 260, EventLimits::EVENT_MS);
        keep(view->grabFramebuffer(), QStringLiteral("narrow-window"));
        const QFontMetrics metrics(view->font());
        QVERIFY(metrics.horizontalAdvance(figures.last()) > view->width());
        QVERIFY(view->rect().contains(view->figuresRect()));
        QVERIFY(view->figuresRect().height() > metrics.lineSpacing() * int(figures.size()));
    }
};

QTEST_MAIN(TestGamutLook)

#include "test_gamut_look.moc"
