#include "ChartFileFolders.h"

#include <KxRegistry.h>
#include <KxSettingsKeys.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

// Settings keys, by Kind.
const KxSettingsKey* const KEYS[] = {&KxSettings::CHART_POSTSCRIPT_FOLDER, &KxSettings::CHART_TARGET_FOLDER,
                                     &KxSettings::CHART_MEASUREMENTS_FOLDER, &KxSettings::CHART_PDF_FOLDER,
                                     &KxSettings::CHART_TI1_FOLDER};

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

QString translated(const char* text)
{
    return QCoreApplication::translate("Colourcheck", text);
}

} // namespace

ChartFileFolders::ChartFileFolders(std::shared_ptr<KxRegistry> registry)
    : m_registry(std::move(registry))
{
}

QString ChartFileFolders::startFolder(Kind kind) const
{
    const QString folder = QString::fromUtf8(m_registry->getstring(*KEYS[kind]));
    return folder.isEmpty() ? documentsFolder() : folder;
}

void ChartFileFolders::remember(Kind kind, const QString& folder)
{
    m_registry->putstring(*KEYS[kind], folder.toUtf8().toStdString());
}

QString ChartFileFolders::filter(Kind kind)
{
    const char* const own = kind == PostScript     ? QT_TRANSLATE_NOOP("Colourcheck", "PostScript (*.ps)")
                            : kind == PrintLayout  ? QT_TRANSLATE_NOOP("Colourcheck", "PDF (*.pdf)")
                            : kind == ArgyllTarget ? QT_TRANSLATE_NOOP("Colourcheck", "Argyll target (*.ti1)")
                                                   : QT_TRANSLATE_NOOP("Colourcheck", "CGATS (*.txt *.cgats *.ti3)");
    return translated(own) + QStringLiteral(";;") + translated(QT_TRANSLATE_NOOP("Colourcheck", "All files (*)"));
}
