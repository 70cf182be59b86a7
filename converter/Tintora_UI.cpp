#include "Tintora_UI.h"

#include "KxWidgetUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QSlider* makeSlider(QWidget* parent, const char* name, int minimum, int maximum)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(minimum, maximum);
    return slider;
}

QSpinBox* makeSpin(QWidget* parent, const char* name, int minimum, int maximum)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setSingleStep(1);
    return spin;
}

QPushButton* makeButton(QWidget* parent, const char* name)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QComboBox* makeCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(false);
    return combo;
}

QGroupBox* makeGroup(QWidget* parent, const char* name)
{
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

// The column layout every titled group of the form uses.
template <class Layout>
Layout* makeGroupLayout(QGroupBox* group, const char* name)
{
    auto* layout = new Layout(group);
    layout->setObjectName(QString::fromLatin1(name));
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setSpacing(6);
    layout->setAlignment(Qt::AlignTop);
    return layout;
}

QGridLayout* makeGrid(QWidget* parent, const char* name, int margin, int spacing)
{
    auto* grid = new QGridLayout(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setContentsMargins(margin, margin, margin, margin);
    grid->setSpacing(spacing);
    return grid;
}

QSizePolicy policy(QSizePolicy::Policy horizontal, QSizePolicy::Policy vertical, int horizontalStretch = 0,
                   int verticalStretch = 0)
{
    QSizePolicy sizePolicy(horizontal, vertical);
    sizePolicy.setHorizontalStretch(horizontalStretch);
    sizePolicy.setVerticalStretch(verticalStretch);
    return sizePolicy;
}

// One channel of an input colour: its caption, slider and spin box, each
// with its object name, and the channel's range.
struct InputChannel {
    QLabel*& caption;
    const char* captionName;
    QSlider*& slider;
    const char* sliderName;
    QSpinBox*& spin;
    const char* spinName;
    int minimum;
    int maximum;
};

// Makes the captions, then the sliders, then the spin boxes of an input's
// channels (the focus moves in that order), and lays them out a channel a
// row; the first row's slider takes the spare width.
void makeInputChannels(QWidget* parent, QGridLayout* grid, std::initializer_list<InputChannel> channels)
{
    for (const InputChannel& channel : channels)
        channel.caption = makeLabel(parent, channel.captionName);
    for (const InputChannel& channel : channels)
        channel.slider = makeSlider(parent, channel.sliderName, channel.minimum, channel.maximum);
    for (const InputChannel& channel : channels)
        channel.spin = makeSpin(parent, channel.spinName, channel.minimum, channel.maximum);
    channels.begin()->slider->setSizePolicy(policy(QSizePolicy::Expanding, QSizePolicy::Fixed, 1));
    channels.begin()->spin->setSizePolicy(policy(QSizePolicy::Minimum, QSizePolicy::Fixed));
    int row = 0;
    for (const InputChannel& channel : channels) {
        grid->addWidget(channel.caption, row, 0);
        grid->addWidget(channel.slider, row, 1);
        grid->addWidget(channel.spin, row, 2);
        ++row;
    }
}

// One channel of an output colour: its caption and the label that shows its
// value, each with its object name.
struct OutputChannel {
    QLabel*& caption;
    const char* captionName;
    QLabel*& value;
    const char* valueName;
};

// Makes the captions, then the value labels, of an output's channels and
// lays them out a channel a row; the first value takes the spare width.
void makeOutputChannels(QWidget* parent, QGridLayout* grid, std::initializer_list<OutputChannel> channels)
{
    for (const OutputChannel& channel : channels)
        channel.caption = makeLabel(parent, channel.captionName);
    for (const OutputChannel& channel : channels)
        channel.value = makeLabel(parent, channel.valueName);
    channels.begin()->value->setSizePolicy(policy(QSizePolicy::Preferred, QSizePolicy::Preferred, 1));
    int row = 0;
    for (const OutputChannel& channel : channels) {
        grid->addWidget(channel.caption, row, 0);
        grid->addWidget(channel.value, row, 1);
        ++row;
    }
}

} // namespace

Tintora_UI::Tintora_UI(QWidget* parent, const char* name, Qt::WindowFlags fl)
    : QWidget(parent, fl)
{
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("Form2"));

    Form2Layout = makeGrid(this, "Form2Layout", 11, 6);

    buildPreviewGroup();
    Form2Layout->addWidget(preview_group, 0, 1);

    monitor_icc_button = makeButton(this, "monitor_icc_button");
    Form2Layout->addWidget(monitor_icc_button, 1, 1);

    buildInputGroup();
    Form2Layout->addWidget(input_group, 0, 0);

    input_icc_button = makeButton(this, "input_icc_button");
    Form2Layout->addWidget(input_icc_button, 1, 0);
    output_icc_button = makeButton(this, "output_icc_button");
    Form2Layout->addWidget(output_icc_button, 1, 2);

    input_icc_label = makeLabel(this, "input_icc_label");
    monitor_icc_label = makeLabel(this, "monitor_icc_label");
    output_icc_label = makeLabel(this, "output_icc_label");
    int column = 0;
    for (QLabel* label : {input_icc_label, monitor_icc_label, output_icc_label}) {
        label->setSizePolicy(policy(QSizePolicy::Preferred, QSizePolicy::Preferred));
        label->setAlignment(Qt::AlignVCenter);
        label->setWordWrap(true);
        Form2Layout->addWidget(label, 2, column++);
    }

    buildOutputGroup();
    Form2Layout->addWidget(output_group, 0, 2);

    spectro_group = makeGroup(this, "spectro_group");
    Form2Layout->addWidget(spectro_group, 3, 0, 1, 3);

    languageChange();
    resize(QSize(748, 524).expandedTo(minimumSizeHint()));
    coupleSlidersWithSpinBoxes();
    setTabOrderChain();
}

void Tintora_UI::buildPreviewGroup()
{
    preview_group = makeGroup(this, "preview_group");
    preview_group->setSizePolicy(policy(QSizePolicy::Expanding, QSizePolicy::Preferred, 0, 1));
    preview_groupLayout = makeGroupLayout<QVBoxLayout>(preview_group, "preview_groupLayout");

    history_combo = makeCombo(preview_group, "history_combo");
    preview_groupLayout->addWidget(history_combo);

    pv_label = makeLabel(preview_group, "pv_label");
    pv_label->setSizePolicy(policy(QSizePolicy::Expanding, QSizePolicy::Expanding));
    pv_label->setAutoFillBackground(true);
    QPalette palette = pv_label->palette();
    palette.setColor(QPalette::Window, QColor(15, 170, 28));
    pv_label->setPalette(palette);
    pv_label->setAlignment(Qt::AlignCenter);
    preview_groupLayout->addWidget(pv_label);

    proof_label = makeLabel(preview_group, "proof_label");
    proof_label->setAlignment(Qt::AlignCenter);
    proof_label->setWordWrap(true); // a longer text does not widen the column
    preview_groupLayout->addWidget(proof_label);

    keep_button = makeButton(preview_group, "keep_button");
    preview_groupLayout->addWidget(keep_button);
}

void Tintora_UI::buildInputGroup()
{
    input_group = makeGroup(this, "input_group");
    input_group->setSizePolicy(policy(QSizePolicy::Expanding, QSizePolicy::Expanding, 0, 1));
    input_groupLayout = makeGroupLayout<QVBoxLayout>(input_group, "input_groupLayout");

    input_stack = new QStackedWidget(input_group);
    input_stack->setObjectName(QStringLiteral("input_stack"));
    buildRgbInputPage();
    buildCmykInputPage();
    input_groupLayout->addWidget(input_stack);

    instrument_tick = new QCheckBox(input_group);
    instrument_tick->setObjectName(QStringLiteral("instrument_tick"));
    input_groupLayout->addWidget(instrument_tick);

    buildLabInputGroup();
    input_groupLayout->addWidget(labin_group);
}

void Tintora_UI::buildRgbInputPage()
{
    WStackPage = new QWidget(input_stack);
    WStackPage->setObjectName(QStringLiteral("WStackPage"));
    WStackPageLayout = makeGrid(WStackPage, "WStackPageLayout", 11, 4);

    makeInputChannels(WStackPage, WStackPageLayout,
                      {{textLabel5_3, "textLabel5_3", r_slider, "r_slider", r_spin, "r_spin", 0, 255},
                       {textLabel5, "textLabel5", g_slider, "g_slider", g_spin, "g_spin", 0, 255},
                       {textLabel5_2, "textLabel5_2", b_slider, "b_slider", b_spin, "b_spin", 0, 255}});
    spacer1 = new QSpacerItem(206, 16, QSizePolicy::Expanding, QSizePolicy::Minimum);
    WStackPageLayout->addItem(spacer1, 3, 0, 1, 3);

    input_stack->addWidget(WStackPage);
}

void Tintora_UI::buildCmykInputPage()
{
    WStackPage_2 = new QWidget(input_stack);
    WStackPage_2->setObjectName(QStringLiteral("WStackPage_2"));
    WStackPageLayout_2 = makeGrid(WStackPage_2, "WStackPageLayout_2", 11, 6);

    makeInputChannels(WStackPage_2, WStackPageLayout_2,
                      {{textLabel5_3_2, "textLabel5_3_2", c_slider, "c_slider", c_spin, "c_spin", 0, 100},
                       {textLabel5_4, "textLabel5_4", m_slider, "m_slider", m_spin, "m_spin", 0, 100},
                       {textLabel5_2_2, "textLabel5_2_2", y_slider, "y_slider", y_spin, "y_spin", 0, 100},
                       {textLabel5_2_2_2, "textLabel5_2_2_2", k_slider, "k_slider", k_spin, "k_spin", 0, 100}});

    input_stack->addWidget(WStackPage_2);
}

void Tintora_UI::buildLabInputGroup()
{
    labin_group = makeGroup(input_group, "labin_group");
    labin_groupLayout = makeGroupLayout<QGridLayout>(labin_group, "labin_groupLayout");

    makeInputChannels(labin_group, labin_groupLayout,
                      {{labin_l_label, "labin_l_label", labin_l_slider, "labin_l_slider", labin_l_spin,
                        "labin_l_spin", 0, 100},
                       {labin_a_label, "labin_a_label", labin_a_slider, "labin_a_slider", labin_a_spin,
                        "labin_a_spin", -127, 127},
                       {labin_b_label, "labin_b_label", labin_b_slider, "labin_b_slider", labin_b_spin,
                        "labin_b_spin", -127, 127}});
}

void Tintora_UI::buildOutputGroup()
{
    output_group = makeGroup(this, "output_group");
    output_group->setSizePolicy(policy(QSizePolicy::Expanding, QSizePolicy::Preferred, 0, 1));
    output_groupLayout = makeGroupLayout<QGridLayout>(output_group, "output_groupLayout");

    output_stack = new QStackedWidget(output_group);
    output_stack->setObjectName(QStringLiteral("output_stack"));
    output_stack->setSizePolicy(policy(QSizePolicy::Preferred, QSizePolicy::Minimum));
    buildRgbOutputPage();
    buildCmykOutputPage();
    output_groupLayout->addWidget(output_stack, 0, 0);

    buildLabOutputGrid();
    output_groupLayout->addLayout(layout5, 0, 1);

    textLabel7 = makeLabel(output_group, "textLabel7");
    output_groupLayout->addWidget(textLabel7, 1, 0, 1, 2);
    rendering_combo = makeCombo(output_group, "rendering_combo");
    output_groupLayout->addWidget(rendering_combo, 2, 0, 1, 2);
    textLabel7_2 = makeLabel(output_group, "textLabel7_2");
    output_groupLayout->addWidget(textLabel7_2, 3, 0, 1, 2);
    accuracy_combo = makeCombo(output_group, "accuracy_combo");
    output_groupLayout->addWidget(accuracy_combo, 4, 0, 1, 2);

    spacer2 = new QSpacerItem(20, 1, QSizePolicy::Minimum, QSizePolicy::Expanding);
    output_groupLayout->addItem(spacer2, 5, 1);
}

void Tintora_UI::buildRgbOutputPage()
{
    WStackPage_3 = new QWidget(output_stack);
    WStackPage_3->setObjectName(QStringLiteral("WStackPage_3"));
    WStackPageLayout_3 = makeGrid(WStackPage_3, "WStackPageLayout_3", 11, 2);

    makeOutputChannels(WStackPage_3, WStackPageLayout_3,
                       {{textLabel5_3_2_2_2, "textLabel5_3_2_2_2", r_label, "r_label"},
                        {textLabel5_4_2_2, "textLabel5_4_2_2", g_label, "g_label"},
                        {textLabel5_2_2_3_2, "textLabel5_2_2_3_2", b_label, "b_label"}});
    spacer3 = new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Minimum);
    WStackPageLayout_3->addItem(spacer3, 3, 0, 1, 2);

    output_stack->addWidget(WStackPage_3);
}

void Tintora_UI::buildCmykOutputPage()
{
    WStackPage_4 = new QWidget(output_stack);
    WStackPage_4->setObjectName(QStringLiteral("WStackPage_4"));
    WStackPageLayout_4 = makeGrid(WStackPage_4, "WStackPageLayout_4", 11, 2);

    makeOutputChannels(WStackPage_4, WStackPageLayout_4,
                       {{textLabel5_3_2_2, "textLabel5_3_2_2", c_label, "c_label"},
                        {textLabel5_4_2, "textLabel5_4_2", m_label, "m_label"},
                        {textLabel5_2_2_3, "textLabel5_2_2_3", y_label, "y_label"},
                        {textLabel5_2_2_2_2, "textLabel5_2_2_2_2", k_label, "k_label"}});

    output_stack->addWidget(WStackPage_4);
}

void Tintora_UI::buildLabOutputGrid()
{
    // The grid has no widget of its own: its labels are children of the group.
    layout5 = new QGridLayout();
    layout5->setObjectName(QStringLiteral("layout5"));
    layout5->setContentsMargins(11, 11, 11, 11);
    layout5->setSpacing(2);

    makeOutputChannels(output_group, layout5,
                       {{textLabel5_3_2_2_3, "textLabel5_3_2_2_3", lab_l_label, "lab_l_label"},
                        {textLabel5_4_2_3, "textLabel5_4_2_3", lab_a_label, "lab_a_label"},
                        {textLabel5_2_2_3_3, "textLabel5_2_2_3_3", lab_b_label, "lab_b_label"}});

    textLabel1 = makeLabel(output_group, "textLabel1");
    textLabel1->setTextFormat(Qt::RichText);
    layout5->addWidget(textLabel1, 3, 0, 1, 2);

    // How far the output falls from the input colour; filled by the tool.
    gamut_label = makeLabel(output_group, "gamut_label");
    gamut_label->setWordWrap(true);
    layout5->addWidget(gamut_label, 4, 0, 1, 2);
}

void Tintora_UI::coupleSlidersWithSpinBoxes()
{
    const std::pair<QSlider*, QSpinBox*> pairs[] = {
        {b_slider, b_spin},           {c_slider, c_spin},           {g_slider, g_spin},
        {k_slider, k_spin},           {m_slider, m_spin},           {r_slider, r_spin},
        {y_slider, y_spin},           {labin_l_slider, labin_l_spin}, {labin_a_slider, labin_a_spin},
        {labin_b_slider, labin_b_spin}};
    for (const auto& [slider, spin] : pairs) {
        connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
        connect(spin, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    }
}

void Tintora_UI::setTabOrderChain()
{
    QWidget* const chain[] = {r_slider,        g_slider,         b_slider,        r_spin,
                              g_spin,          b_spin,           c_slider,        m_slider,
                              y_slider,        k_slider,         c_spin,          m_spin,
                              y_spin,          k_spin,           instrument_tick, history_combo,
                              keep_button,     rendering_combo,  input_icc_button, monitor_icc_button,
                              output_icc_button};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void Tintora_UI::languageChange()
{
    setWindowTitle(tr("Tintora"));

    preview_group->setTitle(tr("Preview"));
    history_combo->setAccessibleName(tr("Kept colours"));
    history_combo->setWhatsThis(tr("Shows a list of colours you have selected to keep. To preview a colour "
                                       "just select it from the pulldown list"));
    pv_label->setText(QString());
    pv_label->setWhatsThis(tr("This is the colour preview area. Select a monitor icc profile and then you can "
                                  "see how the colour looks. The printed result should look just like the monitor "
                                  "preview"));
    keep_button->setText(tr("Keep"));
    keep_button->setWhatsThis(tr("Allows you to keep the colour currently being previewed so that it can be "
                                     "reviewed again later"));

    input_icc_button->setText(tr("Select Input ICC ..."));
    input_icc_button->setWhatsThis(
        tr("Allows selection of an input profile. Supported profiles are Display(monitor), Input (scanner) "
               "and Ouput (printer) which are either RGB or CMYK.\nThe input profile determines whether the input "
               "box will display either RGB or CMYK values."));
    monitor_icc_button->setText(tr("Select Monitor ICC ..."));
    monitor_icc_button->setWhatsThis(
        tr("Allows selection of a monitor profile. Selecting the correct profile for your display allows "
               "accurate previewing of the input colour"));
    output_icc_button->setText(tr("Select Output ICC ..."));
    output_icc_button->setWhatsThis(
        tr("Allows selection of an output profile. Supported profiles are Display(monitor) and Ouput "
               "(printer) which are either RGB or CMYK.\nThe ouput profile determines whether the output box will "
               "display either RGB or CMYK values."));
    for (QLabel* label : {input_icc_label, monitor_icc_label, output_icc_label})
        label->setText(tr("Long_long_long_long_long_name.icc"));
    spectro_group->setTitle(tr("Spectrophotometer"));

    input_group->setTitle(tr("Input"));
    textLabel5_3->setText(tr("<b>R:</b>"));
    textLabel5->setText(tr("<b>G:</b>"));
    textLabel5_2->setText(tr("<b>B:</b>"));

    const struct { QLabel* label; QSlider* slider; QSpinBox* spin; const char* text; const char* whatsThis; }
        cmykRows[] = {
            {textLabel5_3_2, c_slider, c_spin, QT_TR_NOOP("<b>C:</b>"), QT_TR_NOOP("The cyan value to convert")},
            {textLabel5_4, m_slider, m_spin, QT_TR_NOOP("<b>M:</b>"), QT_TR_NOOP("The magenta value to convert")},
            {textLabel5_2_2, y_slider, y_spin, QT_TR_NOOP("<b>Y:</b>"), QT_TR_NOOP("The yellow value to convert")},
            {textLabel5_2_2_2, k_slider, k_spin, QT_TR_NOOP("<b>K:</b>"), QT_TR_NOOP("The black value to convert")}};
    for (const auto& row : cmykRows) {
        row.label->setText(tr(row.text));
        const QString whatsThis = tr(row.whatsThis);
        row.label->setWhatsThis(whatsThis);
        row.slider->setWhatsThis(whatsThis);
        row.spin->setWhatsThis(whatsThis);
    }
    instrument_tick->setText(tr("Enable instrument"));

    labin_group->setTitle(tr("Lab Input"));
    labin_l_label->setText(tr("<b>L:</b>"));
    labin_a_label->setText(tr("<b>a:</b>"));
    labin_b_label->setText(tr("<b>b:</b>"));

    output_group->setTitle(tr("Output"));
    const struct { QLabel* caption; const char* text; const char* whatsThis; } captions[] = {
        {textLabel5_3_2_2_2, QT_TR_NOOP("<b>R:</b>"), QT_TR_NOOP("The converted red value")},
        {textLabel5_4_2_2, QT_TR_NOOP("<b>G:</b>"), QT_TR_NOOP("The converted green value")},
        {textLabel5_2_2_3_2, QT_TR_NOOP("<b>B:</b>"), QT_TR_NOOP("The converted blue value")},
        {textLabel5_3_2_2, QT_TR_NOOP("<b>C:</b>"), QT_TR_NOOP("The converted cyan value")},
        {textLabel5_4_2, QT_TR_NOOP("<b>M:</b>"), QT_TR_NOOP("The converted magenta value")},
        {textLabel5_2_2_3, QT_TR_NOOP("<b>Y:</b>"), QT_TR_NOOP("The converted yellow value")},
        {textLabel5_2_2_2_2, QT_TR_NOOP("<b>K:</b>"), QT_TR_NOOP("The converted black value")},
        {textLabel5_3_2_2_3, QT_TR_NOOP("<b>L:</b>"),
         QT_TR_NOOP("The L value of the input colour as measured under a  D50 illuminant")},
        {textLabel5_4_2_3, QT_TR_NOOP("<b>a:</b>"),
         QT_TR_NOOP("The a value of the input colour as measured under a  D50 illuminant")},
        {textLabel5_2_2_3_3, QT_TR_NOOP("<b>b:</b>"),
         QT_TR_NOOP("The b value of the input colour as measured under a  D50 illuminant")}};
    for (const auto& caption : captions) {
        caption.caption->setText(tr(caption.text));
        caption.caption->setWhatsThis(tr(caption.whatsThis));
    }
    for (QLabel* value : {r_label, g_label, b_label, c_label, m_label, y_label, k_label, lab_l_label, lab_a_label,
                          lab_b_label})
        value->setText(tr("value"));
    textLabel1->setText(tr("D50 (2&#176;)"));

    textLabel7->setText(tr("Rendering Intent:"));
    rendering_combo->clear();
    rendering_combo->addItem(tr("Perceptual"));
    rendering_combo->addItem(tr("Colorimetric"));
    rendering_combo->addItem(tr("Saturation"));
    rendering_combo->addItem(tr("Absolute Colorimetric"));
    rendering_combo->setWhatsThis(tr("Selects the rendering intent to use when converting from input to output"));
    textLabel7_2->setText(tr("Interpolation Accuracy:"));
    accuracy_combo->clear();
    accuracy_combo->addItem(tr("Faster"));
    accuracy_combo->addItem(tr("Better"));
    nameInputControls();
}

void Tintora_UI::nameInputControls()
{
    const struct { QLabel* caption; QWidget* spin; QWidget* slider; } rows[] = {
        {textLabel5_3, r_spin, r_slider},           {textLabel5, g_spin, g_slider},
        {textLabel5_2, b_spin, b_slider},           {textLabel5_3_2, c_spin, c_slider},
        {textLabel5_4, m_spin, m_slider},           {textLabel5_2_2, y_spin, y_slider},
        {textLabel5_2_2_2, k_spin, k_slider},       {labin_l_label, labin_l_spin, labin_l_slider},
        {labin_a_label, labin_a_spin, labin_a_slider}, {labin_b_label, labin_b_spin, labin_b_slider}};
    for (const auto& row : rows)
        KxWidgetUtil::nameAfterCaption(row.caption, {row.spin, row.slider});
    KxWidgetUtil::nameAfterCaption(textLabel7, {rendering_combo});
    KxWidgetUtil::nameAfterCaption(textLabel7_2, {accuracy_combo});
}
