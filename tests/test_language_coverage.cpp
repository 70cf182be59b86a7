// Every text the program shows through the translation must have a finished
// translation in each shipped language, with its placeholders, line breaks,
// rich-text tags and menu accelerators intact. The texts of the current
// sources are collected by lupdate at test time, so a text added to the code
// without a translation fails here.

#include "EventLimits.h"
#include "test_language_ts.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList allMatches(const QString& text, const QRegularExpression& pattern)
{
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found << it.next().captured(0);
    found.sort();
    return found;
}

// What a translation must carry over from its source unchanged in number.
QStringList shapeOf(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%L?\\d+"));
    static const QRegularExpression tag(QStringLiteral("</?[a-zA-Z][^>]*>"));
    static const QRegularExpression accelerator(QStringLiteral("&(?![#a-zA-Z0-9]+;)(?=\\w)"));
    QStringList shape;
    shape << "placeholders " + allMatches(text, placeholder).join(' ');
    shape << "tags " + allMatches(text, tag).join(' ');
    shape << "accelerators " + QString::number(allMatches(text, accelerator).size());
    shape << "line breaks " + QString::number(text.count('\n'));
    return shape;
}

} // namespace

class TestLanguageCoverage : public QObject
{
    Q_OBJECT

    QMap<QString, TsMessage> current;

private slots:
    void initTestCase()
    {
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString fresh = work.filePath("current.ts");
        QProcess lupdate;
        lupdate.setWorkingDirectory(TINTORA_SOURCE_DIR);
        lupdate.start(TINTORA_LUPDATE, {"-silent", "-locations", "none", "app", "converter", "chart", "components", "-ts",
                                        fresh});
        QVERIFY2(lupdate.waitForFinished(EventLimits::EVENT_MS), "lupdate did not finish");
        QCOMPARE(lupdate.exitCode(), 0);
        QString error;
        current = readTs(fresh, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // The menus and the form alone hold far more than this; fewer means
        // the scan missed the sources.
        QVERIFY2(current.size() > 50, qPrintable(QString::number(current.size())));
    }

    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << "de";
        QTest::newRow("French") << "fr";
    }

    void everyTextIsTranslated()
    {
        QFETCH(QString, language);
        QString error;
        const QMap<QString, TsMessage> shipped =
            readTs(QString(TINTORA_SOURCE_DIR) + "/lang/tintora_" + language + ".ts", &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));

        QStringList faults;
        for (const TsMessage& text : current) {
            const QString where = text.context + " \"" + text.source + "\"";
            const auto found = shipped.constFind(tsKey(text));
            if (found == shipped.cend()) {
                faults << where + ": missing (run scripts/update-translations.sh)";
                continue;
            }
            const TsMessage& translated = *found;
            if (!translated.type.isEmpty())
                faults << where + ": " + translated.type;
            for (const QString& translation : translated.translations) {
                if (translation.trimmed().isEmpty())
                    faults << where + ": empty translation";
                else if (shapeOf(translation) != shapeOf(text.source))
                    faults << where + ": " + shapeOf(translation).join(", ") + " instead of "
                            + shapeOf(text.source).join(", ");
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable("\n" + faults.join('\n')));
    }

    void shapeCheckSeesWhatTranslatorsLose()
    {
        // The faults the check above must catch, on texts of the program.
        QVERIFY(shapeOf("All %1 patches read") != shapeOf("Alle Farbfelder gemessen"));
        QVERIFY(shapeOf("%1 of %2") != shapeOf("%1 von %1"));
        QVERIFY(shapeOf("You must restart Tintora\nfor the changes to take effect")
                != shapeOf("Starten Sie Tintora neu, damit die Änderung wirksam wird"));
        QVERIFY(shapeOf("<b>R:</b>") != shapeOf("R:"));
        QVERIFY(shapeOf("What's &This") != shapeOf("Direkthilfe"));
        QCOMPARE(shapeOf("D50 (2&#176;)"), shapeOf("D50 (2°)"));
        QCOMPARE(shapeOf("What's &This"), shapeOf("&Direkthilfe"));
    }
};

QTEST_GUILESS_MAIN(TestLanguageCoverage)
#include "test_language_coverage.moc"
