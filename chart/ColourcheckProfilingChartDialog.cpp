#include "ColourcheckProfilingChartDialog.h"

#include "ChartPatchCount.h"
#include "ChartProfilingSampler.h"

#include <KxModal.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

ColourcheckProfilingChartDialog::ColourcheckProfilingChartDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("profiling_chart_dialog"));
    setWindowTitle(tr("Profiling chart"));
    auto* form = new QFormLayout(this);

    // Entries in the order of Source.
    sourceCombo = new QComboBox(this);
    sourceCombo->setObjectName(QStringLiteral("source_combo"));
    sourceCombo->addItems({tr("The printer's profile, CMYK or RGB (chosen next)"),
                           tr("No profile: a CMYK printer, spread evenly over its inks"),
                           tr("No profile: an RGB printer, spread evenly over its R, G, B values")});
    form->addRow(tr("Spread the patches by"), sourceCombo);

    countSpin = new QSpinBox(this);
    countSpin->setObjectName(QStringLiteral("count_spin"));
    countSpin->setRange(ChartPatchCount::MINIMUM, ChartPatchCount::COMMAND_LINE_MAXIMUM);
    countSpin->setValue(ChartPatchCount::PROFILING_DEFAULT);
    form->addRow(tr("Number of patches"), countSpin);

    inkLimitSpin = new QSpinBox(this);
    inkLimitSpin->setObjectName(QStringLiteral("ink_limit_spin"));
    inkLimitSpin->setRange(ChartProfilingSampler::LEAST_INK_LIMIT, ChartProfilingSampler::MOST_INK_LIMIT);
    inkLimitSpin->setSingleStep(5);
    inkLimitSpin->setValue(ChartProfilingSampler::MOST_INK_LIMIT);
    inkLimitSpin->setSuffix(tr(" %"));
    // An RGB printer's driver keeps its own.
    form->addRow(tr("Ink limit (CMYK)"), inkLimitSpin);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

ColourcheckProfilingChartDialog::Choice ColourcheckProfilingChartDialog::choice() const
{
    return {static_cast<Source>(sourceCombo->currentIndex()), countSpin->value(), inkLimitSpin->value()};
}

bool ColourcheckProfilingChartDialog::choose(QWidget* parent, Choice& choice)
{
    ColourcheckProfilingChartDialog dialog(parent);
    if (!KxModal::current().runDialog(dialog))
        return false;
    choice = dialog.choice();
    return true;
}
