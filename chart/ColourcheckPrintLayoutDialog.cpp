#include "ColourcheckPrintLayoutDialog.h"

#include "ChartPrintLayout.h"

#include <KxModal.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// The paper combo box lists the named sizes, then this entry.
int customEntry()
{
    return static_cast<int>(ChartPaper::named().size());
}

} // namespace

ColourcheckPrintLayoutDialog::ColourcheckPrintLayoutDialog(const ChartPrintSettings& settings,
                                                           unsigned long patches, QWidget* parent)
    : QDialog(parent), patchCount(patches)
{
    setObjectName(QStringLiteral("print_layout_dialog"));
    setWindowTitle(tr("Print layout"));
    auto* form = new QFormLayout(this);

    paperCombo = new QComboBox(this);
    paperCombo->setObjectName(QStringLiteral("paper_combo"));
    int chosen = customEntry();
    for (const ChartPaper& paper : ChartPaper::named()) {
        if (paper.name == settings.paper.name)
            chosen = paperCombo->count();
        paperCombo->addItem(QString::fromStdString(paper.name));
    }
    paperCombo->addItem(tr("Custom size"));
    form->addRow(tr("Paper"), paperCombo);

    widthSpin = addLength("width_spin", ChartPaper::MINIMUM_SIDE_MM, ChartPaper::MAXIMUM_SIDE_MM,
                          settings.paper.widthMm);
    form->addRow(tr("Paper width"), widthSpin);
    heightSpin = addLength("height_spin", ChartPaper::MINIMUM_SIDE_MM, ChartPaper::MAXIMUM_SIDE_MM,
                           settings.paper.heightMm);
    form->addRow(tr("Paper height"), heightSpin);
    patchSpin = addLength("patch_spin", ChartPrintSettings::MINIMUM_PATCH_MM, ChartPrintSettings::MAXIMUM_PATCH_MM,
                          settings.patchMm);
    form->addRow(tr("Patch size"), patchSpin);
    gapSpin = addLength("gap_spin", 0, ChartPrintSettings::MAXIMUM_GAP_MM, settings.gapMm);
    form->addRow(tr("Gap between patches"), gapSpin);
    marginSpin = addLength("margin_spin", 0, ChartPrintSettings::MAXIMUM_MARGIN_MM, settings.marginMm);
    form->addRow(tr("Page margin"), marginSpin);

    fitLabel = new QLabel(this);
    fitLabel->setObjectName(QStringLiteral("fit_label"));
    form->addRow(fitLabel);
    auto* notice = new QLabel(tr("Print the chart without colour management, so that the printer receives the "
                                 "chart's ink values unchanged."),
                              this);
    notice->setWordWrap(true);
    form->addRow(notice);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    paperCombo->setCurrentIndex(chosen);
    showPaper();
    connect(paperCombo, &QComboBox::currentIndexChanged, this, &ColourcheckPrintLayoutDialog::showPaper);
    for (QDoubleSpinBox* spin : {widthSpin, heightSpin, patchSpin, gapSpin, marginSpin})
        connect(spin, &QDoubleSpinBox::valueChanged, this, &ColourcheckPrintLayoutDialog::showFit);
}

QDoubleSpinBox* ColourcheckPrintLayoutDialog::addLength(const char* objectName, double minimum, double maximum,
                                                        double value)
{
    auto* spin = new QDoubleSpinBox(this);
    spin->setObjectName(QString::fromLatin1(objectName));
    spin->setDecimals(1);
    spin->setSingleStep(0.5);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setSuffix(tr(" mm"));
    return spin;
}

ChartPrintSettings ColourcheckPrintLayoutDialog::settings() const
{
    ChartPrintSettings chosen;
    const int paper = paperCombo->currentIndex();
    if (paper >= 0 && paper < customEntry())
        chosen.paper = ChartPaper::named()[static_cast<std::size_t>(paper)];
    else
        chosen.paper = ChartPaper::custom(widthSpin->value(), heightSpin->value());
    chosen.patchMm = patchSpin->value();
    chosen.gapMm = gapSpin->value();
    chosen.marginMm = marginSpin->value();
    return chosen;
}

void ColourcheckPrintLayoutDialog::showPaper()
{
    const int paper = paperCombo->currentIndex();
    const bool custom = paper == customEntry();
    if (!custom && paper >= 0) {
        const ChartPaper& named = ChartPaper::named()[static_cast<std::size_t>(paper)];
        const QSignalBlocker widthQuiet(widthSpin);
        const QSignalBlocker heightQuiet(heightSpin);
        widthSpin->setValue(named.widthMm);
        heightSpin->setValue(named.heightMm);
    }
    widthSpin->setEnabled(custom);
    heightSpin->setEnabled(custom);
    showFit();
}

void ColourcheckPrintLayoutDialog::showFit()
{
    const ChartPrintSettings chosen = settings();
    std::string whyNot;
    const bool fits = ChartPrintLayout::check(chosen, whyNot);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(fits);
    if (!fits) {
        fitLabel->setText(tr("Not one patch fits on this paper with these sizes."));
        return;
    }
    const ChartPrintLayout layout(chosen, patchCount);
    if (layout.pages() == 1)
        fitLabel->setText(tr("%1 columns and %2 rows a page: one page for %3 patches")
                              .arg(layout.columns())
                              .arg(layout.rows())
                              .arg(layout.patches()));
    else
        fitLabel->setText(tr("%1 columns and %2 rows a page: %3 pages for %4 patches")
                              .arg(layout.columns())
                              .arg(layout.rows())
                              .arg(layout.pages())
                              .arg(layout.patches()));
}

bool ColourcheckPrintLayoutDialog::choose(QWidget* parent, unsigned long patches, ChartPrintSettings& settings)
{
    ColourcheckPrintLayoutDialog dialog(settings, patches, parent);
    if (!KxModal::current().runDialog(dialog))
        return false;
    settings = dialog.settings();
    return true;
}
