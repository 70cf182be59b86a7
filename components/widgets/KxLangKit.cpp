#include "KxLangKit.h"

#include <QActionGroup>
#include <QCollator>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Language = std::pair<QString, QString>; // native name, code

// The languages whose translation files are in the folder, sorted by name.
std::vector<Language> languagesIn(const QString& folder, const QString& prefix)
{
    std::vector<Language> languages;
    const QString stem = prefix + "_";
    const QStringList files = QDir(folder).entryList({stem + "*.qm"}, QDir::Files | QDir::Readable);
    for (const QString& file : files) {
        const QString code = file.mid(stem.size(), file.size() - stem.size() - 3);
        const QString name = KxLangKit::nativeName(code);
        if (!name.isEmpty())
            languages.emplace_back(name, code);
    }
    QCollator collator(QLocale::c());
    std::sort(languages.begin(), languages.end(),
              [&](const Language& x, const Language& y) { return collator.compare(x.first, y.first) < 0; });
    return languages;
}

// The code of a language given by its own name, from the files present or,
// failing that, from every language the toolkit knows.
QString codeOf(const QString& name, const QString& folder, const QString& prefix)
{
    for (const Language& language : languagesIn(folder, prefix))
        if (language.first == name)
            return language.second;
    for (int value = QLocale::AnyLanguage + 1; value <= QLocale::LastLanguage; ++value) {
        const QLocale locale(static_cast<QLocale::Language>(value));
        if (locale.language() != value)
            continue;
        const QString code = locale.name().section('_', 0, 0);
        if (KxLangKit::nativeName(code) == name)
            return code;
    }
    return QString();
}

} // namespace

QString KxLangKit::builtinLanguageName()
{
    return QStringLiteral("English");
}

QString KxLangKit::nativeName(const QString& code)
{
    const QLocale locale(code);
    if (locale.language() == QLocale::C)
        return QString();
    QString name = locale.nativeLanguageName();
    if (!name.isEmpty())
        name[0] = locale.toUpper(name.left(1)).at(0);
    return name;
}

QMenu* KxLangKit::addLangMenu(QMenuBar* menuBar, const char* prefix, const char* folder)
{
    const std::vector<Language> languages = languagesIn(QFile::decodeName(folder), QString::fromUtf8(prefix));
    if (languages.empty())
        return nullptr;
    auto* menu = new QMenu(menuBar);
    auto* group = new QActionGroup(menu);
    QStringList names{builtinLanguageName()};
    for (const Language& language : languages)
        names << language.first;
    for (int id = 0; id < names.size(); ++id) {
        QAction* action = menu->addAction(names.at(id));
        action->setCheckable(true);
        action->setData(id);
        group->addAction(action);
    }
    return menu;
}

void KxLangKit::updateLangMenuTicks(QMenu* menu, const std::string& choice)
{
    if (!menu)
        return;
    const QString text = QString::fromStdString(choice);
    for (QAction* action : menu->actions())
        if (action->text() == text)
            action->setChecked(true);
}

QString KxLangKit::langMenuStringToLangFile(const std::string& choice, const char* prefix, const char* folder)
{
    const QString name = QString::fromStdString(choice);
    if (name.isEmpty() || name == builtinLanguageName())
        return QString();
    const QString folderName = QFile::decodeName(folder);
    const QString stem = QString::fromUtf8(prefix);
    QString code = codeOf(name, folderName, stem);
    if (code.isEmpty())
        code = name; // an unknown language: a file that will not load
    return folderName + "/" + stem + "_" + code;
}
