// Shows the tool at its own size with profiles chosen and grabs it, so the
// form can be looked at: the picture goes to /tmp/tintora-tool.png.
#include "Tintora.h"

#include "EventLimits.h"
#include "KxRegistry.h"
#include "ChooseProfiles.h"
#include "ScriptedModal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class TestToolLook : public QObject
{
    Q_OBJECT

private slots:
    void threeColumnFormWithPreview();
    void labTypedBackGivesTheSameCmyk();
};

void TestToolLook::threeColumnFormWithPreview()
{
    ScriptedModal modal;
    KxRegistry registry;
    Tintora tool(registry);
    chooseProfiles(tool, modal, "/usr/share/color/icc/ghostscript/default_cmyk.icc", "/usr/share/color/icc/sRGB.icc",
                   "/usr/share/color/icc/sRGB.icc");
    tool.c_spin->setValue(20);
    tool.m_spin->setValue(70);
    tool.y_spin->setValue(90);
    tool.keep_button->click();

    tool.resize(748, 524);
    tool.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tool, EventLimits::EVENT_MS));
    QCOMPARE(tool.size(), QSize(748, 524));

    const QImage picture = tool.grab().toImage();
    QVERIFY(picture.save("/tmp/tintora-tool.png"));

    // Input, Preview and Output sit side by side, left to right, and none
    // overlaps the next.
    const QRect input = tool.input_group->geometry(), previewArea = tool.preview_group->geometry(),
                output = tool.output_group->geometry();
    QVERIFY(input.right() < previewArea.left());
    QVERIFY(previewArea.right() < output.left());
    QVERIFY(output.right() < tool.width());
    QVERIFY(tool.spectro_group->geometry().top() > tool.input_icc_label->geometry().bottom());

    // The swatch on screen is the preview colour, and it is no longer white.
    const QColor swatch = tool.pv_label->palette().color(QPalette::Window);
    QVERIFY(swatch != QColor(Qt::white));
    const QPoint centre = tool.pv_label->mapTo(&tool, tool.pv_label->rect().center());
    const qreal scale = picture.devicePixelRatio();
    QCOMPARE(picture.pixelColor(int(centre.x() * scale), int(centre.y() * scale)), swatch);
    QVERIFY(tool.r_label->text() != QStringLiteral("value"));
    QVERIFY(tool.pv_label->width() > 50 && tool.pv_label->height() > 50);
}

namespace {

QList<int> cmykShown(const Tintora& tool)
{
    QList<int> cmyk;
    for (const QLabel* label : {tool.c_label, tool.m_label, tool.y_label, tool.k_label})
        cmyk << label->text().toInt();
    return cmyk;
}

// Types a whole number into a spin box as a user does: select, type, Enter.
void typeInto(QSpinBox* spin, int value)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
    QTest::keyClick(spin, Qt::Key_Return);
}

} // namespace

// An RGB colour's output and the output of its shown Lab typed back agree:
// the Lab follows the rendering intent. The two states are grabbed to
// /tmp/tintora-tool-rgb.png and /tmp/tintora-tool-lab.png.
void TestToolLook::labTypedBackGivesTheSameCmyk()
{
    ScriptedModal modal;
    KxRegistry registry;
    Tintora tool(registry);
    chooseProfiles(tool, modal, "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc",
                   "/usr/share/color/icc/ghostscript/default_cmyk.icc", "/usr/share/color/icc/sRGB.icc");
    QCOMPARE(tool.rendering_combo->currentIndex(), 0); // Perceptual
    tool.resize(748, 524);
    tool.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tool, EventLimits::EVENT_MS));

    tool.r_spin->setValue(107);
    tool.g_spin->setValue(127);
    tool.b_spin->setValue(71);
    const QList<int> fromRgb = cmykShown(tool);
    const int lab[3] = {tool.labin_l_spin->value(), tool.labin_a_spin->value(), tool.labin_b_spin->value()};
    QVERIFY(tool.grab().save("/tmp/tintora-tool-rgb.png"));

    // Typing the Lab shown, one value changed and put back, re-derives the
    // sides from the Lab.
    typeInto(tool.labin_l_spin, lab[0] + 1);
    typeInto(tool.labin_l_spin, lab[0]);
    QCOMPARE(tool.labin_l_spin->value(), lab[0]);
    QCOMPARE(tool.labin_a_spin->value(), lab[1]);
    QCOMPARE(tool.labin_b_spin->value(), lab[2]);
    const QList<int> fromLab = cmykShown(tool);
    QVERIFY(tool.grab().save("/tmp/tintora-tool-lab.png"));
    const QString both = QString("CMYK from RGB %1 %2 %3 %4, from its Lab %5 %6 %7 %8")
                             .arg(fromRgb[0]).arg(fromRgb[1]).arg(fromRgb[2]).arg(fromRgb[3])
                             .arg(fromLab[0]).arg(fromLab[1]).arg(fromLab[2]).arg(fromLab[3]);
    qInfo("%s; Lab %d %d %d", qPrintable(both), lab[0], lab[1], lab[2]);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(std::abs(fromRgb[i] - fromLab[i]) <= 2, qPrintable(both));
}

QTEST_MAIN(TestToolLook)
#include "test_tool_look.moc"
