#include "InstrumentPanel.h"

#include "KxComboColour.h"
#include "KxRegistry.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox* makeLabSpin(QWidget* parent, const char* name, double minimum, double maximum)
{
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setDecimals(2);
    spin->setSingleStep(0.5);
    return spin;
}

QLabel* makeCaption(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::RichText);
    return label;
}

// Reads a number stored by saveRegistry; anything else keeps fallback.
double storedNumber(const std::string& text, double fallback)
{
    bool ok = false;
    const double value = QString::fromStdString(text).toDouble(&ok);
    return ok ? value : fallback;
}

} // namespace

InstrumentPanel::InstrumentPanel(QGroupBox* parent, bool showAdd)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("instrument_panel"));

    // Measured colours can lie outside the range a conversion form accepts.
    lSpin = makeLabSpin(this, "reading_l_spin", 0.0, 100.0);
    aSpin = makeLabSpin(this, "reading_a_spin", -200.0, 200.0);
    bSpin = makeLabSpin(this, "reading_b_spin", -200.0, 200.0);
    lSpin->setValue(50.0);

    readButton = new QPushButton(tr("Read"), this);
    readButton->setObjectName(QStringLiteral("read_button"));
    readButton->setWhatsThis(tr("Delivers the L, a, b reading shown beside it"));
    connect(readButton, &QPushButton::clicked, this, &InstrumentPanel::read);

    addCheck = new QCheckBox(tr("Add each reading to the kept colours"), this);
    addCheck->setObjectName(QStringLiteral("add_check"));

    patchLabel = new QLabel(this);
    patchLabel->setObjectName(QStringLiteral("patch_label"));
    patchLabel->hide();

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(makeCaption(this, tr("<b>L:</b>")));
    row->addWidget(lSpin);
    row->addWidget(makeCaption(this, tr("<b>a:</b>")));
    row->addWidget(aSpin);
    row->addWidget(makeCaption(this, tr("<b>b:</b>")));
    row->addWidget(bSpin);
    row->addWidget(readButton);
    row->addWidget(addCheck);
    row->addStretch(1);
    row->addWidget(patchLabel);

    if (!parent->layout())
        new QVBoxLayout(parent);
    parent->layout()->addWidget(this);

    showAddMode(showAdd);
}

bool InstrumentPanel::isAddMode() const
{
    return addOffered && addCheck->isChecked();
}

void InstrumentPanel::showAddMode(bool show)
{
    addOffered = show;
    addCheck->setVisible(show);
}

void InstrumentPanel::setMode(INSTRUMENT_MODE mode)
{
    currentMode = mode;
    showNextPatch();
}

void InstrumentPanel::setComboChart(KxCOMBOCOLOUR* first, unsigned long current)
{
    chart.clear();
    for (const KxCOMBOCOLOUR* record = first; record; record = record->next)
        chart.push_back({QString::fromUtf8(record->name ? record->name : ""), record->L, record->a, record->b});
    next = chart.empty() ? 0 : current;
    showNextPatch();
}

void InstrumentPanel::loadRegistry(KxRegistry& registry, std::string section, std::string key)
{
    addCheck->setChecked(registry.getlong(section, key + "_add") != 0);
    lSpin->setValue(storedNumber(registry.getstring(section, key + "_L"), lSpin->value()));
    aSpin->setValue(storedNumber(registry.getstring(section, key + "_a"), aSpin->value()));
    bSpin->setValue(storedNumber(registry.getstring(section, key + "_b"), bSpin->value()));
}

void InstrumentPanel::saveRegistry(KxRegistry& registry, std::string section, std::string key)
{
    registry.putlong(section, key + "_add", addCheck->isChecked() ? 1 : 0);
    // QString::number writes in the "C" locale, so the file reads back anywhere.
    registry.putstring(section, key + "_L", QString::number(lSpin->value()).toStdString());
    registry.putstring(section, key + "_a", QString::number(aSpin->value()).toStdString());
    registry.putstring(section, key + "_b", QString::number(bSpin->value()).toStdString());
}

void InstrumentPanel::read()
{
    emit spotLab(lSpin->value(), aSpin->value(), bSpin->value());
    if (currentMode == MODE_CHART && next < chart.size()) {
        ++next;
        showNextPatch();
    }
}

void InstrumentPanel::showNextPatch()
{
    patchLabel->setVisible(currentMode == MODE_CHART);
    if (chart.empty()) {
        patchLabel->setText(tr("No chart"));
        patchLabel->setToolTip(QString());
    } else if (next >= chart.size()) {
        patchLabel->setText(tr("All %1 patches read").arg(chart.size()));
        patchLabel->setToolTip(QString());
    } else {
        const ChartPatch& patch = chart[next];
        patchLabel->setText(tr("%1 of %2").arg(patch.name).arg(chart.size()));
        patchLabel->setToolTip(tr("Expected L %1, a %2, b %3")
                                   .arg(patch.L, 0, 'f', 1)
                                   .arg(patch.a, 0, 'f', 1)
                                   .arg(patch.b, 0, 'f', 1));
    }
}
