// The instrument panel as the tool and the chart use it: readings typed and
// delivered, the add flag, its settings, and following a chart.
#include "InstrumentPanel.h"

#include "KxComboColour.h"
#include "KxList.h"
#include "KxRegistry.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cstring>

namespace {

// A chart list as the chart builds it, released by the caller.
KxCOMBOCOLOUR* makeChart(int count)
{
    KxCOMBOCOLOUR* first = nullptr;
    for (int i = 1; i <= count; ++i) {
        auto* record = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
        const QByteArray name = QStringLiteral("Patch %1").arg(i, 4, 10, QLatin1Char('0')).toLatin1();
        record->name = AllocateAndCopyString(name.constData());
        record->flags = KX_COMBO_LAB;
        record->L = 10.0 * i;
        record->a = -i;
        record->b = i / 2.0;
        AddList(&first, record);
    }
    return first;
}

} // namespace

class TestInstrumentPanel : public QObject
{
    Q_OBJECT

private slots:
    void sitsInsideItsGroupBox();
    void readDeliversTheTypedReading();
    void addModeFollowsTheCheckBoxAndItsOffer();
    void settingsRoundTripUnderTheirKeys();
    void chartModeShowsAndAdvancesTheNextPatch();
};

void TestInstrumentPanel::sitsInsideItsGroupBox()
{
    QGroupBox group;
    InstrumentPanel panel(&group, true);
    QVERIFY(group.layout());
    QVERIFY(group.layout()->indexOf(&panel) >= 0);
    QCOMPARE(panel.parentWidget(), &group);
    QCOMPARE(panel.mode(), InstrumentPanel::MODE_SPOT);
}

void TestInstrumentPanel::readDeliversTheTypedReading()
{
    QGroupBox group;
    InstrumentPanel panel(&group, true);
    QSignalSpy spy(&panel, &InstrumentPanel::spotLab);
    panel.findChild<QDoubleSpinBox*>("reading_l_spin")->setValue(52.25);
    panel.findChild<QDoubleSpinBox*>("reading_a_spin")->setValue(-140.5);
    panel.findChild<QDoubleSpinBox*>("reading_b_spin")->setValue(3.75);
    QTest::mouseClick(panel.findChild<QPushButton*>("read_button"), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy[0][0].toDouble(), 52.25);
    QCOMPARE(spy[0][1].toDouble(), -140.5);
    QCOMPARE(spy[0][2].toDouble(), 3.75);
}

void TestInstrumentPanel::addModeFollowsTheCheckBoxAndItsOffer()
{
    QGroupBox group;
    InstrumentPanel panel(&group, true);
    auto* add = panel.findChild<QCheckBox*>("add_check");
    QVERIFY(!panel.isAddMode());
    add->setChecked(true);
    QVERIFY(panel.isAddMode());
    panel.showAddMode(false);
    QVERIFY(add->isHidden());
    QVERIFY(!panel.isAddMode());
    panel.showAddMode(true);
    QVERIFY(panel.isAddMode());

    QGroupBox other;
    InstrumentPanel hidden(&other, false);
    hidden.findChild<QCheckBox*>("add_check")->setChecked(true);
    QVERIFY(!hidden.isAddMode());
}

void TestInstrumentPanel::settingsRoundTripUnderTheirKeys()
{
    KxRegistry registry;
    {
        QGroupBox group;
        InstrumentPanel panel(&group, true);
        panel.findChild<QCheckBox*>("add_check")->setChecked(true);
        panel.findChild<QDoubleSpinBox*>("reading_l_spin")->setValue(71.5);
        panel.findChild<QDoubleSpinBox*>("reading_b_spin")->setValue(-22.25);
        panel.saveRegistry(registry);
    }
    // The keys the settings file has always had.
    QCOMPARE(registry.getlong("tintora", "instrument_add"), 1L);
    QCOMPARE(registry.getstring("tintora", "instrument_L"), std::string("71.5"));
    QCOMPARE(registry.getstring("tintora", "instrument_b"), std::string("-22.25"));
    QCOMPARE(registry.getstring("tintora", "instrument_sim_seed"), std::string("1"));
    QVERIFY(registry.getstring("tintora", "instrument").empty());

    QGroupBox group;
    InstrumentPanel panel(&group, true);
    panel.loadRegistry(registry);
    QVERIFY(panel.isAddMode());
    QCOMPARE(panel.findChild<QDoubleSpinBox*>("reading_l_spin")->value(), 71.5);
    QCOMPARE(panel.findChild<QDoubleSpinBox*>("reading_b_spin")->value(), -22.25);

    // Nothing stored keeps the defaults.
    InstrumentPanel fresh(&group, true);
    fresh.loadRegistry(KxRegistry());
    QVERIFY(!fresh.isAddMode());
    QCOMPARE(fresh.findChild<QDoubleSpinBox*>("reading_l_spin")->value(), 50.0);
}

void TestInstrumentPanel::chartModeShowsAndAdvancesTheNextPatch()
{
    QGroupBox group;
    InstrumentPanel panel(&group, true);
    auto* label = panel.findChild<QLabel*>("patch_label");
    auto* read = panel.findChild<QPushButton*>("read_button");
    QVERIFY(label->isHidden());
    panel.showAddMode(false);
    panel.setMode(InstrumentPanel::INSTRUMENT_MODE(2));
    QCOMPARE(panel.mode(), InstrumentPanel::MODE_CHART);
    QVERIFY(!label->isHidden());
    QCOMPARE(label->text(), QStringLiteral("No chart"));

    // The list dies right after the call; the panel keeps its own copy.
    KxCOMBOCOLOUR* chart = makeChart(64);
    panel.setComboChart(chart, 6);
    FreeList(&chart);
    QCOMPARE(label->text(), QStringLiteral("Patch 0007 of 64"));
    QVERIFY(label->toolTip().contains("L 70.0"));
    QVERIFY(label->toolTip().contains("a -7.0"));

    QSignalSpy spy(&panel, &InstrumentPanel::spotLab);
    read->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(panel.nextPatch(), 7ul);
    QCOMPARE(label->text(), QStringLiteral("Patch 0008 of 64"));

    KxCOMBOCOLOUR* small = makeChart(2);
    panel.setComboChart(small, 1);
    FreeList(&small);
    read->click();
    QCOMPARE(label->text(), QStringLiteral("All 2 patches read"));
    read->click();
    QCOMPARE(panel.nextPatch(), 2ul);
    QCOMPARE(spy.count(), 3);

    panel.setComboChart(nullptr, 0);
    QCOMPARE(label->text(), QStringLiteral("No chart"));
    QCOMPARE(panel.nextPatch(), 0ul);

    // Spot mode reads without moving along a chart.
    KxCOMBOCOLOUR* again = makeChart(3);
    panel.setComboChart(again, 0);
    FreeList(&again);
    panel.setMode(InstrumentPanel::MODE_SPOT);
    read->click();
    QCOMPARE(panel.nextPatch(), 0ul);
    QVERIFY(label->isHidden());
}

QTEST_MAIN(TestInstrumentPanel)
#include "test_instrumentpanel.moc"
