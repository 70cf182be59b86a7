// The ISO 12642 target writer: what it writes is read back by LittleCMS's
// IT8 parser and by Argyll, and a failed write changes nothing.

#include "EventLimits.h"
#include "ExportISO12642.h"
#include "KxPacket.h"
#include "SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <lcms2.h>

#include <cmath>
#include <memory>

namespace {

struct IT8Release {
    void operator()(void* h) const { cmsIT8Free(h); }
};
using IT8Handle = std::unique_ptr<void, IT8Release>;

KxCOMBOCOLOUR* labRecord(const char* name, double L, double a, double b)
{
    auto* record = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
    record->name = name ? AllocateAndCopyString(name) : nullptr;
    record->flags = KX_COMBO_LAB;
    record->L = L;
    record->a = a;
    record->b = b;
    return record;
}

// The 64 colours of a chart, named as the chart names its patches.
void fillChart(KxCOMBOCOLOUR_CC& colours)
{
    for (int n = 1; n <= 64; ++n) {
        const QByteArray name = QString("Patch %1").arg(n, 4, 10, QChar('0')).toLatin1();
        colours.insertCombo(labRecord(name.constData(), 100.0 - n * 1.234567, -50.0 + n * 1.5, 40.0 - n * 0.987654));
    }
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestISO12642 : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void chartReadsBackThroughLittleCms()
    {
        KxCOMBOCOLOUR_CC colours;
        fillChart(colours);
        const QString path = folder.filePath("chart.txt");
        QVERIFY(ExportISO12642::exportColours(QFile::encodeName(path).toStdString(), nullptr, colours, icSigLabData));

        const QByteArray text = readAll(path);
        IT8Handle it8(cmsIT8LoadFromMem(nullptr, text.constData(), cmsUInt32Number(text.size())));
        QVERIFY(it8);
        QCOMPARE(QString(cmsIT8GetProperty(it8.get(), "ORIGINATOR")), QString("Quenwick Tintora 1.2"));
        QVERIFY(cmsIT8GetProperty(it8.get(), "DESCRIPTOR"));
        QVERIFY(QString(cmsIT8GetProperty(it8.get(), "CREATED")).contains(QString::number(QDate::currentDate().year())));
        QCOMPARE(cmsIT8GetPropertyDbl(it8.get(), "NUMBER_OF_SETS"), 64.0);

        char** fields = nullptr;
        QCOMPARE(cmsIT8EnumDataFormat(it8.get(), &fields), 5);
        const QStringList expected = {"SAMPLE_ID", "SAMPLE_NAME", "LAB_L", "LAB_A", "LAB_B"};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(QString(fields[i]), expected[i]);

        int row = 0;
        for (const KxCOMBOCOLOUR* c = colours.first(); c; c = c->next, ++row) {
            QCOMPARE(cmsIT8GetDataRowColDbl(it8.get(), row, 0), double(row + 1));
            QCOMPARE(QString(cmsIT8GetDataRowCol(it8.get(), row, 1)), QString(c->name));
            // Four decimals: within half of the last digit.
            const double halfDigit = 0.00005 + 1e-9;
            QVERIFY(std::abs(cmsIT8GetDataRowColDbl(it8.get(), row, 2) - c->L) <= halfDigit);
            QVERIFY(std::abs(cmsIT8GetDataRowColDbl(it8.get(), row, 3) - c->a) <= halfDigit);
            QVERIFY(std::abs(cmsIT8GetDataRowColDbl(it8.get(), row, 4) - c->b) <= halfDigit);
        }
        QCOMPARE(row, 64);
        QCOMPARE(QString(cmsIT8GetDataRowCol(it8.get(), 63, 1)), QString("Patch 0064"));
    }

    // colverify parses both files, checks each holds all its sets, pairs
    // them by SAMPLE_ID and reports the colour differences.
    void chartReadsBackThroughArgyll()
    {
        const QString colverify = QStandardPaths::findExecutable("colverify");
        QVERIFY2(!colverify.isEmpty(), "Argyll's colverify is set up by the setup script");
        KxCOMBOCOLOUR_CC colours;
        fillChart(colours);
        const QString ours = folder.filePath("argyll.txt");
        QVERIFY(ExportISO12642::exportColours(QFile::encodeName(ours).toStdString(), nullptr, colours, icSigLabData));

        // The expected values, written out by hand in the simplest CGATS form.
        QByteArray reference = "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\n"
                               "END_DATA_FORMAT\nNUMBER_OF_SETS 64\nBEGIN_DATA\n";
        int id = 1;
        for (const KxCOMBOCOLOUR* c = colours.first(); c; c = c->next, ++id)
            reference += QString("%1 %2 %3 %4\n").arg(id).arg(c->L, 0, 'f', 4).arg(c->a, 0, 'f', 4).arg(c->b, 0, 'f', 4).toLatin1();
        reference += "END_DATA\n";
        const QString referencePath = folder.filePath("reference.txt");
        QVERIFY(SpecialFiles::writeFile(referencePath, reference));

        QProcess run;
        run.start(colverify, {"-v2", ours, referencePath});
        QVERIFY(run.waitForFinished(EventLimits::EVENT_MS));
        const QString output = QString::fromLocal8Bit(run.readAllStandardOutput() + run.readAllStandardError());
        QVERIFY2(run.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains("No of test patches = 64"), qPrintable(output));
        QVERIFY2(output.contains("Total errors:     peak = 0.000000"), qPrintable(output));
        QVERIFY(output.contains("64: "));

        // And a file that lost a set is one Argyll refuses: the check can fail.
        QByteArray damaged = readAll(ours);
        damaged.replace(damaged.lastIndexOf("\n 64\t"), damaged.indexOf('\n', damaged.lastIndexOf("\n 64\t") + 1) - damaged.lastIndexOf("\n 64\t"), "");
        QFile broken(folder.filePath("broken.txt"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(damaged);
        broken.close();
        run.start(colverify, {broken.fileName(), referencePath});
        QVERIFY(run.waitForFinished(EventLimits::EVENT_MS));
        QVERIFY(run.exitCode() != 0);
    }

    void awkwardNamesStayOneQuotedValue()
    {
        KxCOMBOCOLOUR_CC colours;
        colours.insertCombo(labRecord("NoSpace", 1, 2, 3));
        colours.insertCombo(labRecord("say \"hi\"\tthere", 4, 5, 6));
        colours.insertCombo(labRecord("#hash", 7, 8, 9));
        colours.insertCombo(labRecord(nullptr, 10, 11, 12));
        colours.insertCombo(labRecord("Bleu \xC3\xA9t\xC3\xA9", 13, 14, 15));
        colours.insertCombo(labRecord("\xC3\xA9t\xC3\xA9", 16, 17, 18));
        const QString path = folder.filePath("names.txt");
        QVERIFY(ExportISO12642::exportColours(QFile::encodeName(path).toStdString(), nullptr, colours, icSigLabData));

        const QByteArray text = readAll(path);
        IT8Handle it8(cmsIT8LoadFromMem(nullptr, text.constData(), cmsUInt32Number(text.size())));
        QVERIFY2(it8, text.constData());
        const char* expected[] = {"NoSpace", "say 'hi' there", "#hash", "4", "Bleu \xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"};
        for (int row = 0; row < 6; ++row) {
            QCOMPARE(QByteArray(cmsIT8GetDataRowCol(it8.get(), row, 1)), QByteArray(expected[row]));
            QCOMPARE(cmsIT8GetDataRowColDbl(it8.get(), row, 4), 3.0 * row + 3);
        }
    }

    void instrumentIsDescribed()
    {
        KxCOMBOCOLOUR_CC colours;
        colours.insertCombo(labRecord("one", 50, 0, 0));
        SPECTROPHOTOMETERINFO instrument{"Example Spectro 1", "SN 42", "0/45", ""};
        const QString path = folder.filePath("instrument.txt");
        QVERIFY(ExportISO12642::exportColours(QFile::encodeName(path).toStdString(), &instrument, colours, icSigLabData));
        const QByteArray text = readAll(path);
        IT8Handle it8(cmsIT8LoadFromMem(nullptr, text.constData(), cmsUInt32Number(text.size())));
        QVERIFY(it8);
        QCOMPARE(QString(cmsIT8GetProperty(it8.get(), "INSTRUMENTATION")), QString("Example Spectro 1, serial SN 42"));
        QCOMPARE(QString(cmsIT8GetProperty(it8.get(), "MEASUREMENT_GEOMETRY")), QString("0/45"));
        QVERIFY(!cmsIT8GetProperty(it8.get(), "MEASUREMENT_SOURCE"));
    }

    void failedWritesReturnFalseAndChangeNothing()
    {
        KxCOMBOCOLOUR_CC colours;
        colours.insertCombo(labRecord("one", 50, 0, 0));
        const QString existing = folder.filePath("existing.txt");
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("previous contents\n");
        file.close();
        const std::string path = QFile::encodeName(existing).toStdString();

        KxCOMBOCOLOUR_CC empty;
        QVERIFY(!ExportISO12642::exportColours(path, nullptr, empty, icSigLabData));
        QVERIFY(!ExportISO12642::exportColours(path, nullptr, colours, icSigCmykData));
        QVERIFY(!ExportISO12642::exportColours("", nullptr, colours, icSigLabData));
        QVERIFY(!ExportISO12642::exportColours(path + "/inside-a-file.txt", nullptr, colours, icSigLabData));
        QVERIFY(!ExportISO12642::exportColours(QFile::encodeName(folder.filePath("no/such/folder.txt")).toStdString(),
                                               nullptr, colours, icSigLabData));
        QCOMPARE(readAll(existing), QByteArray("previous contents\n"));

        // The final rename fails onto a folder: the folder and its contents stay.
        const QString aFolder = folder.filePath("a-folder");
        QVERIFY(QDir().mkpath(aFolder + "/kept"));
        QVERIFY(!ExportISO12642::exportColours(QFile::encodeName(aFolder).toStdString(), nullptr, colours, icSigLabData));
        QVERIFY(QFileInfo(aFolder + "/kept").isDir());
        const QStringList leftovers = QDir(folder.path()).entryList({"*.tmp-*"}, QDir::AllEntries | QDir::Hidden);
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers.join(", ")));
    }
};

QTEST_GUILESS_MAIN(TestISO12642)
#include "test_iso12642.moc"
