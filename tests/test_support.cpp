#include "KxAlloc.h"
#include "KxComboColour.h"
#include "ExportTargets.h"
#include "KxFile.h"
#include "KxFileRead.h"
#include "KxList.h"
#include "KxPacket.h"
#include "KxFileNameText.h"
#include "KxSupport.h"

#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstring>
#include <fstream>
#include <sstream>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
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

    void writesLikeASaveFile_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString& kind : ExportTarget::kinds())
            QTest::newRow(qPrintable(kind)) << kind;
    }

    void writesLikeASaveFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        ExportTarget target;
        QVERIFY(ExportTarget::make(kind, folder, target));
        const QStringList before = ExportTarget::entries(folder);
        ::alarm(20); // opening a FIFO to write would block for ever
        KxFILE* file = Kx_fopen(QFile::encodeName(target.path).constData(), "w");
        ::alarm(0);
        QCOMPARE(file == nullptr, target.refused);
        if (file) {
            Kx_fprintf(file, "new content\n");
            QCOMPARE(Kx_fclose(file), 0);
        }
        const QString problem = target.problemAfter("new content\n", before, folder);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void newFilesFollowTheUmaskAndLinksAreFollowedToTheEnd()
    {
        QTemporaryDir folder;
        const mode_t previous = ::umask(027);
        KxFILE* file = Kx_fopen(QFile::encodeName(folder.filePath("new.ps")).constData(), "w");
        ::umask(previous);
        QVERIFY(file);
        QCOMPARE(Kx_fclose(file), 0);
        QCOMPARE(SpecialFiles::permissionsOf(folder.filePath("new.ps")), 0640u);

        // A link to a link to nothing yet: the file is made where the chain ends.
        QVERIFY(SpecialFiles::makeLink("second", folder.filePath("first")));
        QVERIFY(SpecialFiles::makeLink(folder.filePath("end.ps"), folder.filePath("second")));
        file = Kx_fopen(QFile::encodeName(folder.filePath("first")).constData(), "w");
        QVERIFY(file);
        Kx_fprintf(file, "end");
        QCOMPARE(Kx_fclose(file), 0);
        QCOMPARE(readFile(folder.filePath("end.ps")), std::string("end"));
        QCOMPARE(SpecialFiles::typeOf(folder.filePath("first")), QString("link"));

        QVERIFY(SpecialFiles::makeLink("loop-b", folder.filePath("loop-a")));
        QVERIFY(SpecialFiles::makeLink("loop-a", folder.filePath("loop-b")));
        QVERIFY(!Kx_fopen(QFile::encodeName(folder.filePath("loop-a")).constData(), "w"));
    }

    // A writable file in a folder its user cannot write is written in place;
    // a write abandoned part way leaves it as it was. Run as an ordinary
    // user (a child that gives up the superuser's rights when it has them),
    // since the superuser may write any folder.
    void writesInPlaceWhereOnlyTheFolderIsReadOnly()
    {
        QTemporaryDir parent;
        const QString folder = parent.filePath("read-only");
        const QString path = folder + "/settings.conf";
        QVERIFY(QDir(parent.path()).mkdir("read-only"));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        const uid_t user = ::geteuid() == 0 ? 65534 : ::geteuid();
        QCOMPARE(::chown(QFile::encodeName(path).constData(), user, gid_t(-1)), 0);
        QCOMPARE(::chmod(QFile::encodeName(parent.path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);

        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(user) != 0))
                ::_exit(3);
            KxFILE* abandoned = Kx_fopen(QFile::encodeName(path).constData(), "w");
            if (!abandoned)
                ::_exit(4);
            Kx_fprintf(abandoned, "half");
            Kx_fabandon(abandoned);
            KxFILE* file = Kx_fopen(QFile::encodeName(path).constData(), "w");
            if (!file)
                ::_exit(5);
            Kx_fprintf(file, "written in place\n");
            ::_exit(Kx_fclose(file) == 0 ? 0 : 6);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(readFile(path), std::string("written in place\n"));
        struct stat after;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.conf"});
    }

    // A writer killed part way leaves the old file and nothing else: the
    // child stops once a megabyte is on its way to disk and is killed there.
    void killedWritesLeaveNothingBehind_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGKILL") << SIGKILL;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void killedWritesLeaveNothingBehind()
    {
        QFETCH(int, signal);
        QTemporaryDir folder;
        const QString path = folder.filePath("chart.ps");
        QVERIFY(SpecialFiles::writeFile(path, "old\n"));
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(signal, SIG_DFL);
            ::close(ready[0]);
            KxFILE* file = Kx_fopen(QFile::encodeName(path).constData(), "w");
            const std::string big(1 << 20, 'x');
            if (!file || Kx_fwrite(big.data(), big.size(), 1, file) != 1 || ::write(ready[1], "w", 1) != 1)
                ::_exit(3);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char written = 0;
        ::alarm(20);
        const bool stopped = ::read(ready[0], &written, 1) == 1;
        ::alarm(0);
        ::close(ready[0]);
        ::kill(child, signal);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(stopped);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"chart.ps"});
        QCOMPARE(readFile(path), std::string("old\n"));
    }

    // Where the file system gives no unnamed temporaries, a killed writer's
    // named one stays behind; the next write to that file removes it, and
    // only it: not one of a live process, of another file, or of another
    // naming.
    void temporariesOfGoneWritersAreRemoved()
    {
        const pid_t gone = ::fork();
        if (gone == 0)
            ::_exit(0);
        QCOMPARE(::waitpid(gone, nullptr, 0), gone);
        const QString dead = QString::number(gone), alive = QString::number(::getpid());
        const QString longName(250, QChar('n'));
        const QString shortened = longName.left(NAME_MAX - (".tmp-" + dead + "-1").size()) + ".tmp-" + dead + "-1";
        const QStringList removed{"chart.ps.tmp-" + dead + "-1", "chart.ps.tmp-" + dead + "-12", shortened};
        const QStringList kept{"chart.ps", longName, "chart.ps.tmp-" + alive + "-1", "other.ps.tmp-" + dead + "-1",
                               "chart.ps.tmp-" + dead + "-x", "chart.ps.tmp-" + dead};
        QTemporaryDir folder;
        for (const QString& name : removed + kept)
            QVERIFY(SpecialFiles::writeFile(folder.filePath(name), "left\n"));
        for (const QString& name : {QString("chart.ps"), longName}) {
            KxFILE* file = Kx_fopen(QFile::encodeName(folder.filePath(name)).constData(), "w");
            QVERIFY(file);
            QCOMPARE(Kx_fclose(file), 0);
        }
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    }

    // Any path that names a file can be written, however near PATH_MAX.
    void longestPathsAreWritten()
    {
        QTemporaryDir base;
        QString folder = base.path();
        constexpr int PathLength = 4090;
        while (PathLength - folder.size() - 1 > NAME_MAX) {
            folder += '/' + QString(200, QChar('d'));
            QVERIFY(QDir().mkdir(folder));
        }
        const QString path = folder + '/' + QString(PathLength - folder.size() - 1, QChar('f'));
        QCOMPARE(QFile::encodeName(path).size(), PathLength);
        for (const char* content : {"first\n", "second\n"}) { // a new file, then a replaced one
            KxFILE* file = Kx_fopen(QFile::encodeName(path).constData(), "w");
            QVERIFY2(file, std::strerror(errno));
            Kx_fprintf(file, "%s", content);
            QCOMPARE(Kx_fclose(file), 0);
            QCOMPARE(readFile(path), std::string(content));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // Reads take only a regular file within the kind's limit, at once.
    void readsOnlyRegularFilesWithinTheLimit()
    {
        QTemporaryDir folder;
        QVERIFY(SpecialFiles::makeFifo(folder.filePath("fifo")));
        QVERIFY(SpecialFiles::makeCharacterDevice(folder.filePath("zero"), 5));
        QVERIFY(SpecialFiles::makeLink("zero", folder.filePath("link")));
        QFile large(folder.filePath("large"));
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(qint64(Kx_fileSizeLimit(KxFileKind::Settings)) + 1)); // sparse
        large.close();
        QFile small(folder.filePath("small"));
        QVERIFY(small.open(QIODevice::WriteOnly));
        small.write("abc");
        small.close();

        const struct {
            const char* name;
            KxReadResult result;
        } cases[] = {{"fifo", KxReadResult::NotRegular}, {"zero", KxReadResult::NotRegular},
                     {"link", KxReadResult::NotRegular}, {".", KxReadResult::NotRegular},
                     {"large", KxReadResult::TooLarge},  {"missing", KxReadResult::Missing},
                     {"small", KxReadResult::Read}};
        ::alarm(20);
        for (const auto& c : cases) {
            const QByteArray path = QFile::encodeName(folder.filePath(c.name));
            std::vector<unsigned char> bytes{1};
            QVERIFY2(Kx_readFile(path.constData(), KxFileKind::Settings, bytes) == c.result, c.name);
            QCOMPARE(bytes.size(), std::size_t(c.result == KxReadResult::Read ? 3 : 0));
        }
        std::uint64_t size = 0;
        std::vector<unsigned char> start;
        QVERIFY(Kx_readFileStart(QFile::encodeName(folder.filePath("large")).constData(), KxFileKind::Profile, 128,
                                 start, size) == KxReadResult::Read);
        QCOMPARE(start.size(), std::size_t(128));
        QCOMPARE(size, std::uint64_t(Kx_fileSizeLimit(KxFileKind::Settings)) + 1);
        ::alarm(0);
        QVERIFY(Kx_fileSizeLimit(KxFileKind::Profile) >= std::size_t(64) << 20);
        QVERIFY(QString::fromStdString(Kx_readFailureText(KxReadResult::NotRegular, KxFileKind::Swatches)).contains("FIFO"));
    }

    // A name in a message keeps the message one line and cannot drive the
    // terminal; letters of any script stand as they are.
    void fileNamesInMessagesAreEscaped()
    {
        const struct {
            const char* name;
            const char* quoted;
        } cases[] = {{"chart.ps", "'chart.ps'"},
                     {"a\nb", "'a\\nb'"},
                     {"\x1b[31mred\x1b[0m", "'\\x1B[31mred\\x1B[0m'"},
                     {"tab\there\r", "'tab\\there\\r'"},
                     {"it's \\ that", "'it\\'s \\\\ that'"},
                     {"Überdruck €", "'Überdruck €'"},
                     {"c1 \xc2\x9b" "2J", "'c1 \\xC2\\x9B2J'"}, // CSI as a C1 control
                     {"bad \xff\xc3", "'bad \\xFF\\xC3'"},
                     {"del\x7f", "'del\\x7F'"}};
        for (const auto& c : cases)
            QCOMPARE(QByteArray::fromStdString(Kx_quotedFileName(c.name)), QByteArray(c.quoted));
        QCOMPARE(QByteArray::fromStdString(Kx_escapedFileName("it's\n")), QByteArray("it's\\n"));
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
