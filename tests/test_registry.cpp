#include "KxFileInfo.h"
#include "KxRegistry.h"
#include "SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <climits>
#include <cstring>
#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A window's settings, open on a file saved with one key in a folder of its
// own, before another program touches the file.
struct OpenSettings {
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.conf");
    KxRegistry window;

    bool open()
    {
        KxRegistry first;
        first.putstring("tintora", "inICC", "/a.icc");
        return first.save(path.toStdString()) && window.open(path.toStdString());
    }
};

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
    }

    // Every line that can be read is kept; the rest are skipped, and so are
    // keys under a section name that cannot be read.
    void damagedLinesAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QString>("inICC");
        QTest::newRow("empty file") << QByteArray() << true << "";
        QTest::newRow("no signature") << QByteArray("[tintora]\ninICC=x\n") << true << "x";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << false << "";
        QTest::newRow("key outside a section") << QByteArray("# Tintora settings\ninICC=x\n[tintora]\ninICC=y\n")
                                               << false << "y";
        QTest::newRow("line without =") << QByteArray("# Tintora settings\n[tintora]\nbad\ninICC=x\n") << false << "x";
        QTest::newRow("bad escape") << QByteArray("# Tintora settings\n[tintora]\ninICC=x\nbad=\\q\n") << false << "x";
        QTest::newRow("cut escape") << QByteArray("[tintora]\ninICC=\\x4\ninICC=x\n") << false << "x";
        QTest::newRow("nul in a line") << QByteArray("[tintora]\nin\0ICC=y\ninICC=x\n", 28) << false << "x";
        QTest::newRow("unclosed section") << QByteArray("[tintora]\ninICC=x\n[other\ninICC=y\n") << false << "x";
        QTest::newRow("no final newline, CRLF") << QByteArray("[tintora]\r\ninICC=x") << true << "x";
    }

    void damagedLinesAreSkipped()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, whole);
        QFETCH(QString, inICC);
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.conf");
        QVERIFY(SpecialFiles::writeFile(path, content));
        KxRegistry registry;
        registry.putstring("old", "key", "value");
        StandardErrorCapture errors;
        QCOMPARE(registry.open(path.toStdString()), whole);
        QCOMPARE(registry.getstring("old", "key"), std::string());
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "inICC")), inICC);
        QCOMPARE(errors.text().contains(".bad"), !whole);
    }

    // One bad line in a good file: the other keys survive a start and a quit,
    // the file as it was is kept beside it, and one line on standard error
    // names both.
    void damagedFileIsKeptBesideBeforeTheFirstSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("damaged.conf");
        const QByteArray damaged = "# Tintora settings\n[tintora]\ninICC=/p/in.icc\noutICC=/p/out.icc\nbad=\\q\n";
        QVERIFY(SpecialFiles::writeFile(path, damaged));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        const QByteArray earlier = "kept at an earlier start, readable by all";
        QVERIFY(SpecialFiles::writeFile(path + ".bad", earlier));
        QCOMPARE(::chmod(QFile::encodeName(path + ".bad").constData(), 0644), 0);

        StandardErrorCapture errors;
        KxRegistry language; // the start-up language lookup reads the same file
        language.open(path.toStdString());
        KxRegistry window;
        QVERIFY(!window.open(path.toStdString()));
        const QByteArray told = errors.text();
        QCOMPARE(told.count('\n'), 1);
        QVERIFY2(told.contains(QFile::encodeName(path) + " ") && told.contains(QFile::encodeName(path) + ".bad"), told);
        QCOMPARE(SpecialFiles::contentOf(path + ".bad"), earlier); // nothing is written before a save

        window.putlong("tintora", "intent", 2);
        QVERIFY(window.save(path.toStdString()));
        QCOMPARE(SpecialFiles::contentOf(path + ".bad"), damaged);
        QCOMPARE(SpecialFiles::permissionsOf(path + ".bad"), 0600u); // what others could not read stays so
        KxRegistry next;
        QVERIFY(next.open(path.toStdString()));
        QCOMPARE(next.getstring("tintora", "inICC"), std::string("/p/in.icc"));
        QCOMPARE(next.getstring("tintora", "outICC"), std::string("/p/out.icc"));
        QCOMPARE(next.getlong("tintora", "intent"), 2L);

        // The kept copy is made once per start: a later save leaves it.
        QVERIFY(SpecialFiles::writeFile(path + ".bad", "the user's own notes"));
        QVERIFY(window.save(path.toStdString()));
        QCOMPARE(SpecialFiles::contentOf(path + ".bad"), QByteArray("the user's own notes"));
    }

    // Files that are not a regular file of at most 1 MiB open as an empty
    // registry at once, get one line on standard error, and are never
    // overwritten.
    void specialAndLargeFilesAreLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to /dev/zero") << "zero link";
        QTest::newRow("zero device") << "zero device";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("2 MiB") << "large";
        QTest::newRow("folder") << "folder";
    }

    void specialAndLargeFilesAreLeftAlone()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.conf");
        QByteArray large = "# Tintora settings\n[tintora]\ninICC=/p/in.icc\n";
        large.append(2 * 1024 * 1024, '#');
        if (kind == "zero link")
            QVERIFY(SpecialFiles::makeLink("/dev/zero", path));
        else if (kind == "zero device")
            QVERIFY(SpecialFiles::makeCharacterDevice(path, 5));
        else if (kind == "fifo")
            QVERIFY(SpecialFiles::makeFifo(path));
        else if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("settings.conf"));
        else
            QVERIFY(SpecialFiles::writeFile(path, large));
        const QString type = SpecialFiles::typeOf(path);

        ::alarm(20); // a FIFO opened for reading would block here for ever
        StandardErrorCapture errors;
        KxRegistry registry;
        QVERIFY(!registry.open(path.toStdString()));
        QVERIFY(registry.isEmpty());
        registry.putstring("tintora", "inICC", "/p/other.icc");
        QVERIFY(!registry.save(path.toStdString()));
        ::alarm(0);
        const QByteArray told = errors.text();
        QCOMPARE(told.count('\n'), 1);
        QVERIFY2(told.contains(QFile::encodeName(path)), told);

        QCOMPARE(SpecialFiles::typeOf(path), type);
        if (kind == "large")
            QCOMPARE(SpecialFiles::contentOf(path), large);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{"settings.conf"});
    }

    void missingOrUnreadableFileOpensEmpty()
    {
        QTemporaryDir dir;
        KxRegistry registry;
        QVERIFY(!registry.open(dir.filePath("none.conf").toStdString()));
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        QVERIFY(!registry.open(dir.filePath("folder").toStdString())); // a folder, not a file
        QVERIFY(registry.isEmpty());
    }

    void failedSaveLeavesTheFileAsItWas()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.conf");
        KxRegistry original;
        original.putstring("kxmainwindow", "lang", "Deutsch");
        QVERIFY(original.save(path.toStdString()));
        const QByteArray before = SpecialFiles::contentOf(path);

        KxRegistry bigger;
        bigger.putstring("tintora", "inICC", std::string(100000, 'p'));
        struct rlimit previous;
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = previous;
        small.rlim_cur = 8192; // a disk that fills up part way through the write
        ::setrlimit(RLIMIT_FSIZE, &small);
        StandardErrorCapture errors;
        const bool saved = bigger.save(path.toStdString());
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!saved);
        // One line, naming the file and saying why in the system's words.
        const auto told = [](int error, const QString& file) {
            return "Tintora: the settings could not be written to '" + QFile::encodeName(file)
                   + "': " + std::strerror(error) + ".\n";
        };
        QCOMPARE(errors.text(), told(EFBIG, path));
        QCOMPARE(SpecialFiles::contentOf(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings.conf"});

        // A place that cannot be written (its folder is a file) fails cleanly.
        StandardErrorCapture notAFolder;
        QVERIFY(!bigger.save((path + "/settings.conf").toStdString()));
        QCOMPARE(notAFolder.text(), told(ENOTDIR, path + "/settings.conf"));
        QCOMPARE(SpecialFiles::contentOf(path), before);
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
        OpenSettings settings;
        QVERIFY(settings.open());
        const QString& path = settings.path;
        KxRegistry& window = settings.window;
        QVERIFY(SpecialFiles::writeFile(path, "# Tintora settings\n[tintora]\ninICC=/other.icc\noutICC=/b.icc\n")); // another process
        window.putstring("tintora", "monitorICC", "/m.icc");
        QVERIFY(window.save(path.toStdString()));

        KxRegistry reread;
        QVERIFY(reread.open(path.toStdString()));
        QCOMPARE(reread.getstring("tintora", "inICC"), std::string("/a.icc"));
        QCOMPARE(reread.getstring("tintora", "monitorICC"), std::string("/m.icc"));
        QCOMPARE(reread.getstring("tintora", "outICC"), std::string()); // the last writer's content, whole
    }

    // Another program grows the file past the limit while the settings are
    // open: the save leaves it alone and says so.
    void fileGrownPastTheLimitIsLeftAlone()
    {
        OpenSettings settings;
        QVERIFY(settings.open());
        const QString& path = settings.path;
        KxRegistry& window = settings.window;
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.write(QByteArray(1024 * 1024, '#')) == 1024 * 1024);
        file.close();
        const QByteArray grown = SpecialFiles::contentOf(path);

        StandardErrorCapture errors;
        window.putstring("tintora", "outICC", "/b.icc");
        QVERIFY(!window.save(path.toStdString()));
        QVERIFY(!window.save(path.toStdString()));
        const QByteArray told = errors.text();
        QCOMPARE(told.count('\n'), 1);
        QVERIFY2(told.contains(QFile::encodeName(path) + ": ") && told.contains("1 MiB"), told);
        QCOMPARE(SpecialFiles::contentOf(path), grown);
        QCOMPARE(QDir(settings.dir.path()).entryList(QDir::Files), QStringList{"settings.conf"});
    }

    void fileIsReadableText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.conf");
        KxRegistry registry;
        registry.putstring("tintora", "inICC", "/tmp/色/Profil-Überdruck-печать.icc");
        registry.putlong("tintora", "intent", 3);
        QVERIFY(registry.save(path.toStdString()));
        const QString text = QString::fromUtf8(SpecialFiles::contentOf(path));
        QVERIFY(text.contains("[tintora]\n"));
        QVERIFY(text.contains("inICC=/tmp/色/Profil-Überdruck-печать.icc\n"));
        QVERIFY(text.contains("intent=3\n"));
    }

    // The settings folder follows the user: the configuration home when it
    // is an absolute path, else .config in the home folder, taken from the
    // password database when HOME is unset or not absolute; never a shared
    // folder such as /tmp.
    void settingsFolderFollowsTheUser_data()
    {
        const struct passwd* user = ::getpwuid(::geteuid());
        QVERIFY(user && user->pw_dir[0] == '/');
        const QString own = QFile::decodeName(user->pw_dir) + "/.config";
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("folder");
        const QByteArray unset;
        const QByteArray home = "/home/ana";
        QTest::newRow("configuration home") << QByteArray("/srv/ana/config") << home << "/srv/ana/config";
        QTest::newRow("home") << unset << home << "/home/ana/.config";
        QTest::newRow("relative configuration home") << QByteArray("config") << home << "/home/ana/.config";
        QTest::newRow("neither") << unset << unset << own;
        QTest::newRow("empty home") << QByteArray("") << QByteArray("") << own;
        QTest::newRow("relative home") << unset << QByteArray("ana") << own;
    }

    void settingsFolderFollowsTheUser()
    {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, home);
        QFETCH(QString, folder);
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        const QByteArray savedHome = qgetenv("HOME");
        auto set = [](const char* name, const QByteArray& value) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        set("XDG_CONFIG_HOME", config);
        set("HOME", home);
        const QString name = QString::fromStdString(KxRegistry::getregname("/opt/tintora", "tintora"));
        set("XDG_CONFIG_HOME", savedConfig);
        set("HOME", savedHome);
        QCOMPARE(QFileInfo(name).path(), folder + "/tintora");
    }

    // A settings place someone else controls is neither read nor written:
    // one line says why, and the settings start empty. The user's own link
    // in the user's own folder is followed as any file the program writes.
    void placeOfAnotherUserIsLeftAlone_data()
    {
        QTest::addColumn<bool>("folderOfAnother");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<QString>("link"); // the settings file: "none", "own" or "another's" link to a private file
        QTest::addColumn<bool>("usersOwn");
        QTest::newRow("planted folder, link to a private file") << true << 0777 << "another's" << false;
        QTest::newRow("folder of another user") << true << 0755 << "none" << false;
        QTest::newRow("folder all may write") << false << 01777 << "none" << false;
        QTest::newRow("folder the group may write") << false << 0770 << "none" << false;
        QTest::newRow("link of another user in the own folder") << false << 0700 << "another's" << false;
        QTest::newRow("own link in the own folder") << false << 0700 << "own" << true;
    }

    void placeOfAnotherUserIsLeftAlone()
    {
        QFETCH(bool, folderOfAnother);
        QFETCH(int, folderMode);
        QFETCH(QString, link);
        QFETCH(bool, usersOwn);
        const struct passwd* nobody = ::getpwnam("nobody");
        if ((folderOfAnother || link == "another's") && (::geteuid() != 0 || !nobody))
            QSKIP("giving a file to another user (nobody) needs the superuser");

        QTemporaryDir dir;
        const QString privateFile = dir.filePath("private");
        const QByteArray secret = "[tintora]\ninICC=/private.icc\nonly the owner may read this\n";
        QVERIFY(SpecialFiles::writeFile(privateFile, secret));
        QVERIFY(QFile::setPermissions(privateFile, QFile::ReadOwner | QFile::WriteOwner));
        const QString folder = dir.filePath("tintora");
        const QString path = folder + "/settings.conf";
        const QByteArray planted = "[tintora]\ninICC=/planted.icc\n";
        QVERIFY(QDir(dir.path()).mkdir("tintora"));
        if (link == "none")
            QVERIFY(SpecialFiles::writeFile(path, planted));
        else
            QVERIFY(SpecialFiles::makeLink(privateFile, path));
        if (link == "another's")
            QCOMPARE(::lchown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        if (folderOfAnother)
            QCOMPARE(::chown(QFile::encodeName(folder).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), mode_t(folderMode)), 0);
        const QByteArray before = SpecialFiles::contentOf(path);

        StandardErrorCapture errors;
        KxRegistry registry;
        QCOMPARE(registry.open(path.toStdString()), false); // the private file has a line no settings file has
        QCOMPARE(registry.getstring("tintora", "inICC"), std::string(usersOwn ? "/private.icc" : ""));
        QVERIFY(usersOwn || registry.isEmpty());
        registry.putstring("tintora", "inICC", "/mine.icc");
        QCOMPARE(registry.save(path.toStdString()), usersOwn);
        const QByteArray told = errors.text();
        QCOMPARE(told.count('\n'), 1);
        QVERIFY2(told.contains(QFile::encodeName(path)), told);

        QCOMPARE(SpecialFiles::typeOf(path), QString(link == "none" ? "file" : "link"));
        QCOMPARE(SpecialFiles::permissionsOf(privateFile), 0600u);
        if (usersOwn) {
            QCOMPARE(SpecialFiles::permissionsOf(path + ".bad"), 0600u);
            QCOMPARE(SpecialFiles::contentOf(path + ".bad"), secret);
            return;
        }
        QCOMPARE(SpecialFiles::contentOf(path), before);
        QCOMPARE(SpecialFiles::contentOf(privateFile), secret);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{"settings.conf"});
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
