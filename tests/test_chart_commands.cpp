#include "Colourcheck.h"
#include "KxList.h"
#include "KxRegistry.h"
#include "ScriptedModal.h"
#include "SpecialFiles.h"
#include "Tintora.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString printerFolder = "/usr/share/color/icc/ghostscript";
const QString printerProfile = printerFolder + "/default_cmyk.icc";

// The chart windows that are open, in no particular order.
QList<Colourcheck*> openCharts()
{
    QList<Colourcheck*> charts;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "parent widget" && widget->isVisible())
            if (auto* chart = widget->findChild<Colourcheck*>())
                charts << chart;
    return charts;
}

void closeCharts()
{
    for (Colourcheck* chart : openCharts())
        chart->container->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// The tool's two chart commands, driven through their dialogs.
class TestChartCommands : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeCharts(); }

    void cancelledProfileShowsAnEmptyChart()
    {
        KxRegistry registry;
        registry.putstring("tintora", "lastdir_icc", "/usr/share/color/icc");
        ScriptedModal modal;
        Tintora tool(registry);
        modal.cancel();
        tool.colourchartFromICC();
        const QList<Colourcheck*> charts = openCharts();
        QCOMPARE(charts.size(), 1);
        QVERIFY(charts.front()->points == nullptr);
        QCOMPARE(modal.requests.front().text, QString("/usr/share/color/icc")); // the dialog started there
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "lastdir_icc")), QString("/usr/share/color/icc"));
    }

    void chartFromProfileMovesTheProfileFolder()
    {
        KxRegistry registry;
        registry.putstring("tintora", "lastdir_icc", "/usr/share/color/icc");
        ScriptedModal modal;
        Tintora tool(registry);
        modal.answerFile(printerProfile);
        modal.answer(16);
        tool.colourchartFromICC();
        QCOMPARE(openCharts().size(), 1);
        Colourcheck* chart = openCharts().front();
        QCOMPARE(ListLength(chart->points), 16ul);
        QCOMPARE(chart->monitorProfile, std::string()); // no monitor profile chosen: the chart is built all the same
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "lastdir_icc")), printerFolder); // stored at once

        // The next chart's dialog starts in the folder the previous one left,
        // and the two charts are independent windows.
        modal.cancel();
        tool.colourchartFromICC();
        QCOMPARE(modal.requests.back().text, printerFolder);
        const QList<Colourcheck*> charts = openCharts();
        QCOMPARE(charts.size(), 2);
        QCOMPARE(ListLength(charts[0]->points) + ListLength(charts[1]->points), 16ul); // the first kept its patches
    }

    // A profile a chart window made reaches the tool that opened it as its
    // output profile, also from a chart that chart opened; once the tool is
    // gone, the offer reaches no one.
    void chartOffersItsProfileToTheTool()
    {
        KxRegistry registry;
        ScriptedModal modal;
        auto tool = std::make_unique<Tintora>(registry);
        modal.answerFile(printerProfile);
        modal.answer(8);
        tool->colourchartFromICC();
        Colourcheck* chart = openCharts().front();
        const QString made = "/usr/share/color/icc/ghostscript/ps_cmyk.icc";
        emit chart->outputProfileChosen(made);
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "outICC")), made);

        modal.answerFile(printerProfile);
        modal.answer(8);
        QVERIFY(QMetaObject::invokeMethod(chart, "colourChart"));
        Colourcheck* further = openCharts().first() == chart ? openCharts().last() : openCharts().first();
        QVERIFY(further != chart);
        emit further->outputProfileChosen(printerProfile);
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "outICC")), printerProfile);

        tool.reset();
        emit chart->outputProfileChosen(made); // reaches no one
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "outICC")), printerProfile);
    }

    void chartHandsOverTheMonitorProfile()
    {
        KxRegistry registry;
        ScriptedModal modal;
        Tintora tool(registry);
        modal.answerFile("/usr/share/color/icc/sRGB.icc");
        tool.findChild<QPushButton*>("monitor_icc_button")->click();
        modal.answerFile(printerProfile);
        modal.answer(8);
        tool.colourchartFromICC();
        Colourcheck* chart = openCharts().front();
        QCOMPARE(QString::fromStdString(chart->monitorProfile), QString("/usr/share/color/icc/sRGB.icc"));
        QCOMPARE(ListLength(chart->points), 8ul);
    }

    void chartFromFileMovesBothFolders()
    {
        QTemporaryDir swatches;
        const QString palette = swatches.filePath("inks.gpl");
        QVERIFY(SpecialFiles::writeFile(palette, "GIMP Palette\nName: inks\n#\n255 0 0 Red\n0 255 0 Green\n0 0 255 Blue\n"));

        KxRegistry registry;
        ScriptedModal modal;
        Tintora tool(registry);
        modal.answerFile(palette);
        modal.answerFile(printerProfile);
        tool.colourchartFromFile();
        QCOMPARE(openCharts().size(), 1);
        QCOMPARE(ListLength(openCharts().front()->points), 3ul);
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "lastdir_file")), swatches.path());
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "lastdir_icc")), printerFolder);
    }
};

QTEST_MAIN(TestChartCommands)
#include "test_chart_commands.moc"
