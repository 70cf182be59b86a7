// Shows the tool at its own size with profiles chosen and grabs it, so the
// form can be looked at: the picture goes to /tmp/tintora-tool.png.
#include "Tintora.h"

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
    QVERIFY(QTest::qWaitForWindowExposed(&tool));
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

QTEST_MAIN(TestToolLook)
#include "test_tool_look.moc"
