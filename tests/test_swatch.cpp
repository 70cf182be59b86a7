// Reading swatch files of every kind: values, names, order, the reference
// files Argyll ships, memory running out, and the record container.

#include "KxCOMBOCOLOUR_CC.h"
#include "KxList.h"
#include "KxPacket.h"
#include "SwatchImporter.h"
#include "test_swatch_samples.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

// CIE formulas written out, independently of the reader's LittleCMS calls.
void xyzToLabD50(double X, double Y, double Z, double lab[3])
{
    const auto f = [](double t) { return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0; };
    const double fx = f(X / 96.42), fy = f(Y / 100.0), fz = f(Z / 82.49);
    lab[0] = 116.0 * fy - 16.0;
    lab[1] = 500.0 * (fx - fy);
    lab[2] = 200.0 * (fy - fz);
}

double srgbToLinear(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// L* of a neutral of sRGB level v: Y is the linear value.
double grayLightness(double v)
{
    double lab[3];
    const double y = srgbToLinear(v) * 100.0;
    xyzToLabD50(0.9642 * y, y, 0.8249 * y, lab);
    return lab[0];
}

} // namespace

class TestSwatch : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void aseReadsGroupsLabScaleAndTheLastUngroupedEntry()
    {
        Imported r;
        importFile(write("sample.dat", aseSample()), r);
        QCOMPARE(r.type, SwatchImporter::SWATCH_ASE);
        QCOMPARE(r.count(), 5);

        QCOMPARE(QString::fromUtf8(r.at(0)->name), QString::fromUtf8("Bleu \u00e9t\u00e9"));
        QCOMPARE(r.at(0)->flags, KX_COMBO_CMYK);
        QCOMPARE(int(r.at(0)->c), 26); // 10 % of 255, rounded
        QCOMPARE(int(r.at(0)->m), 51);
        QCOMPARE(int(r.at(0)->y), 77);
        QCOMPARE(int(r.at(0)->k), 102);

        QCOMPARE(QString::fromUtf8(r.at(1)->name), QString("Lab mid"));
        QCOMPARE(r.at(1)->flags, KX_COMBO_LAB);
        QCOMPARE(r.at(1)->L, 50.0); // stored as 0.5
        QCOMPARE(r.at(1)->a, -20.0);
        QCOMPARE(r.at(1)->b, 30.0);

        QCOMPARE(r.at(2)->flags, KX_COMBO_LAB);
        QVERIFY(std::abs(r.at(2)->L - 100.0) < 0.01);
        QVERIFY(std::abs(r.at(2)->a) < 0.01 && std::abs(r.at(2)->b) < 0.01);

        QCOMPARE(r.at(3)->flags, KX_COMBO_LAB | KX_COMBO_SPOT);
        QVERIFY2(std::abs(r.at(3)->L - grayLightness(0.5)) < 0.05, qPrintable(QString::number(r.at(3)->L)));
        QVERIFY(std::abs(r.at(3)->a) < 0.01 && std::abs(r.at(3)->b) < 0.01);

        QCOMPARE(QString::fromUtf8(r.at(4)->name), QString::fromUtf8("Last \U0001F600"));
        QCOMPARE(int(r.at(4)->k), 255);
    }

    void acoVersion1AloneIsNamedByPosition()
    {
        Imported r;
        importFile(write("v1.bin", acoFile(acoSampleColours(), false)), r);
        QCOMPARE(r.type, SwatchImporter::SWATCH_ACO);
        QCOMPARE(r.count(), 5); // the colour-book entry is left out
        QCOMPARE(QString(r.at(0)->name), QString("1"));
        QCOMPARE(QString(r.at(4)->name), QString("5"));
    }

    void acoVersion2GivesNamesAndValues()
    {
        Imported r;
        importFile(write("v2.bin", acoFile(acoSampleColours(), true)), r);
        QCOMPARE(r.count(), 5);
        const QStringList names = {"Half cyan", "Lab mid", "White", "Dark gray", "Wide"};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(QString::fromUtf8(r.at(i)->name), names[i]);

        QCOMPARE(r.at(0)->flags, KX_COMBO_CMYK);
        QCOMPARE(int(r.at(0)->c), 128); // 65535 - 32767 of 65535: half ink
        QCOMPARE(int(r.at(0)->m), 0);
        QCOMPARE(int(r.at(0)->y), 255);
        QCOMPARE(int(r.at(0)->k), 0);

        QCOMPARE(r.at(1)->flags, KX_COMBO_LAB);
        QCOMPARE(r.at(1)->L, 50.0);
        QCOMPARE(r.at(1)->a, -20.0);
        QCOMPARE(r.at(1)->b, 30.0);

        QVERIFY(std::abs(r.at(2)->L - 100.0) < 0.01);
        QVERIFY(std::abs(r.at(3)->L - grayLightness(0.25)) < 0.05); // 75 % ink

        QCOMPARE(int(r.at(4)->c), 26);
        QCOMPARE(int(r.at(4)->m), 51);
        QCOMPARE(int(r.at(4)->y), 77);
        QCOMPARE(int(r.at(4)->k), 102);
    }

    void gplSkipsCommentsAndKeepsNames()
    {
        Imported r;
        importFile(write("palette.txt", gplSample()), r);
        QCOMPARE(r.type, SwatchImporter::SWATCH_GPL);
        QCOMPARE(r.count(), 4);
        QCOMPARE(QString(r.at(0)->name), QString("White"));
        QCOMPARE(QString(r.at(1)->name), QString("Deep black"));
        QCOMPARE(QString(r.at(2)->name), QString("3"));
        QCOMPARE(QString(r.at(3)->name), QString("Blue with trailing blanks"));
        QVERIFY(std::abs(r.at(0)->L - 100.0) < 0.01);
        QVERIFY(std::abs(r.at(1)->L) < 0.01);
        QVERIFY(std::abs(r.at(2)->L - grayLightness(128.0 / 255.0)) < 0.05);
        QVERIFY(r.at(3)->b < -90.0); // sRGB blue is far on the blue side
    }

    void cgatsReadsOwnSamples_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<QList<double>>("second");
        QTest::newRow("cmyk") << QByteArray("CGATS.17\nORIGINATOR \"test\"\nNUMBER_OF_FIELDS 6\n"
                                            "BEGIN_DATA_FORMAT\nSAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K\nEND_DATA_FORMAT\n"
                                            "NUMBER_OF_SETS 3\nBEGIN_DATA\n"
                                            "1 \"Paper\" 0 0 0 0\n2 \"Cyan 40\" 40 0 0 0\n3 \"Rich black\" 60 40 40 100\nEND_DATA\n")
                              << uint(KX_COMBO_CMYK) << QList<double>{102, 0, 0, 0};
        QTest::newRow("lab") << QByteArray("CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
                                           "NUMBER_OF_SETS 3\nBEGIN_DATA\n"
                                           "Paper 95.5 0.25 -2.5\n\"Cyan 40\" 70.125 -25.5 -30.75\n\"Rich black\" 10 0 0\nEND_DATA\n")
                             << uint(KX_COMBO_LAB) << QList<double>{70.125, -25.5, -30.75};
        QTest::newRow("rgb 0..255") << QByteArray("IT8.7/2\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME RGB_R RGB_G RGB_B\nEND_DATA_FORMAT\n"
                                                  "NUMBER_OF_SETS 3\nBEGIN_DATA\nPaper 255 255 255\n\"Cyan 40\" 0 0 0\n\"Rich black\" 0 0 0\nEND_DATA\n")
                                    << uint(KX_COMBO_LAB) << QList<double>{0, 0, 0};
        QTest::newRow("rgb percent in Argyll's type") << QByteArray("CTI1\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME RGB_R RGB_G RGB_B\nEND_DATA_FORMAT\n"
                                                  "NUMBER_OF_SETS 3\nBEGIN_DATA\nPaper 100 100 100\n\"Cyan 40\" 100 100 100\n\"Rich black\" 0 0 0\nEND_DATA\n")
                                    << uint(KX_COMBO_LAB) << QList<double>{100, 0, 0};
    }

    void cgatsReadsOwnSamples()
    {
        QFETCH(QByteArray, text);
        QFETCH(uint, flags);
        QFETCH(QList<double>, second);
        Imported r;
        importFile(write("sample.it8", text), r);
        QVERIFY2(r.first, r.whyNot.c_str());
        QCOMPARE(r.type, SwatchImporter::SWATCH_CGATS);
        QCOMPARE(r.count(), 3);
        QCOMPARE(QString(r.at(0)->name), QString("Paper"));
        QCOMPARE(QString(r.at(1)->name), QString("Cyan 40"));
        QCOMPARE(QString(r.at(2)->name), QString("Rich black"));
        QCOMPARE(r.at(1)->flags, flags);
        if (flags == KX_COMBO_CMYK) {
            QCOMPARE(int(r.at(1)->c), int(second[0]));
            QCOMPARE(int(r.at(2)->c), 153);
            QCOMPARE(int(r.at(2)->k), 255);
        } else {
            QVERIFY2(std::abs(r.at(1)->L - second[0]) < 0.01, qPrintable(QString::number(r.at(1)->L)));
            QVERIFY(std::abs(r.at(1)->a - second[1]) < 0.01);
            QVERIFY(std::abs(r.at(1)->b - second[2]) < 0.01);
        }
    }

    void argyllReferenceFilesReadWithTheirCounts()
    {
        const QDir ref(TINTORA_ARGYLL_REF);
        const QStringList files = ref.entryList({"*.ti1", "*.ti2", "*.cie"}, QDir::Files, QDir::Name);
        QVERIFY2(!files.isEmpty(), "Argyll's reference files are set up by the setup script");
        const QRegularExpression sets("NUMBER_OF_SETS\\s+(\\d+)");
        for (const QString& name : files) {
            QFile file(ref.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const int expected = sets.match(QString::fromLatin1(file.readAll())).captured(1).toInt();
            Imported r;
            importFile(ref.filePath(name), r);
            QVERIFY2(r.first, qPrintable(name + ": " + QString::fromStdString(r.whyNot)));
            QCOMPARE(r.type, SwatchImporter::SWATCH_CGATS);
            QVERIFY2(r.count() == expected, qPrintable(name + QString(": %1 of %2").arg(r.count()).arg(expected)));
        }
    }

    void argyllReferenceValues()
    {
        const QString ref(TINTORA_ARGYLL_REF);
        QVERIFY2(QFile::exists(ref + "/ColorChecker.cie"), "Argyll's reference files are set up by the setup script");
        {
            Imported r; // Lab
            importFile(ref + "/ColorChecker.cie", r);
            QCOMPARE(QString(r.at(0)->name), QString("A01"));
            QCOMPARE(r.at(0)->flags, KX_COMBO_LAB);
            QCOMPARE(r.at(0)->L, 37.99);
            QCOMPARE(r.at(0)->a, 13.56);
            QCOMPARE(r.at(1)->b, 17.81);
        }
        {
            Imported r; // CMYK in percent
            importFile(ref + "/FograStrip2.ti1", r);
            QCOMPARE(r.count(), 46);
            QCOMPARE(r.at(0)->flags, KX_COMBO_CMYK);
            QCOMPARE(int(r.at(0)->c), 255);
            QCOMPARE(int(r.at(1)->c), 179); // 70 %
            QCOMPARE(int(r.at(1)->k), 0);
        }
        {
            Imported r;
            importFile(ref + "/ECI2002.ti2", r);
            QCOMPARE(r.count(), 1539);
            QCOMPARE(int(r.at(1)->m), 26); // 10.196 %
        }
        {
            Imported r; // XYZ wins over the device RGB
            importFile(ref + "/ColorChecker.ti2", r);
            double lab[3];
            xyzToLabD50(11.773, 10.213, 4.9219, lab);
            QCOMPARE(r.at(0)->flags, KX_COMBO_LAB);
            QVERIFY(std::abs(r.at(0)->L - lab[0]) < 0.001);
            QVERIFY(std::abs(r.at(0)->a - lab[1]) < 0.001);
            QVERIFY(std::abs(r.at(0)->b - lab[2]) < 0.001);
        }
        {
            Imported r; // named by SAMPLE_LOC, Lab before XYZ
            importFile(ref + "/ColorCheckerPassport.cie", r);
            QCOMPARE(QString(r.at(0)->name), QString("SAT1"));
            QCOMPARE(r.at(0)->L, 51.020256);
        }
    }

    // Every allocation of a small import fails in turn: each time the
    // result is null with the memory reason, and nothing leaks (the
    // sanitizer build checks that at exit).
    void outOfMemoryAtEachAllocation_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("ase") << aseSample();
        QTest::newRow("aco") << acoFile(acoSampleColours(), true);
        QTest::newRow("gpl") << gplSample();
        QTest::newRow("cgats") << QByteArray("CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\n"
                                             "END_DATA_FORMAT\nNUMBER_OF_SETS 2\nBEGIN_DATA\nA 1 2 3\nB 4 5 6\nEND_DATA\n");
    }

    void outOfMemoryAtEachAllocation()
    {
        QFETCH(QByteArray, file);
        int failures = 0;
        for (unsigned long n = 1;; ++n) {
            KxDiagnosticFailAllocation(n);
            Imported r;
            importBytes(file, r);
            const bool failedAllocationHappened = KxDiagnosticAllocationCount() > 0 && r.first == nullptr;
            KxDiagnosticFailAllocation(0);
            if (r.first) {
                QVERIFY(r.count() > 0);
                break;
            }
            QVERIFY(failedAllocationHappened);
            QCOMPARE(QString::fromStdString(r.whyNot), QString("There is not enough memory to read the swatch file."));
            ++failures;
            QVERIFY(n < 1000);
        }
        QVERIFY(failures >= 2); // at least a record and its name
    }

    void containerKeepsOrderAndRefusesWhatItCannotOwn()
    {
        KxCOMBOCOLOUR_CC container;
        QCOMPARE(container.count(), 0ul);
        QVERIFY(!container.first());
        QCOMPARE(container.insertCombo(nullptr), 0);

        KxCOMBOCOLOUR* records[3];
        for (int i = 0; i < 3; ++i) {
            records[i] = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
            records[i]->name = i == 1 ? nullptr : AllocateAndCopyString(i == 0 ? "first" : "third");
            QVERIFY(container.insertCombo(records[i]) != 0);
        }
        QCOMPARE(container.count(), 3ul);
        QCOMPARE(container.first(), records[0]);
        QCOMPARE(container.first()->next, records[1]);
        QCOMPARE(container.first()->next->next, records[2]);
        QVERIFY(!records[2]->next);

        // A record already listed (here or in another list) is not taken twice.
        QCOMPARE(container.insertCombo(records[1]), 0);
        KxCOMBOCOLOUR* other = nullptr;
        auto* listed = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
        AddList(&other, listed);
        QCOMPARE(container.insertCombo(listed), 0);
        QCOMPARE(container.count(), 3ul);
        KxPacketFreeList(&other, KX_PACKET_COMBOCOLOUR);
    }

    void containerIsReleasedThroughItsBase()
    {
        KxPacketable* packets = new KxCOMBOCOLOUR_CC;
        auto* record = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
        record->name = AllocateAndCopyString("owned");
        QVERIFY(static_cast<KxCOMBOCOLOUR_CC*>(packets)->insertCombo(record));
        QCOMPARE(packets->packetClass(), KX_PACKET_COMBOCOLOUR);
        delete packets; // the sanitizer build reports the record if it leaks
    }
};

QTEST_GUILESS_MAIN(TestSwatch)
#include "test_swatch.moc"
