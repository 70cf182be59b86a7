#include "ColourcheckProfileMadeDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

ColourcheckProfileMadeDialog::ColourcheckProfileMadeDialog(const QString& text, const Offers& available,
                                                           QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("profile_made_dialog"));
    setWindowTitle(tr("Make profile"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    layout->addWidget(label);
    outputProfileBox = new QCheckBox(tr("Use it as the output profile"), this);
    outputProfileBox->setObjectName(QStringLiteral("output_profile_box"));
    outputProfileBox->setEnabled(available.outputProfile);
    layout->addWidget(outputProfileBox);
    gamutComparisonBox = new QCheckBox(tr("Show its gamut beside the gamut of the chart's profile"), this);
    gamutComparisonBox->setObjectName(QStringLiteral("gamut_comparison_box"));
    gamutComparisonBox->setEnabled(available.gamutComparison);
    layout->addWidget(gamutComparisonBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

ColourcheckProfileMadeDialog::Offers ColourcheckProfileMadeDialog::chosen() const
{
    Offers offers;
    offers.outputProfile = outputProfileBox->isEnabled() && outputProfileBox->isChecked();
    offers.gamutComparison = gamutComparisonBox->isEnabled() && gamutComparisonBox->isChecked();
    return offers;
}
