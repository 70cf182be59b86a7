// Whether the printer can make a colour: the tool's gamut label and
// tintora-convert's --gamut column, checked against Argyll's xicclu doing the
// same relative colorimetric round trip through the printer profile.
#include "Tintora.h"

#include "ArgyllPeer.h"
#include "ChooseProfiles.h"
#include "EventLimits.h"
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
const QString ADOBE_RGB = QStringLiteral("/usr/share/color/icc/compatibleWithAdobeRGB1998.icc");
const QString DEFAULT_CMYK = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");

// rendering_combo's rows and the intents they choose.
const struct { int row; int intent; } INTENTS[] = {{0, 0}, {1, 1}, {2, 3}, {3, 2}};

using ArgyllPeer::Values;

double deltaE(const Values& x, const Values& y)
{
    return KxCMS_ColourDiff_DeltaE(x.data(), y.data());
}

// The number a label's text shows, or a negative value when it shows none.
double numberIn(const QString& text)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("([0-9]+\\.[0-9]{2})")).match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
}

double shownDifference(const QLabel* label)
{
    return numberIn(label->text());
}

// tintora-convert's output lines, split at white space; empty on failure.
std::vector<QStringList> convert(const QStringList& arguments, const QStringList& lines)
{
    QProcess process;
    process.start(QStringLiteral(TINTORA_BINARY_DIR "/companions/convert/tintora-convert"), arguments);
    process.write((lines.join('\n') + '\n').toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(EventLimits::EVENT_MS) || process.exitCode() != 0)
        return {};
    std::vector<QStringList> fields;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        fields.push_back(line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    return fields;
}

// Argyll's relative colorimetric round trip through profile: Lab backward
// to device values, and those forward to Lab again; empty on failure.
std::vector<Values> argyllRoundTrip(const QString& profile, const std::vector<Values>& labs)
{
    const std::vector<Values> device = ArgyllPeer::xicclu({"-fb", "-ir", "-pl", profile}, labs);
    return device.empty() ? device : ArgyllPeer::xicclu({"-ff", "-ir", "-pl", profile}, device);
}

struct Tool
{
    Tool()
        : tool(std::make_unique<Tintora>(registry))
    {
    }
    // As the user picks a row of a combo box.
    static void choose(QComboBox* combo, int row)
    {
        combo->setCurrentIndex(row);
        emit combo->activated(row);
    }
    void setRgb(int r, int g, int b)
    {
        tool->r_spin->setValue(r);
        tool->g_spin->setValue(g);
        tool->b_spin->setValue(b);
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
    void sameAtEveryIntentAndAccuracyAndAgreesWithArgyll();
    void labelTextColourAndBlanking();
    void convertAddsTheDifferenceOnlyWhenAsked();
};

// Adobe RGB into the printer: 40 colours, from paper white, greys and
// skin-like tones the printer makes to saturated colours it cannot.
void TestGamutDifference::sameAtEveryIntentAndAccuracyAndAgreesWithArgyll()
{
    Tool t;
    chooseProfiles(*t.tool, t.modal, ADOBE_RGB, DEFAULT_CMYK, SRGB);

    struct Colour { int r, g, b; };
    std::vector<Colour> colours = {{255, 255, 255}, {128, 128, 128}, {200, 150, 100}, {0, 0, 255}};
    for (int i = 0; colours.size() < 40; ++i)
        colours.push_back({(i * 67 + 13) % 256, (i * 131 + 90) % 256, (i * 29 + 170) % 256});
    QStringList lines;
    std::vector<Values> rgb;
    for (const Colour& c : colours) {
        lines << QStringLiteral("%1 %2 %3").arg(c.r).arg(c.g).arg(c.b);
        rgb.push_back({c.r / 255.0, c.g / 255.0, c.b / 255.0});
    }

    // The label's text for each colour, under every intent and accuracy.
    std::vector<QString> first;
    for (int accuracy : {0, 1}) {
        Tool::choose(t.tool->accuracy_combo, accuracy);
        for (const auto& intent : INTENTS) {
            Tool::choose(t.tool->rendering_combo, intent.row);
            const std::vector<QStringList> converted =
                convert({"--in", ADOBE_RGB, "--out", DEFAULT_CMYK, "--intent", QString::number(intent.intent),
                         "--accuracy", QString::number(accuracy), "--gamut"},
                        lines);
            QCOMPARE(converted.size(), colours.size());
            for (std::size_t i = 0; i < colours.size(); ++i) {
                t.setRgb(colours[i].r, colours[i].g, colours[i].b);
                const QString text = t.tool->gamut_label->text();
                if (first.size() < colours.size())
                    first.push_back(text);
                QCOMPARE(text, first[i]);
                // The command line prints the label's number last.
                QCOMPARE(converted[i].last(), QString::number(shownDifference(t.tool->gamut_label), 'f', 2));
            }
        }
    }

    const std::vector<Values> inputLab = ArgyllPeer::xicclu({"-ff", "-ir", "-pl", ADOBE_RGB}, rgb);
    QVERIFY2(!inputLab.empty(), "Argyll's xicclu is set up by the setup script");
    const std::vector<Values> back = argyllRoundTrip(DEFAULT_CMYK, inputLab);
    QCOMPARE(back.size(), colours.size());
    int outside = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const double shown = numberIn(first[i]);
        const double peer = deltaE(inputLab[i], back[i]);
        QVERIFY2(std::abs(shown - peer) < 0.5, qPrintable(QStringLiteral("RGB %1: %2, xicclu %3")
                                                                    .arg(lines[int(i)], first[i]).arg(peer)));
        QCOMPARE(first[i].endsWith(QStringLiteral("out of gamut")), shown >= 2.0);
        outside += shown >= 2.0;
    }
    // Both answers are among the 40.
    QVERIFY(outside > 5 && outside < 35);
    QVERIFY2(numberIn(first[0]) >= 0.0 && numberIn(first[0]) < 0.5, qPrintable(first[0])); // paper white
    QVERIFY2(numberIn(first[1]) >= 0.0 && numberIn(first[1]) < 1.5, qPrintable(first[1])); // mid grey
    QVERIFY2(first[3].endsWith(QStringLiteral("out of gamut")), qPrintable(first[3]));      // saturated blue
}

void TestGamutDifference::labelTextColourAndBlanking()
{
    Tool t;
    QLabel* label = t.tool->gamut_label;
    const QColor normal = t.tool->output_group->palette().color(QPalette::WindowText);
    QVERIFY(label->text().isEmpty()); // no profiles yet
    QVERIFY(label->toolTip().contains(QStringLiteral("relative colorimetric")));
    QVERIFY(label->toolTip().contains(QStringLiteral("not depend on the chosen rendering intent")));

    chooseProfiles(*t.tool, t.modal, SRGB, DEFAULT_CMYK, SRGB);
    t.setRgb(128, 128, 128);
    QVERIFY2(QRegularExpression(QStringLiteral("^Gamut ΔE [0-1]\\.[0-9]{2}$")).match(label->text()).hasMatch(),
             qPrintable(label->text()));
    QCOMPARE(label->palette().color(QPalette::WindowText), normal);
    QVERIFY(!label->font().bold());

    // A slider step into saturated blue: out of gamut, and it stands out.
    t.tool->b_slider->setValue(255);
    t.tool->r_slider->setValue(0);
    t.tool->g_slider->setValue(0);
    QVERIFY2(QRegularExpression(QStringLiteral("^Gamut ΔE [0-9]+\\.[0-9]{2} out of gamut$"))
                 .match(label->text())
                 .hasMatch(),
             qPrintable(label->text()));
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

    // Into a screen: Adobe RGB's green lies beyond sRGB, its grey does not.
    t.modal.answerFile(ADOBE_RGB);
    t.tool->input_icc_button->click();
    t.modal.answerFile(SRGB);
    t.tool->output_icc_button->click();
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
    QVERIFY2(withGamut[0].last().toDouble() < 1.5, qPrintable(withGamut[0].join(' ')));
    QVERIFY2(withGamut[1].last().toDouble() > 10.0, qPrintable(withGamut[1].join(' ')));

    // The Lab given is the colour checked, as Argyll checks it.
    const std::vector<Values> asked = {{50.0, 0.0, 0.0}, {60.0, -80.0, -60.0}};
    const std::vector<Values> back = argyllRoundTrip(DEFAULT_CMYK, asked);
    QCOMPARE(back.size(), std::size_t(2));
    for (std::size_t i = 0; i < back.size(); ++i)
        QVERIFY2(std::abs(deltaE(asked[i], back[i]) - withGamut[i].last().toDouble()) < 0.5,
                 qPrintable(QString::number(deltaE(asked[i], back[i]))));
}

QTEST_MAIN(TestGamutDifference)

#include "test_gamut_difference.moc"
