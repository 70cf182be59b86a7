#include "KxAlloc.h"
#include "KxComboColour.h"
#include "KxFile.h"
#include "KxList.h"
#include "KxPacket.h"
#include "KxSupport.h"

#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstring>
#include <fstream>
#include <sstream>
#include <csignal>
#include <sys/resource.h>
#include <vector>

namespace {

struct Record {
    std::uint32_t header[3];
    Record* last;
    Record* next;
    Record* prev;
    int value;
};

Record* makeRecord(int value)
{
    auto* record = static_cast<Record*>(Kx_DIAGNOSTIC_calloc(1, sizeof(Record)));
    record->value = value;
    return record;
}

// The values front to back, checked against the links back to front and
// against the first record's `last`.
std::vector<int> valuesOf(Record* first)
{
    std::vector<int> forward;
    Record* tail = nullptr;
    for (Record* r = first; r; r = r->next) {
        forward.push_back(r->value);
        if (r->next)
            Q_ASSERT(r->next->prev == r);
        tail = r;
    }
    if (first) {
        Q_ASSERT(first->prev == nullptr);
        Q_ASSERT(first->last == tail);
    }
    std::vector<int> backward;
    for (Record* r = tail; r; r = r->prev)
        backward.insert(backward.begin(), r->value);
    Q_ASSERT(backward == forward);
    return forward;
}

std::string readFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace

class TestSupport : public QObject
{
    Q_OBJECT

private slots:
    void startupCalls()
    {
        QCOMPARE(Kx_InitSubSystems(0), 0);
        QCOMPARE(LogErrorLogtofile(0), 0);
        QVERIFY(KxInitGlobals() != 0);
        QCOMPARE(KxInitStorageClasses(), 0);
    }

    void listAddRemoveLength()
    {
        Record* list = nullptr;
        QCOMPARE(ListLength(list), 0ul);
        for (int i = 1; i <= 5; ++i)
            AddList(&list, makeRecord(i));
        QCOMPARE(ListLength(list), 5ul);
        QCOMPARE(valuesOf(list), (std::vector<int>{1, 2, 3, 4, 5}));

        RemoveList(&list, list); // the first
        QCOMPARE(valuesOf(list), (std::vector<int>{2, 3, 4, 5}));
        RemoveList(&list, list->last); // the last
        QCOMPARE(valuesOf(list), (std::vector<int>{2, 3, 4}));
        RemoveList(&list, list->next); // one in the middle
        QCOMPARE(valuesOf(list), (std::vector<int>{2, 4}));
        AddList(&list, makeRecord(6)); // appending after removals keeps `last` right
        QCOMPARE(valuesOf(list), (std::vector<int>{2, 4, 6}));
        RemoveList(&list, list->last);
        RemoveList(&list, list);
        QCOMPARE(valuesOf(list), (std::vector<int>{4}));
        RemoveList(&list, list); // the only one
        QVERIFY(list == nullptr);
        QCOMPARE(ListLength(list), 0ul);
        AddList(&list, makeRecord(7));
        QCOMPARE(valuesOf(list), (std::vector<int>{7}));
        FreeList(&list);
        QVERIFY(list == nullptr);
        FreeList(&list); // freeing an empty list is harmless
    }

    void failingAllocation()
    {
        KxDiagnosticFailAllocation(3);
        void* first = Kx_DIAGNOSTIC_calloc(1, 8);
        void* second = Kx_DIAGNOSTIC_calloc(1, 8);
        void* third = Kx_DIAGNOSTIC_calloc(1, 8);
        void* fourth = Kx_DIAGNOSTIC_calloc(1, 8);
        QVERIFY(first && second && fourth);
        QVERIFY(third == nullptr);
        Kx_DIAGNOSTIC_free(first);
        Kx_DIAGNOSTIC_free(second);
        Kx_DIAGNOSTIC_free(fourth);

        const unsigned long before = KxDiagnosticAllocationCount();
        KxDiagnosticFailAllocation(1);
        QVERIFY(AllocateAndCopyString("Patch 0001") == nullptr);
        QCOMPARE(KxDiagnosticAllocationCount(), before + 1);

        QVERIFY(Kx_DIAGNOSTIC_calloc(static_cast<std::size_t>(-1) / 2, 4) == nullptr); // overflows
        auto* zeroed = static_cast<unsigned char*>(Kx_DIAGNOSTIC_calloc(16, 4));
        QVERIFY(std::all_of(zeroed, zeroed + 64, [](unsigned char c) { return c == 0; }));
        Kx_DIAGNOSTIC_free(zeroed);

        char* copy = AllocateAndCopyString("Überdruck");
        QCOMPARE(QByteArray(copy), QByteArray("Überdruck"));
        Kx_DIAGNOSTIC_free(copy);
        QVERIFY(AllocateAndCopyString(nullptr) == nullptr);
    }

    void packetRelease()
    {
        KxCOMBOCOLOUR* list = nullptr;
        for (const char* name : {"Cyan", "Magenta", "Yellow"}) {
            auto* colour = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
            colour->name = AllocateAndCopyString(name);
            AddList(&list, colour);
        }
        QCOMPARE(ListLength(list), 3ul);
        KxPacketFreeList(&list, KX_PACKET_COMBOCOLOUR); // the sanitizer build sees any leaked name
        QVERIFY(list == nullptr);

        auto* single = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
        single->name = AllocateAndCopyString("Black");
        KxPacketFreeItem(single, KX_PACKET_COMBOCOLOUR);
        KxPacketFreeItem(nullptr, KX_PACKET_COMBOCOLOUR);
    }

    void writtenFileReplacesOnlyOnSuccess()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ps");
        const QByteArray encoded = path.toLocal8Bit();

        KxFILE* file = Kx_fopen(encoded.constData(), "w");
        QVERIFY(file);
        const char text[] = "first\n";
        QCOMPARE(Kx_fwrite(text, std::strlen(text), 1, file), 1ul);
        QCOMPARE(Kx_fprintf(file, "%d %s\n", 2, "second"), 9);
        QVERIFY(!QFile::exists(path)); // nothing at the final name until the close
        QCOMPARE(Kx_fclose(file), 0);
        QCOMPARE(readFile(path), std::string("first\n2 second\n"));

        file = Kx_fopen(encoded.constData(), "w");
        Kx_fprintf(file, "half-written");
        Kx_fabandon(file);
        QCOMPARE(readFile(path), std::string("first\n2 second\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left behind

        QVERIFY(Kx_fopen(dir.filePath("missing/x.ps").toLocal8Bit().constData(), "w") == nullptr);
    }

    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("out.ps");
        const QByteArray encoded = path.toLocal8Bit();
        KxFILE* file = Kx_fopen(encoded.constData(), "w");
        Kx_fprintf(file, "keep me");
        QCOMPARE(Kx_fclose(file), 0);

        // A full disk, made with a file size limit: the writes fail, so the
        // close reports failure and the old content stays.
        struct rlimit previous;
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = previous;
        small.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        file = Kx_fopen(encoded.constData(), "w");
        QVERIFY(file);
        const std::string big(64 * 1024, 'x');
        Kx_fwrite(big.data(), big.size(), 1, file);
        const int closed = Kx_fclose(file);
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(closed, -1);
        QCOMPARE(readFile(path), std::string("keep me"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);

        // A folder that is a file cannot take the temporary.
        QVERIFY(Kx_fopen((path + "/inside.ps").toLocal8Bit().constData(), "w") == nullptr);
    }

    void numbersUseThePointInEveryLocale()
    {
        QVERIFY2(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), "the de_DE.UTF-8 locale is set up by the setup script");
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.1f", 0.5);
        QCOMPARE(QByteArray(buffer), QByteArray("0,5")); // the locale really is in force
        Kx_snprintf(buffer, sizeof buffer, "%f", 0.5);
        QCOMPARE(QByteArray(buffer), QByteArray("0.500000"));
        std::setlocale(LC_NUMERIC, "C");
    }

    void ctimeEndsWithNewline()
    {
        const std::time_t when = 0;
        char buffer[1024];
        QVERIFY(Kx_ctime(&when, buffer) == buffer);
        const QByteArray text(buffer);
        QVERIFY(text.endsWith('\n'));
        QVERIFY(text.contains("1970"));
    }
};

QTEST_GUILESS_MAIN(TestSupport)
#include "test_support.moc"
