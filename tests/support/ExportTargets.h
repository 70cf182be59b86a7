#ifndef EXPORTTARGETS_H
#define EXPORTTARGETS_H

#include "SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// The places a user may point an export at, each made fresh in a folder of
// the test's own, with what a sound write does there: a symbolic link is
// followed and stays a link; a 0600 file keeps its permissions; a name of
// 250 bytes is written like any other; a file the user protected (0444), a
// FIFO, a device node and a folder are refused and left as they were.
struct ExportTarget {
    QString kind;
    QString path;    // what the user chose
    QString written; // the file that receives the export, when it is written
    bool refused = false;
    QByteArray before; // the old content of a regular file at the path
    QString typeBefore;

    static QStringList kinds() { return {"new", "link", "0600", "250-byte name", "0444", "fifo", "device", "folder"}; }

    // The rows of a data-driven test: each kind of target, once for the
    // PostScript page and once for the target file, with the columns "kind"
    // and "exportName" (pageExport or targetExport).
    static void addRows(const QString& pageExport, const QString& targetExport)
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("exportName");
        for (const QString& kind : kinds()) {
            QTest::addRow("%s page", qPrintable(kind)) << kind << pageExport;
            QTest::addRow("%s target", qPrintable(kind)) << kind << targetExport;
        }
    }

    // How each export's file begins.
    static QByteArray startOf(const QString& exportName, const QString& pageExport)
    {
        return exportName == pageExport ? "%!PS-Adobe-3.0" : "CGATS.17";
    }

    // Makes the target of that kind in folder; false when it could not be made.
    static bool make(const QString& kind, const QTemporaryDir& folder, ExportTarget& target)
    {
        target = ExportTarget();
        target.kind = kind;
        target.path = folder.filePath("target");
        target.written = target.path;
        target.before = "old content\n";
        bool made = true;
        if (kind == "new") {
            target.before.clear();
        } else if (kind == "link") {
            target.written = folder.filePath("kept-elsewhere");
            made = SpecialFiles::writeFile(target.written, target.before) && SpecialFiles::makeLink("kept-elsewhere", target.path);
        } else if (kind == "0600" || kind == "0444") {
            made = SpecialFiles::writeFile(target.path, target.before)
                   && QFile::setPermissions(target.path, kind == "0600" ? QFile::ReadOwner | QFile::WriteOwner
                                                                          : QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            target.refused = kind == "0444";
        } else if (kind == "250-byte name") {
            target.path = target.written = folder.filePath(QString(250, QChar('n')));
            made = SpecialFiles::writeFile(target.path, target.before);
        } else {
            target.before.clear();
            target.refused = true;
            if (kind == "fifo")
                made = SpecialFiles::makeFifo(target.path);
            else if (kind == "device")
                made = SpecialFiles::makeCharacterDevice(target.path, 3);
            else
                made = QDir(folder.path()).mkdir("target");
        }
        target.typeBefore = SpecialFiles::typeOf(target.path);
        return made;
    }

    // What the folder holds besides the target: a leftover temporary would show.
    static QStringList entries(const QTemporaryDir& folder)
    {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
    }

    static QByteArray contentOf(const QString& path)
    {
        return SpecialFiles::typeOf(path) == "file" ? SpecialFiles::contentOf(path) : QByteArray();
    }

    // What is wrong after an export that starts with `start` was tried; empty
    // when the target is as it should be. `entriesBefore` is entries() taken
    // before the export.
    QString problemAfter(const QByteArray& start, const QStringList& entriesBefore, const QTemporaryDir& folder) const
    {
        const QString typeAfter = kind == "new" ? "file" : typeBefore;
        if (SpecialFiles::typeOf(path) != typeAfter)
            return kind + ": the target became a " + SpecialFiles::typeOf(path);
        QStringList expected = entriesBefore;
        if (!expected.contains("target") && !refused && kind != "250-byte name")
            expected << "target";
        expected.sort();
        if (entries(folder) != expected)
            return kind + ": the folder holds " + entries(folder).join(", ");
        if (refused)
            return typeBefore == "file" && contentOf(path) != before ? kind + ": the protected file changed" : QString();
        if (!contentOf(written).startsWith(start))
            return kind + ": the export is not in " + written;
        if (kind == "0600" && SpecialFiles::permissionsOf(written) != 0600)
            return kind + ": permissions became " + QString::number(SpecialFiles::permissionsOf(written), 8);
        return QString();
    }
};

#endif
