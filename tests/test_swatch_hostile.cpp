// Truncated, corrupt and hostile swatch files: each is refused with a
// reason, without a crash, a hang or an allocation out of proportion to the
// file. Inputs that once broke a reader are kept in data/swatch/ and read
// here too.

#include "CgatsParseContext.h"
#include "CgatsReadingsReader.h"
#include "KxCgatsDocument.h"
#include "KxFileRead.h"
#include "KxList.h"
#include "KxPacket.h"
#include "SpecialFiles.h"
#include "SwatchImporter.h"
#include "SwatchList.h"
#include "SwatchReaderTable.h"
#include "test_swatch_samples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

namespace {

QByteArray cgats(const QByteArray& header, const QByteArray& data)
{
    return "CGATS.17\n" + header + "BEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\nBEGIN_DATA\n" + data
           + "END_DATA\n";
}

// A CGATS file of Lab readings: `keywords` header lines before the counts,
// `sets` sets, and `fields` fields, those past the Lab ones holding 0 and
// named by `extraField` and a number.
QByteArray cgatsOfSize(const QByteArray& keywords, int fields, int sets, const QByteArray& extraField = "SPEC_")
{
    QByteArray format = "SAMPLE_ID LAB_L LAB_A LAB_B";
    QByteArray extraValues;
    for (int i = 4; i < fields; ++i) {
        format += " " + extraField + QByteArray::number(i);
        extraValues += " 0";
    }
    QByteArray data;
    for (int i = 1; i <= sets; ++i)
        data += QByteArray::number(i) + " 50 0 0" + extraValues + "\n";
    return "CGATS.17\n" + keywords + "NUMBER_OF_FIELDS " + QByteArray::number(fields) + "\nBEGIN_DATA_FORMAT\n" + format
           + "\nEND_DATA_FORMAT\nNUMBER_OF_SETS " + QByteArray::number(sets) + "\nBEGIN_DATA\n" + data + "END_DATA\n";
}

// `count` header lines naming a keyword each, all different or all the same.
QByteArray keywordLines(int count, bool distinct = true)
{
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += "K" + QByteArray::number(distinct ? i : 0) + " \"v\"\n";
    return lines;
}

} // namespace

class TestSwatchHostile : public QObject
{
    Q_OBJECT

    // Every proper prefix of a file is refused with a reason, except the
    // lengths listed, which are complete files of their own.
    void refuseEveryTruncation(const QByteArray& file, QList<int> wholeLengths)
    {
        wholeLengths << file.size();
        for (int length = 0; length <= file.size(); ++length) {
            Imported r;
            importBytes(file.left(length), r);
            if (wholeLengths.contains(length)) {
                QVERIFY2(r.first, qPrintable(QString("length %1: %2").arg(length).arg(r.whyNot.c_str())));
            } else {
                QVERIFY2(!r.first, qPrintable(QString("length %1 was read").arg(length)));
                QVERIFY(!r.whyNot.empty());
            }
        }
    }

    void expectRefused(const QByteArray& file, const char* reasonPart)
    {
        Imported r;
        importBytes(file, r);
        QVERIFY(!r.first);
        QVERIFY2(QString::fromStdString(r.whyNot).contains(reasonPart), r.whyNot.c_str());
    }

private slots:
    void truncatedAseIsRefused() { refuseEveryTruncation(aseSample(), {}); }

    void truncatedAcoIsRefused()
    {
        // The version 1 section alone, with or without a stray byte after
        // it, is a complete file.
        const int v1End = 4 + 10 * int(acoSampleColours().size());
        refuseEveryTruncation(acoFile(acoSampleColours(), true), {v1End, v1End + 1});
    }

    void aseWithLyingCountsAndLengths()
    {
        QByteArray huge = aseSample();
        huge[8] = huge[9] = huge[10] = huge[11] = char(0xFF); // block count 2^32 - 1
        expectRefused(huge, "more blocks than it holds");

        const QByteArray entry = aseColourBlock({"X", "RGB ", {0.f, 0.f, 0.f}});
        QByteArray pastEnd = entry;
        pastEnd[2] = char(0x7F); // body length far past the end
        expectRefused(aseFile({pastEnd}), "truncated or corrupt");

        QByteArray longName = entry;
        longName[6] = longName[7] = char(0xFF); // name length past the block
        expectRefused(aseFile({longName}), "truncated or corrupt");

        expectRefused(aseFile({aseColourBlock({"NaN", "LAB ", {std::nanf(""), 0.f, 0.f}})}), "not a number");
        expectRefused(BigEndian().raw("ASEF").u16(2).u16(0).u32(0).bytes, "version 2");
        expectRefused(aseFile({aseGroupStart("empty"), aseGroupEnd()}), "no colours");
    }

    void acoWithLyingCountsAndLengths()
    {
        expectRefused(BigEndian().u16(1).u16(0xFFFF).u16(0).bytes, "more colours than it holds");
        QByteArray file = acoFile({{0, {1, 2, 3, 0}, "A"}}, true);
        const int nameLength = 4 + 10 + 4 + 10; // the v2 colour's u32 name length
        file[nameLength] = file[nameLength + 1] = file[nameLength + 2] = file[nameLength + 3] = char(0xFF);
        expectRefused(file, "truncated or corrupt");
        expectRefused(acoFile({{0, {1, 2, 3, 0}, "A"}}, false) + BigEndian().u16(7).u16(0).bytes, "unknown section");
        expectRefused(acoFile({{3, {1, 2, 3, 0}, "Book"}}, true), "no colours");
    }

    void gplRefusesWhatIsNotAColour()
    {
        expectRefused("GIMP Palette\n10 20\n", "Line 2");
        expectRefused("GIMP Palette\n10 20 x30 name\n", "Line 2");
        expectRefused("GIMP Palette\nName: nothing\n# only comments\n", "no colours");
        expectRefused("GIMP Palettes are nice\n1 2 3\n", "GIMP Palette");
        expectRefused("GIMP Palette\n1 - 2 3\n", "Line 2");
    }

    void cgatsCountsThatWouldOverflowTheParserAreRefused()
    {
        // The parser sizes its table from these before reading any data:
        // counts within the limits that the data could not fill are refused.
        expectRefused(cgats("NUMBER_OF_FIELDS 1000\nNUMBER_OF_SETS 32766\n", "1 2 3 4\n"), "more data than it holds");
        expectRefused(cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 0x7ffe\n", "1 2 3 4\n"), "unreadable form");
        expectRefused(cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 4294983680\n", "1 2 3 4\n"), "unreadable form");
        expectRefused(cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 1.6384e4\n", "1 2 3 4\n"), "unreadable form");
        // A count split from a hexadecimal number still counts.
        expectRefused(cgats("NUMBER_OF_FIELDS 4\nX 0x1FNUMBER_OF_SETS 9999\n", "1 2 3 4\n"), "more data than it holds");
        expectRefused(cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 2\n", "1 2 3 4\n"), "could not be read");
        expectRefused(cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 1\n", "1 0e999 3 4\n"), "not a number");
        expectRefused("CGATS.17\nBEGIN_DATA\nEND_DATA\n", "could not be read");
        // The parser would read past a field list sized before its count.
        expectRefused("CGATS.17\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L\nEND_DATA_FORMAT\nNUMBER_OF_FIELDS 7\n"
                      "NUMBER_OF_SETS 1\nBEGIN_DATA\n1 2\nEND_DATA\n",
                      "without a number of fields");
        expectRefused(cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 1\n", "1 2 3 4\n").replace("END_DATA_FORMAT\n", "END_DATA_FORMAT\nNUMBER_OF_FIELDS 7\n"),
                      "after listing them");

        Imported counted; // a count mentioned in a comment or a string is no count
        importBytes(cgats("# NUMBER_OF_SETS 99999999999\nDESCRIPTOR \"NUMBER_OF_SETS x\"\nNUMBER_OF_FIELDS 4\n"
                          "NUMBER_OF_SETS 1\n",
                          "1 50 0 0\n"),
                    counted);
        QVERIFY2(counted.first, counted.whyNot.c_str());
    }

    // The parser searches its keyword lists from the start for every keyword,
    // so a file past the limits is refused before it gets there, by the
    // swatch and the measurement file readers alike; a file at the limits is
    // read. NUMBER_OF_FIELDS and NUMBER_OF_SETS are keywords too.
    void cgatsPastItsLimitsIsRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason"); // empty: read, with this many sets
        QTest::addColumn<int>("sets");
        const int keywords = int(KxCgatsDocument::MOST_KEYWORDS);
        const int fields = int(KxCgatsDocument::MOST_FIELDS);
        const int sets = int(KxCgatsDocument::MOST_SETS);
        const QString tooManyKeywords = "The CGATS file has more than 1000 keywords, too many for a chart.";
        QTest::newRow("60000 keywords") << cgatsOfSize(keywordLines(60000), 4, 2) << tooManyKeywords << 2;
        QTest::newRow("keywords at the limit") << cgatsOfSize(keywordLines(keywords - 2), 4, 2) << QString() << 2;
        QTest::newRow("one keyword past") << cgatsOfSize(keywordLines(keywords - 1), 4, 2) << tooManyKeywords << 2;
        QTest::newRow("one keyword over and over") << cgatsOfSize(keywordLines(keywords, false), 4, 2) << tooManyKeywords << 2;
        QTest::newRow("declarations") << cgatsOfSize(QByteArray("KEYWORD \"K\"\nDATA_FORMAT_IDENTIFIER \"D\"\n").repeated(keywords / 2), 4, 2)
                                      << tooManyKeywords << 2;
        QByteArray pairs = "WEIGHTING_FUNCTION \"name,D50";
        for (int i = 0; i < keywords; ++i)
            pairs += ";p" + QByteArray::number(i) + ",1";
        QTest::newRow("pairs") << cgatsOfSize(pairs + "\"\n", 4, 2) << tooManyKeywords << 2;
        QTest::newRow("fields at the limit") << cgatsOfSize({}, fields, 2) << QString() << 2;
        QTest::newRow("fields declared past") << cgatsOfSize({}, fields + 1, 2)
                                              << "The CGATS file has more than 1000 fields in a table, too many for a chart." << 2;
        QTest::newRow("fields listed past") << cgatsOfSize({}, fields + 1, 2).replace("NUMBER_OF_FIELDS 1001", "NUMBER_OF_FIELDS 4")
                                            << "The CGATS file has more than 1000 fields in a table, too many for a chart." << 2;
        QTest::newRow("sets at the limit") << cgatsOfSize({}, 4, sets) << QString() << sets;
        QTest::newRow("sets past") << cgatsOfSize({}, 4, 2).replace("NUMBER_OF_SETS 2", "NUMBER_OF_SETS 32767")
                                   << "The CGATS file has more than 32766 sets in a table, too many for a chart." << 2;
        QTest::newRow("LABEL field") << cgatsOfSize({}, 5, 2).replace("SPEC_4", "label")
                                     << "The CGATS file has a field label that refers to other tables, which Tintora does not read." << 2;
        QTest::newRow("$ field") << cgatsOfSize({}, 5, 2, "$REF")
                                 << "The CGATS file has a field $REF4 that refers to other tables, which Tintora does not read." << 2;
    }

    void cgatsPastItsLimitsIsRefused()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        QFETCH(int, sets);
        Imported swatches;
        importBytes(file, swatches);
        std::vector<CgatsReading> readings;
        std::string whyNot;
        const bool read = CgatsReadingsReader::read(reinterpret_cast<const unsigned char*>(file.constData()),
                                                    std::size_t(file.size()), readings, whyNot);
        if (reason.isEmpty()) {
            QVERIFY2(swatches.first, swatches.whyNot.c_str());
            QCOMPARE(int(ListLength(swatches.first)), sets);
            QVERIFY2(read, whyNot.c_str());
            QCOMPARE(int(readings.size()), sets);
        } else {
            QVERIFY(!swatches.first);
            QCOMPARE(QString::fromStdString(swatches.whyNot), reason);
            QVERIFY(!read);
            QCOMPARE(QString::fromStdString(whyNot), reason);
        }
    }

    // Values outside sense refuse the file, whatever its format, with the
    // value in the file's own units and the place of the swatch: its line in
    // a text, its position in a binary file.
    void valuesOutOfRangeAreRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        const QByteArray cgatsRgb = "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID RGB_R RGB_G RGB_B\n"
                                    "END_DATA_FORMAT\nNUMBER_OF_SETS 1\nBEGIN_DATA\n";
        // RGB past its full scale, or below 0.
        QTest::newRow("gpl red 300") << QByteArray("GIMP Palette\n300 0 0 hot\n")
                                     << "Line 2 of the GIMP palette file has red 300, outside 0 to 255.";
        QTest::newRow("gpl green -5") << QByteArray("GIMP Palette\n# dark\n0 -5 0\n")
                                      << "Line 3 of the GIMP palette file has green -5, outside 0 to 255.";
        QTest::newRow("gpl 26 digits") << QByteArray("GIMP Palette\n99999999999999999999999999 0 0\n")
                                       << "Line 2 of the GIMP palette file has red 1e+26, outside 0 to 255.";
        QTest::newRow("ase red 1e30") << aseFile({aseColourBlock({"ok", "RGB ", {1.f, 0.f, 0.f}}),
                                                  aseColourBlock({"hot", "RGB ", {1e30f, 0.f, 0.f}})})
                                      << "Swatch 2 of the Adobe Swatch Exchange file has red 1e+30, outside 0 to 1.";
        QTest::newRow("ase blue -5") << aseFile({aseColourBlock({"dark", "RGB ", {0.f, 0.f, -5.f}})})
                                     << "Swatch 1 of the Adobe Swatch Exchange file has blue -5, outside 0 to 1.";
        QTest::newRow("ase gray 1.5") << aseFile({aseColourBlock({"grey", "Gray", {1.5f}})})
                                      << "Swatch 1 of the Adobe Swatch Exchange file has gray 1.5, outside 0 to 1.";
        QTest::newRow("aco gray past black") << acoFile({{8, {12000, 0, 0, 0}, "grey"}}, false)
                                             << "Swatch 1 of the Adobe Color file has gray -2000, outside 0 to 10000.";
        QTest::newRow("cgats red 256") << cgatsRgb + "1 256 0 0\nEND_DATA\n"
                                       << "Set 1 (line 8) of the CGATS file has red 256, outside 0 to 255.";
        QTest::newRow("cti1 green 101 %") << QByteArray(cgatsRgb).replace("CGATS.17", "CTI1") + "1 0 101 0\nEND_DATA\n"
                                          << "Set 1 (line 8) of the CGATS file has green 101, outside 0 to 100.";
        // Ink past 100 %.
        QTest::newRow("ase ink 150 %") << aseFile({aseColourBlock({"ink", "CMYK", {0.f, 1.5f, 0.f, 0.f}})})
                                       << "Swatch 1 of the Adobe Swatch Exchange file has magenta 150 %, outside 0 to 100 %.";
        QTest::newRow("aco wide cmyk 600 %") << acoFile({{9, {60000, 0, 0, 0}, "wide"}}, false)
                                             << "Swatch 1 of the Adobe Color file has cyan 600 %, outside 0 to 100 %.";
        QTest::newRow("cgats ink 101") << QByteArray("CGATS.17\nNUMBER_OF_FIELDS 5\nBEGIN_DATA_FORMAT\nSAMPLE_ID CMYK_C CMYK_M "
                                                     "CMYK_Y CMYK_K\nEND_DATA_FORMAT\nNUMBER_OF_SETS 1\nBEGIN_DATA\n"
                                                     "\n\n1 0 0 0\n101\nEND_DATA\n")
                                       << "Set 1 (line 10) of the CGATS file has black 101 %, outside 0 to 100 %.";
        // Lab outside its range.
        QTest::newRow("ase L 3e40") << aseFile({aseColourBlock({"ok", "LAB ", {0.5f, 0.f, 0.f}}),
                                                aseColourBlock({"huge", "LAB ", {3e38f, 0.f, 0.f}})})
                                    << "Swatch 2 of the Adobe Swatch Exchange file has L 3e+40, outside -1 to 101.";
        QTest::newRow("ase b -201") << aseFile({aseColourBlock({"b", "LAB ", {0.5f, 0.f, -201.f}})})
                                    << "has b -201, outside -200 to 200.";
        QTest::newRow("aco L 655") << acoFile({{7, {5000, 0, 0, 0}, "ok"}, {7, {65500, 0, 0, 0}, "L"}}, false)
                                   << "Swatch 2 of the Adobe Color file has L 655, outside -1 to 101.";
        QTest::newRow("cgats L -1e300") << cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 2\n", "1 50 0 0\n2 -1e300 0 0\n")
                                        << "Set 2 (line 9) of the CGATS file has L -1e+300, outside -1 to 101.";
        QTest::newRow("cgats a 1.5e3") << cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 1\n", "1 50 1.5e3 0\n")
                                       << "Set 1 (line 8) of the CGATS file has a 1500, outside -200 to 200.";
        QTest::newRow("cgats xyz 1e9") << QByteArray("CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y "
                                                     "XYZ_Z\nEND_DATA_FORMAT\nNUMBER_OF_SETS 1\nBEGIN_DATA\n1 1e9 1e9 1e9\nEND_DATA\n")
                                       << "Set 1 (line 8) of the CGATS file has L ";
        // Values that are no numbers.
        QTest::newRow("ase red infinite") << aseFile({aseColourBlock({"inf", "RGB ", {std::numeric_limits<float>::infinity(), 0.f, 0.f}})})
                                          << "Swatch 1 of the Adobe Swatch Exchange file has a colour value that is not a number.";
        QTest::newRow("cgats red nan") << cgatsRgb + "1 nan 0 0\nEND_DATA\n"
                                       << "Set 1 (line 8) of the CGATS file has a colour value that is not a number.";
    }

    void valuesOutOfRangeAreRefused()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        expectRefused(file, qPrintable(reason));
    }

    // Numbers in exponent form are read like any other, with or without a
    // point, sign or exponent sign; the edges of the ranges are taken.
    void exponentNumbersAreRead()
    {
        Imported r;
        importBytes(cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 4\n",
                          "1 1e1 -2E1 +3e0\n2 5.5e1 1e-3 .5\n3 101 -200 200\n4 -1 2e2 -2.0E+2\n"),
                    r);
        QVERIFY2(r.first, r.whyNot.c_str());
        QList<double> values;
        for (const KxCOMBOCOLOUR* c = r.first; c; c = c->next)
            values << c->L << c->a << c->b;
        QCOMPARE(values, (QList<double>{10, -20, 3, 55, 0.001, 0.5, 101, -200, 200, -1, 200, -200}));
    }

    void cgatsIncludeIsRefusedAndNothingIsOpened()
    {
        QTemporaryDir folder;
        const QString included = folder.filePath("included.txt");
        QVERIFY(SpecialFiles::writeFile(included, "NUMBER_OF_FIELDS 4\n"));
        const QByteArray path = QFile::encodeName(included);
        expectRefused(cgats(".INCLUDE \"" + path + "\"\nNUMBER_OF_SETS 1\n", "1 2 3 4\n"), "include");
        expectRefused(cgats("$include \"/dev/zero\"\nNUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 1\n", "1 2 3 4\n"), "include");
    }

    void cgatsParserMemoryStaysWithinItsBudget()
    {
        // The parser asks for the whole table as soon as it sees the data;
        // with a budget far below that, it is refused and never exceeded.
        const QByteArray text = "CGATS.17\nNUMBER_OF_FIELDS 2000\nNUMBER_OF_SETS 2000\nBEGIN_DATA\n1\nEND_DATA\n";
        CgatsParseContext parsing(64 * 1024);
        QVERIFY(parsing.context());
        cmsHANDLE it8 = cmsIT8LoadFromMem(parsing.context(), text.constData(), cmsUInt32Number(text.size()));
        QVERIFY(!it8);
        QVERIFY(parsing.budgetExceeded());
        QVERIFY(parsing.peakBytes() <= 64 * 1024);

        // A very long identifier grows the parser's buffer tenfold at a
        // time, and still fits the budget of its file.
        Imported r;
        importBytes(cgats("NUMBER_OF_FIELDS 4\nNUMBER_OF_SETS 1\nX " + QByteArray(200000, 'A') + "\n", "1 2 3 4\n"), r);
        QVERIFY2(r.first, r.whyNot.c_str());
        QCOMPARE(r.first->L, 2.0);

        expectRefused("CGATS.17" + QByteArray(5000, 'x') + "\nNUMBER_OF_FIELDS 1\nBEGIN_DATA\n", "too long");
    }

    void binaryJunkAndEmptyFilesAreNotSwatches()
    {
        expectRefused(QByteArray(), "empty");
        expectRefused(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "not a swatch file");
        Imported r;
        importBytes(QByteArray("\x00\x01", 2), r);
        QCOMPARE(r.type, SwatchImporter::SWATCH_UNKNOWN);
    }

    void filesPastTheSizeCapAreRefusedUnread()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("huge.gpl");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("GIMP Palette\n");
        QVERIFY(file.resize(qint64(Kx_fileSizeLimit(KxFileKind::Swatches)) + 1)); // sparse
        file.close();
        Imported r;
        importFile(path, r);
        QVERIFY(!r.first);
        QVERIFY2(QString::fromStdString(r.whyNot).contains("64 MiB"), r.whyNot.c_str());

        importFile(folder.filePath("missing"), r);
        QVERIFY(!r.first);
        QVERIFY2(QString::fromStdString(r.whyNot).contains("does not exist"), r.whyNot.c_str());
    }

    // Inputs that the fuzz targets found once, named after the reader that
    // failed on them: each must now be read or refused with a reason, by
    // that reader and through the importer.
    void keptFuzzFindings()
    {
        const QDir kept(TINTORA_TEST_DATA "/swatch");
        const QStringList files = kept.entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files) {
            QFile file(kept.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const SwatchReaderEntry* reader = SwatchReaderTable::find(name.section('-', 0, 0).toStdString());
            QVERIFY2(reader, qPrintable(name + " names no reader"));
            SwatchList list;
            std::string whyNot;
            const bool accepted = reader->read(reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size()),
                                       list, whyNot);
            QVERIFY2(accepted || !whyNot.empty(), qPrintable(name));
            Imported r;
            importBytes(bytes, r);
            QVERIFY2(r.first || !r.whyNot.empty(), qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestSwatchHostile)
#include "test_swatch_hostile.moc"
