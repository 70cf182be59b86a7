// How far a conversion falls from the colour asked for: the tool's
// out-of-gamut label and tintora-convert's --gamut column, checked against
// Argyll's xicclu looking the same colours up forward and backward through
// the printer profile.
#include "Tintora.h"

#include "ArgyllPeer.h"
#include "ChooseProfiles.h"
#include "KxCMS.h"
#include "KxRegistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

const QString SRGB = QStringLiteral("/usr/share/color/icc/sRGB.icc");
const QString DEFAULT_CMYK = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");

// rendering_combo's rows.
constexpr int PERCEPTUAL_ROW = 0;
constexpr int ABSOLUTE_ROW = 2;

using ArgyllPeer::Values;

double deltaE(const Values& x, const Values& y)
{
    return KxCMS_ColourDiff_DeltaE(x.data(), y.data());
}

// The number the label shows, or a negative value when it shows none.
double shownDifference(const QLabel* label)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("([0-9]+\\.[0-9]{2})")).match(label->text());
    return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
}

// tintora-convert's output lines, split at white space; empty on failure.
std::vector<QStringList> convert(const QStringList& arguments, const QStringList& lines)
{
    QProcess process;
    process.start(QStringLiteral(TINTORA_BINARY_DIR "/tools/convert/tintora-convert"), arguments);
    process.write((lines.join('\n') + '\n').toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    std::vector<QStringList> fields;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        fields.push_back(line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    return fields;
}

struct Tool
{
    Tool()
        : tool(std::make_unique<Tintora>(registry))
    {
    }
    // As the user picks a row of the intent box.
    void chooseIntent(int row)
    {
        tool->rendering_combo->setCurrentIndex(row);
        emit tool->rendering_combo->activated(row);
    }
    void setRgb(int r, int g, int b)
    {
        tool->r_spin->setValue(r);
        tool->g_spin->setValue(g);
        tool->b_spin->setValue(b);
    }
    Values shownCmyk() const
    {
        Values cmyk;
        for (const QLabel* label : {tool->c_label, tool->m_label, tool->y_label, tool->k_label})
            cmyk.push_back(label->text().toDouble());
        return cmyk;
    }

    ScriptedModal modal;
    KxRegistry registry;
    std::unique_ptr<Tintora> tool;
};

} // namespace

class TestGamutDifference : public QObject
{
    Q_OBJECT

private slots:
    void differenceAgreesWithArgyll();
    void labelTextColourAndBlanking();
    void convertAddsTheDifferenceOnlyWhenAsked();
};

// sRGB into the printer, absolute colorimetric. The input's D50 Lab comes
// from xicclu's relative lookup: for a version 2 display profile LittleCMS
// takes the media white as D50, which Argyll does only in its relative
// intent. The printer is looked up absolutely on both sides.
void TestGamutDifference::differenceAgreesWithArgyll()
{
    Tool t;
    chooseProfiles(*t.tool, t.modal, SRGB, DEFAULT_CMYK, SRGB);
    t.chooseIntent(ABSOLUTE_ROW);

    const struct { int r, g, b; bool outside; } colours[] = {
        {128, 128, 128, false}, {190, 140, 110, false}, {90, 110, 60, false}, {150, 60, 80, false},
        {0, 0, 255, true},      {0, 255, 0, true},      {255, 0, 255, true},  {0, 255, 255, true},
    };
    std::vector<Values> rgb, shownCmyk;
    std::vector<double> shown;
    QStringList lines;
    for (const auto& c : colours) {
        t.setRgb(c.r, c.g, c.b);
        lines << QStringLiteral("%1 %2 %3").arg(c.r).arg(c.g).arg(c.b);
        rgb.push_back({c.r / 255.0, c.g / 255.0, c.b / 255.0});
        Values cmyk = t.shownCmyk();
        for (double& ink : cmyk)
            ink /= 100.0;
        shownCmyk.push_back(cmyk);
        shown.push_back(shownDifference(t.tool->gamut_label));
    }

    const std::vector<Values> inputLab = ArgyllPeer::xicclu({"-ff", "-ir", "-pl", SRGB}, rgb);
    const std::vector<Values> shownLab = ArgyllPeer::xicclu({"-ff", "-ia", "-pl", DEFAULT_CMYK}, shownCmyk);
    QVERIFY2(!inputLab.empty() && !shownLab.empty(), "Argyll's xicclu is set up by the setup script");
    // Argyll's own answer: the input Lab backward to ink, and forward again.
    const std::vector<Values> argyllCmyk = ArgyllPeer::xicclu({"-fb", "-ia", "-pl", DEFAULT_CMYK}, inputLab);
    QVERIFY(!argyllCmyk.empty());
    std::vector<Values> argyllInk;
    for (const Values& cmyk : argyllCmyk)
        argyllInk.push_back({cmyk[0], cmyk[1], cmyk[2], cmyk[3]});
    const std::vector<Values> argyllLab = ArgyllPeer::xicclu({"-ff", "-ia", "-pl", DEFAULT_CMYK}, argyllInk);
    QVERIFY(!argyllLab.empty());

    for (std::size_t i = 0; i < std::size(colours); ++i) {
        const double peerOfShown = deltaE(inputLab[i], shownLab[i]);
        const double peerOwn = deltaE(inputLab[i], argyllLab[i]);
        qInfo("RGB %d %d %d: label %.2f, xicclu of the shown CMYK %.2f, xicclu backward and forward %.2f",
              colours[i].r, colours[i].g, colours[i].b, shown[i], peerOfShown, peerOwn);
        QVERIFY2(shown[i] >= 0.0, "the label shows a difference");
        // The same inks read back by another CMM.
        QVERIFY2(std::abs(shown[i] - peerOfShown) < 0.5, qPrintable(QString::number(peerOfShown)));
        // Argyll's own way into the printer lands about as far from the colour.
        QVERIFY2(std::abs(shown[i] - peerOwn) < 1.5 + 0.1 * peerOwn, qPrintable(QString::number(peerOwn)));
        QCOMPARE(shown[i] >= 2.0, colours[i].outside);
        QCOMPARE(peerOwn >= 2.0, colours[i].outside);
    }

    // tintora-convert --gamut prints the same inks and the same difference.
    const std::vector<QStringList> converted =
        convert({"--in", SRGB, "--out", DEFAULT_CMYK, "--intent", "3", "--gamut"}, lines);
    QCOMPARE(converted.size(), std::size(colours));
    for (std::size_t i = 0; i < converted.size(); ++i) {
        QCOMPARE(converted[i].size(), 8);
        for (int ink = 0; ink < 4; ++ink)
            QCOMPARE(converted[i][ink].toDouble(), shownCmyk[i][ink] * 100.0);
        QCOMPARE(converted[i].last(), QString::number(shown[i], 'f', 2));
    }
}

void TestGamutDifference::labelTextColourAndBlanking()
{
    Tool t;
    QLabel* label = t.tool->gamut_label;
    const QColor normal = t.tool->output_group->palette().color(QPalette::WindowText);
    QVERIFY(label->text().isEmpty()); // no profiles yet

    chooseProfiles(*t.tool, t.modal, SRGB, DEFAULT_CMYK, SRGB);
    t.chooseIntent(ABSOLUTE_ROW);
    t.setRgb(128, 128, 128);
    QVERIFY2(QRegularExpression(QStringLiteral("^ΔE [0-1]\\.[0-9]{2}$")).match(label->text()).hasMatch(),
             qPrintable(label->text()));
    QCOMPARE(label->palette().color(QPalette::WindowText), normal);
    QVERIFY(!label->font().bold());

    // A slider step into saturated blue: out of gamut, and it stands out.
    t.tool->b_slider->setValue(255);
    t.tool->r_slider->setValue(0);
    t.tool->g_slider->setValue(0);
    QVERIFY2(QRegularExpression(QStringLiteral("^ΔE [0-9]+\\.[0-9]{2} out of gamut$")).match(label->text()).hasMatch(),
             qPrintable(label->text()));
    QVERIFY(shownDifference(label) > 10.0);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(204, 0, 0));
    QVERIFY(label->font().bold());

    // A Lab edit and a reading update it; a grey reading comes back in gamut.
    t.tool->labin_l_spin->setValue(50);
    t.tool->labin_a_spin->setValue(0);
    t.tool->labin_b_spin->setValue(0);
    QVERIFY(shownDifference(label) < 2.0);
    QVERIFY(QMetaObject::invokeMethod(t.tool.get(), "processLab", Q_ARG(double, 40.0), Q_ARG(double, 70.0),
                                      Q_ARG(double, -100.0)));
    QVERIFY(label->text().endsWith(QStringLiteral("out of gamut")));

    // Other intents remap on purpose; the label says what that costs.
    t.setRgb(0, 0, 255);
    const double absolute = shownDifference(label);
    t.chooseIntent(PERCEPTUAL_ROW);
    const double perceptual = shownDifference(label);
    QVERIFY(perceptual >= 0.0 && perceptual != absolute);

    // Into a screen: Adobe RGB's green lies beyond sRGB, its grey does not.
    t.modal.answerFile(QStringLiteral("/usr/share/color/icc/compatibleWithAdobeRGB1998.icc"));
    t.tool->input_icc_button->click();
    t.modal.answerFile(SRGB);
    t.tool->output_icc_button->click();
    t.chooseIntent(ABSOLUTE_ROW);
    t.setRgb(0, 255, 0);
    QVERIFY2(label->text().endsWith(QStringLiteral("out of gamut")) && shownDifference(label) > 10.0,
             qPrintable(label->text()));
    t.setRgb(128, 128, 128);
    QVERIFY2(shownDifference(label) >= 0.0 && shownDifference(label) < 2.0, qPrintable(label->text()));

    // Blank while the output transform is closed.
    t.tool->clearallselections();
    QVERIFY(label->text().isEmpty());
    QCOMPARE(label->palette().color(QPalette::WindowText), normal);
    QCOMPARE(t.modal.unanswered, 0);
}

void TestGamutDifference::convertAddsTheDifferenceOnlyWhenAsked()
{
    const QStringList lab = {"50 0 0", "60 -80 -60"};
    const QStringList arguments = {"--in", SRGB, "--out", DEFAULT_CMYK, "--intent", "3", "--lab"};
    const std::vector<QStringList> plain = convert(arguments, lab);
    const std::vector<QStringList> withGamut = convert(arguments + QStringList{"--gamut"}, lab);
    QCOMPARE(plain.size(), std::size_t(2));
    QCOMPARE(withGamut.size(), std::size_t(2));
    for (std::size_t i = 0; i < plain.size(); ++i) {
        QCOMPARE(plain[i].size(), 7); // the output as it always was
        QCOMPARE(withGamut[i].mid(0, 7), plain[i]);
    }
    // Mid grey prints; a saturated cyan-blue lies far beyond the printer.
    QVERIFY2(withGamut[0].last().toDouble() < 2.0, qPrintable(withGamut[0].join(' ')));
    QVERIFY2(withGamut[1].last().toDouble() > 10.0, qPrintable(withGamut[1].join(' ')));

    // The printed inks read back by Argyll land as far from the Lab asked for.
    std::vector<Values> inks;
    for (const QStringList& fields : withGamut)
        inks.push_back({fields[0].toDouble() / 100.0, fields[1].toDouble() / 100.0, fields[2].toDouble() / 100.0,
                        fields[3].toDouble() / 100.0});
    const std::vector<Values> readBack = ArgyllPeer::xicclu({"-ff", "-ia", "-pl", DEFAULT_CMYK}, inks);
    QCOMPARE(readBack.size(), std::size_t(2));
    const Values asked[] = {{50.0, 0.0, 0.0}, {60.0, -80.0, -60.0}};
    for (std::size_t i = 0; i < readBack.size(); ++i)
        QVERIFY2(std::abs(deltaE(asked[i], readBack[i]) - withGamut[i].last().toDouble()) < 0.5,
                 qPrintable(QString::number(deltaE(asked[i], readBack[i]))));
}

QTEST_MAIN(TestGamutDifference)

#include "test_gamut_difference.moc"
