// The tool as a Linux desktop program: its input controls carry names for
// assistive technology, and the profile dialogs start in the desktop's ICC
// profile folders when no folder is remembered, listing them in the side bar.
#include "InstrumentPanel.h"
#include "KxModal.h"
#include "KxRegistry.h"
#include "ScriptedModal.h"
#include "Tintora.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

const QString SystemIccFolder = QStringLiteral("/usr/share/color/icc");

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

class TestDesktopManners : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void spinBoxesAreNamedByTheirCaptions();
    void everyInputControlHasAName();
    void profileDialogsStartInTheIccFolders_data();
    void profileDialogsStartInTheIccFolders();
    void fileDialogsListTheIccFoldersInTheirSideBar();

private:
    std::unique_ptr<QTemporaryDir> dataHome;
};

void TestDesktopManners::init()
{
    dataHome = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(dataHome->path()).mkpath("icc"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome->path()));
}

void TestDesktopManners::cleanup()
{
    qunsetenv("XDG_DATA_HOME");
    dataHome.reset();
}

void TestDesktopManners::spinBoxesAreNamedByTheirCaptions()
{
    KxRegistry registry;
    Tintora tool(registry);
    const struct { const char* objectName; const char* name; } expected[] = {
        {"r_spin", "R"},           {"g_spin", "G"},           {"b_spin", "B"},
        {"c_spin", "C"},           {"m_spin", "M"},           {"y_spin", "Y"},
        {"k_spin", "K"},           {"labin_l_spin", "L"},     {"labin_a_spin", "a"},
        {"labin_b_spin", "b"},     {"reading_l_spin", "L"},   {"reading_a_spin", "a"},
        {"reading_b_spin", "b"},   {"difference_spin", "Difference"}, {"seed_spin", "Seed"},
        {"sim_c_spin", "C"},       {"sim_m_spin", "M"},       {"sim_y_spin", "Y"},
        {"sim_k_spin", "K"}};
    for (const auto& spin : expected) {
        auto* widget = tool.findChild<QAbstractSpinBox*>(spin.objectName);
        QVERIFY2(widget, spin.objectName);
        const QString name = accessibleName(widget);
        qInfo("%s: \"%s\"", spin.objectName, qPrintable(name));
        QCOMPARE(name, QString::fromLatin1(spin.name));
    }
    // The caption is the spin box's buddy, so its mnemonic and its reader both lead there.
    QCOMPARE(tool.textLabel5_3->buddy(), static_cast<QWidget*>(tool.r_spin));
}

void TestDesktopManners::everyInputControlHasAName()
{
    KxRegistry registry;
    Tintora tool(registry);
    QList<QWidget*> controls;
    for (QWidget* widget : tool.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QAbstractSlider*>(widget)
            || qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget)
            || qobject_cast<QAbstractButton*>(widget))
            controls << widget;
    }
    QVERIFY(controls.size() > 30);
    for (QWidget* control : controls) {
        // A spin box's own line edit is part of the spin box, named through it.
        if (qobject_cast<QAbstractSpinBox*>(control->parentWidget()))
            continue;
        QVERIFY2(!accessibleName(control).trimmed().isEmpty(), qPrintable(control->objectName()));
    }
}

void TestDesktopManners::profileDialogsStartInTheIccFolders_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("input") << "input_icc_button";
    QTest::newRow("output") << "output_icc_button";
    QTest::newRow("monitor") << "monitor_icc_button";
}

void TestDesktopManners::profileDialogsStartInTheIccFolders()
{
    QFETCH(QString, button);
    ScriptedModal modal;
    KxRegistry registry;
    const QString userFolder = QDir::cleanPath(dataHome->path() + "/icc");
    {
        Tintora tool(registry);
        modal.cancel();
        tool.findChild<QPushButton*>(button)->click();
        QCOMPARE(modal.requests.back().text, userFolder);

        // Without the user's folder, the system's.
        QVERIFY(QDir(userFolder).removeRecursively());
        modal.cancel();
        tool.findChild<QPushButton*>(button)->click();
        QCOMPARE(modal.requests.back().text, SystemIccFolder);
    }
    // Cancelling remembered nothing; a folder remembered wins over the ICC folders.
    QCOMPARE(registry.getstring("tintora", "lastdir_icc"), std::string());
    registry.putstring("tintora", "lastdir_icc", "/tmp");
    Tintora tool(registry);
    modal.cancel();
    tool.findChild<QPushButton*>(button)->click();
    QCOMPARE(modal.requests.back().text, QStringLiteral("/tmp"));
    QCOMPARE(modal.unanswered, 0);
}

void TestDesktopManners::fileDialogsListTheIccFoldersInTheirSideBar()
{
    QList<QUrl> sideBar;
    QString startedIn;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        sideBar = dialog->sidebarUrls();
        startedIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    KxQtModal dialogs;
    QWidget parent;
    QVERIFY(dialogs.getOpenProfileName(&parent, "Choose", QString()).isNull());
    QCOMPARE(startedIn, QDir::cleanPath(dataHome->path() + "/icc"));
    QVERIFY(sideBar.contains(QUrl::fromLocalFile(QDir::cleanPath(dataHome->path() + "/icc"))));
    QVERIFY(sideBar.contains(QUrl::fromLocalFile(SystemIccFolder)));
}

QTEST_MAIN(TestDesktopManners)
#include "test_desktop_manners.moc"
