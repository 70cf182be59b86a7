#include "ColourcheckToleranceDialog.h"

#include <KxModal.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace {

constexpr double LARGEST_LIMIT = 100.0;

} // namespace

ColourcheckToleranceDialog::ColourcheckToleranceDialog(const ChartTolerance& tolerance, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("tolerance dialog"));
    setWindowTitle(tr("Own tolerance"));
    auto* form = new QFormLayout(this);
    metricCombo = new QComboBox(this);
    metricCombo->setObjectName(QStringLiteral("tolerance metric"));
    metricCombo->addItem(QString::fromLatin1(ChartTolerance::metricName(ChartDifference::DeltaE76)));
    metricCombo->addItem(QString::fromLatin1(ChartTolerance::metricName(ChartDifference::DeltaE2000)));
    metricCombo->setCurrentIndex(tolerance.metric == ChartDifference::DeltaE2000 ? 1 : 0);
    form->addRow(tr("Colour difference"), metricCombo);
    const QString labels[ChartTolerance::LIMIT_COUNT] = {tr("Mean at most"), tr("Maximum at most"),
                                                         tr("95th percentile at most"), tr("Paper white at most"),
                                                         tr("Each solid (C, M, Y, K 100) at most"),
                                                         tr("Black solid (K 100), if not as the others, at most")};
    for (int limit = 0; limit < ChartTolerance::LIMIT_COUNT; ++limit) {
        auto* spin = new QDoubleSpinBox(this);
        spin->setObjectName(QStringLiteral("tolerance ") + QString::fromLatin1(ChartTolerance::limitKey(
                                                              static_cast<ChartTolerance::Limit>(limit))));
        spin->setRange(0.0, LARGEST_LIMIT);
        spin->setDecimals(2);
        spin->setSingleStep(0.5);
        spin->setSpecialValueText(tr("none"));
        spin->setValue(tolerance.limits[limit].value_or(0.0));
        form->addRow(labels[limit], spin);
        limitSpins[limit] = spin;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

ChartTolerance ColourcheckToleranceDialog::tolerance() const
{
    ChartTolerance own;
    own.metric = metricCombo->currentIndex() == 1 ? ChartDifference::DeltaE2000 : ChartDifference::DeltaE76;
    for (int limit = 0; limit < ChartTolerance::LIMIT_COUNT; ++limit)
        if (limitSpins[limit]->value() > 0.0)
            own.limits[limit] = limitSpins[limit]->value();
    return own;
}

bool ColourcheckToleranceDialog::choose(QWidget* parent, ChartTolerance& tolerance)
{
    ColourcheckToleranceDialog dialog(tolerance, parent);
    if (!KxModal::current().runDialog(dialog))
        return false;
    const ChartTolerance chosen = dialog.tolerance();
    if (!chosen.hasLimits())
        return false;
    tolerance = chosen;
    return true;
}
