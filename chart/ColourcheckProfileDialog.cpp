#include "ColourcheckProfileDialog.h"

#include <KxModal.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

ColourcheckProfileDialog::ColourcheckProfileDialog(const QString& description, PrinterDevice device,
                                                   QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("make_profile_dialog"));
    setWindowTitle(tr("Make profile"));
    auto* form = new QFormLayout(this);
    const PrinterProfiler::Settings defaults;

    descriptionEdit = new QLineEdit(description, this);
    descriptionEdit->setObjectName(QStringLiteral("description_edit"));
    form->addRow(tr("Description"), descriptionEdit);
    inkLimitSpin = addPercentage("ink_limit_spin", InkLimits::LOWEST_TOTAL, InkLimits::HIGHEST_TOTAL,
                                 defaults.limits.total);
    form->addRow(tr("Total ink limit"), inkLimitSpin);
    blackLimitSpin = addPercentage("black_limit_spin", 0.0, 1.0, defaults.limits.black);
    form->addRow(tr("Black ink limit"), blackLimitSpin);

    // Entries in the order of BlackGeneration::Kind and ProfileQuality::Level.
    blackCombo = new QComboBox(this);
    blackCombo->setObjectName(QStringLiteral("black_generation_combo"));
    blackCombo->addItems({tr("None"), tr("Light"), tr("Medium"), tr("Heavy"), tr("Maximum")});
    blackCombo->setCurrentIndex(defaults.black);
    form->addRow(tr("Black generation"), blackCombo);
    if (device == PrinterDevice::Rgb)
        for (QWidget* inkOnly : {static_cast<QWidget*>(inkLimitSpin), static_cast<QWidget*>(blackLimitSpin),
                                 static_cast<QWidget*>(blackCombo)})
            form->setRowVisible(inkOnly, false);
    qualityCombo = new QComboBox(this);
    qualityCombo->setObjectName(QStringLiteral("quality_combo"));
    for (const QString& level : {tr("Low"), tr("Medium"), tr("High")}) {
        const auto needed = ProfileQuality::of(static_cast<ProfileQuality::Level>(qualityCombo->count())).minimumPatches;
        qualityCombo->addItem(tr("%1 (%2 different patches or more)").arg(level).arg(needed));
    }
    qualityCombo->setCurrentIndex(ProfileQuality::Medium);
    form->addRow(tr("Quality"), qualityCombo);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QSpinBox* ColourcheckProfileDialog::addPercentage(const char* objectName, double lowest, double highest, double value)
{
    auto* spin = new QSpinBox(this);
    spin->setObjectName(QString::fromLatin1(objectName));
    spin->setRange(int(lowest * 100.0), int(highest * 100.0));
    spin->setValue(int(value * 100.0 + 0.5));
    spin->setSuffix(tr(" %"));
    return spin;
}

PrinterProfiler::Settings ColourcheckProfileDialog::settings() const
{
    PrinterProfiler::Settings chosen;
    chosen.description = descriptionEdit->text().toStdString();
    chosen.copyright = PrinterProfiler::FREE_COPYRIGHT;
    chosen.limits.total = inkLimitSpin->value() / 100.0;
    chosen.limits.black = blackLimitSpin->value() / 100.0;
    chosen.black = static_cast<BlackGeneration::Kind>(blackCombo->currentIndex());
    chosen.quality = ProfileQuality::of(static_cast<ProfileQuality::Level>(qualityCombo->currentIndex()));
    return chosen;
}

bool ColourcheckProfileDialog::choose(QWidget* parent, const QString& description, PrinterDevice device,
                                      PrinterProfiler::Settings& settings)
{
    ColourcheckProfileDialog dialog(description, device, parent);
    if (!KxModal::current().runDialog(dialog))
        return false;
    settings = dialog.settings();
    return true;
}
