#include "KxFileInfo.h"
#include "KxRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void valuesRoundTripExactly_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("path") << QByteArray("/home/ana/Profile/ISOcoated_v2_eci.icc");
        QTest::newRow("non-latin") << QByteArray("/tmp/色/Profil-Überdruck-печать.icc");
        QTest::newRow("newlines") << QByteArray("one\ntwo\r\nthree\n");
        QTest::newRow("syntax characters") << QByteArray("a=b [c] #d \\e \"f\" 'g'");
        QTest::newRow("edge spaces") << QByteArray("  padded  ");
        QTest::newRow("single space") << QByteArray(" ");
        QTest::newRow("control and invalid bytes") << QByteArray("\x01\x7f\xff\xc3(\xed\xa0\x80", 8);
        QTest::newRow("nul") << QByteArray("before\0after", 12);
        QTest::newRow("escape lookalikes") << QByteArray("\\n\\x41\\s");
    }

    void valuesRoundTripExactly()
    {
        QFETCH(QByteArray, value);
        QTemporaryDir dir;
        const std::string file = dir.filePath("settings.conf").toStdString();
        const std::string text = value.toStdString();
        KxRegistry registry;
        registry.putstring("tintora", "inICC", text);
        registry.putstring(text, text, text); // any byte string also names sections and keys
        QVERIFY(registry.save(file));

        KxRegistry reread;
        QVERIFY(reread.open(file));
        QCOMPARE(QByteArray::fromStdString(reread.getstring("tintora", "inICC")), value);
        QCOMPARE(QByteArray::fromStdString(reread.getstring(text, text)), value);
    }

    void longsRoundTripOverTheirWholeRange()
    {
        QTemporaryDir dir;
        const std::string file = dir.filePath("settings.conf").toStdString();
        KxRegistry registry;
        const long values[] = {0, 1, -1, 3, 748, LONG_MAX, LONG_MIN};
        for (long value : values)
            registry.putlong("tintora", std::to_string(value), value);
        QVERIFY(registry.save(file));
        KxRegistry reread;
        QVERIFY(reread.open(file));
        for (long value : values)
            QCOMPARE(reread.getlong("tintora", std::to_string(value)), value);
    }

    void missingKeysReadEmpty()
    {
        KxRegistry registry;
        QCOMPARE(registry.getstring("tintora", "inICC"), std::string());
        QCOMPARE(registry.getlong("tintora", "intent"), 0L);
        registry.putstring("tintora", "intent", "not a number");
        QCOMPARE(registry.getlong("tintora", "intent"), 0L);
        QCOMPARE(KxRegistry::reg_fixup_null_cstr(nullptr), KxRegistry::reg_fixup_null_cstr(""));
        QCOMPARE(KxRegistry::reg_fixup_null_cstr("lang"), std::string("lang"));
    }

    void badFilesOpenEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("no signature") << QByteArray("[tintora]\ninICC=x\n");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("key outside a section") << QByteArray("# Tintora settings\ninICC=x\n");
        QTest::newRow("line without =") << QByteArray("# Tintora settings\n[tintora]\ninICC\n");
        QTest::newRow("bad escape") << QByteArray("# Tintora settings\n[tintora]\ninICC=\\q\n");
        QTest::newRow("cut escape") << QByteArray("# Tintora settings\n[tintora]\ninICC=\\x4\n");
        QTest::newRow("unclosed section") << QByteArray("# Tintora settings\n[tintora\n");
    }

    void badFilesOpenEmpty()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.conf");
        writeFile(path, content);
        KxRegistry registry;
        registry.putstring("old", "key", "value");
        QVERIFY(!registry.open(path.toStdString()));
        QVERIFY(registry.isEmpty());
        QCOMPARE(registry.getstring("tintora", "inICC"), std::string());
    }

    void missingOrUnreadableFileOpensEmpty()
    {
        QTemporaryDir dir;
        KxRegistry registry;
        QVERIFY(!registry.open(dir.filePath("none.conf").toStdString()));
        QVERIFY(!registry.open(dir.path().toStdString())); // a folder, not a file
        QVERIFY(registry.isEmpty());
    }

    void failedSaveLeavesTheFileAsItWas()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.conf");
        KxRegistry original;
        original.putstring("kxmainwindow", "lang", "Deutsch");
        QVERIFY(original.save(path.toStdString()));
        const QByteArray before = contentOf(path);

        KxRegistry bigger;
        bigger.putstring("tintora", "inICC", std::string(100000, 'p'));
        struct rlimit previous;
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = previous;
        small.rlim_cur = 8192; // a disk that fills up part way through the write
        ::setrlimit(RLIMIT_FSIZE, &small);
        const bool saved = bigger.save(path.toStdString());
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!saved);
        QCOMPARE(contentOf(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings.conf"});

        // A place that cannot be written (its folder is a file) fails cleanly.
        QVERIFY(!bigger.save((path + "/settings.conf").toStdString()));
        QCOMPARE(contentOf(path), before);
    }

    void saveCreatesMissingFolders()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a/b/settings.conf");
        KxRegistry registry;
        registry.putlong("kxmainwindow", "width", 748);
        QVERIFY(registry.save(path.toStdString()));
        KxRegistry reread;
        QVERIFY(reread.open(path.toStdString()));
        QCOMPARE(reread.getlong("kxmainwindow", "width"), 748L);
    }

    void fileReplacedWhileOpenIsWrittenWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.conf");
        KxRegistry first;
        first.putstring("tintora", "inICC", "/a.icc");
        QVERIFY(first.save(path.toStdString()));

        KxRegistry window;
        QVERIFY(window.open(path.toStdString()));
        writeFile(path, "# Tintora settings\n[tintora]\ninICC=/other.icc\noutICC=/b.icc\n"); // another process
        window.putstring("tintora", "monitorICC", "/m.icc");
        QVERIFY(window.save(path.toStdString()));

        KxRegistry reread;
        QVERIFY(reread.open(path.toStdString()));
        QCOMPARE(reread.getstring("tintora", "inICC"), std::string("/a.icc"));
        QCOMPARE(reread.getstring("tintora", "monitorICC"), std::string("/m.icc"));
        QCOMPARE(reread.getstring("tintora", "outICC"), std::string()); // the last writer's content, whole
    }

    void fileIsReadableText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.conf");
        KxRegistry registry;
        registry.putstring("tintora", "inICC", "/tmp/色/Profil-Überdruck-печать.icc");
        registry.putlong("tintora", "intent", 3);
        QVERIFY(registry.save(path.toStdString()));
        const QString text = QString::fromUtf8(contentOf(path));
        QVERIFY(text.contains("[tintora]\n"));
        QVERIFY(text.contains("inICC=/tmp/色/Profil-Überdruck-печать.icc\n"));
        QVERIFY(text.contains("intent=3\n"));
    }

    void registryNameIsStableAndInTheConfigFolder()
    {
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        const std::string name = KxRegistry::getregname("/opt/tintora", "tintora");
        QCOMPARE(KxRegistry::getregname("/opt/tintora", "tintora"), name);
        QVERIFY(name != KxRegistry::getregname("/usr/local/tintora", "tintora"));
        QVERIFY(QString::fromStdString(name).startsWith(dir.path() + "/"));
        QVERIFY(QString::fromStdString(KxFileInfo::filenameFromPath(name)).startsWith("tintora"));
        KxRegistry registry;
        registry.putlong("kxmainwindow", "width", 1);
        QVERIFY(registry.save(name)); // even with a read-only installation folder
        qputenv("XDG_CONFIG_HOME", config);
    }

    void pathParts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::newRow("full") << "/usr/share/color/icc/sRGB.icc" << "/usr/share/color/icc" << "sRGB.icc";
        QTest::newRow("relative") << "build/tintora" << "build" << "tintora";
        QTest::newRow("bare") << "tintora" << "." << "tintora";
        QTest::newRow("root file") << "/sRGB.icc" << "/" << "sRGB.icc";
        QTest::newRow("doubled slashes") << "/a//b.icc" << "/a" << "b.icc";
        QTest::newRow("trailing slash") << "/a/b/" << "/a" << "b";
        QTest::newRow("non-latin") << "/tmp/色/печать.icc" << "/tmp/色" << "печать.icc";
        QTest::newRow("empty") << "" << "." << "";
    }

    void pathParts()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, file);
        const std::string bytes = path.toStdString();
        QCOMPARE(QString::fromStdString(KxFileInfo::dirnameFromPath(bytes)), folder);
        QCOMPARE(QString::fromStdString(KxFileInfo::filenameFromPath(bytes)), file);
    }

    void existsIndicator()
    {
        QTemporaryDir dir;
        KxFileInfo info(dir.path().toStdString());
        QVERIFY(info.exists);
        info.setFile(dir.filePath("lang").toStdString());
        QVERIFY(!info.exists);
        info.setFile("");
        QVERIFY(!info.exists);
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
