// The conversion form on its own: structure, ranges, texts, couplings and
// tab order, as a user and the tool find them.
#include "Tintora_UI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

class TestToolForm : public QObject
{
    Q_OBJECT

private slots:
    void namesAndDefaultName();
    void threeColumnsAndInstrumentRow();
    void rangesOfSlidersAndSpinBoxes();
    void slidersAndSpinBoxesFollowEachOther();
    void freshFormShowsPlaceholders();
    void comboItemsComeBackOnLanguageChange();
    void whatsThisTexts();
    void sizePolicies();
    void tabOrderChain();
};

class ExposedForm : public Tintora_UI
{
public:
    using Tintora_UI::Form2Layout;
    using Tintora_UI::languageChange;
    using Tintora_UI::layout5;
    using Tintora_UI::output_groupLayout;
};

void TestToolForm::namesAndDefaultName()
{
    Tintora_UI form;
    QCOMPARE(form.objectName(), QStringLiteral("Form2"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Tintora"));
    Tintora_UI named(nullptr, "tool");
    QCOMPARE(named.objectName(), QStringLiteral("tool"));

    const QList<QObject*> members = {form.r_spin, form.labin_b_slider, form.output_stack, form.WStackPage_4,
                                     form.textLabel5_2_2_3_3, form.spectro_group, form.pv_label};
    const QStringList names = {"r_spin", "labin_b_slider", "output_stack", "WStackPage_4",
                               "textLabel5_2_2_3_3", "spectro_group", "pv_label"};
    for (int i = 0; i < members.size(); ++i) {
        QCOMPARE(members[i]->objectName(), names[i]);
        QCOMPARE(form.findChild<QObject*>(names[i]), members[i]);
    }
    QCOMPARE(form.input_stack->widget(0), form.WStackPage);
    QCOMPARE(form.input_stack->widget(1), form.WStackPage_2);
    QCOMPARE(form.output_stack->widget(0), form.WStackPage_3);
    QCOMPARE(form.output_stack->widget(1), form.WStackPage_4);
}

void TestToolForm::threeColumnsAndInstrumentRow()
{
    ExposedForm form;
    QGridLayout* grid = form.Form2Layout;
    QCOMPARE(grid->spacing(), 6);
    QCOMPARE(grid->contentsMargins(), QMargins(11, 11, 11, 11));
    const QWidget* expected[3][3] = {{form.input_group, form.preview_group, form.output_group},
                                     {form.input_icc_button, form.monitor_icc_button, form.output_icc_button},
                                     {form.input_icc_label, form.monitor_icc_label, form.output_icc_label}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            QCOMPARE(grid->itemAtPosition(row, column)->widget(), expected[row][column]);
    int row, column, rowSpan, columnSpan;
    grid->getItemPosition(grid->indexOf(form.spectro_group), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}), QList<int>({3, 0, 1, 3}));

    // Output group: the stack beside the Lab grid, the combos below across both columns.
    QCOMPARE(form.output_groupLayout->itemAtPosition(0, 0)->widget(), form.output_stack);
    QCOMPARE(form.output_groupLayout->itemAtPosition(0, 1)->layout(), form.layout5);
    QCOMPARE(form.output_groupLayout->itemAtPosition(2, 1)->widget(), form.rendering_combo);
    QCOMPARE(form.output_groupLayout->itemAtPosition(4, 0)->widget(), form.accuracy_combo);
    QCOMPARE(form.layout5->itemAtPosition(1, 1)->widget(), form.lab_a_label);
    QCOMPARE(form.lab_a_label->parentWidget(), form.output_group);

    QVERIFY(form.size().width() >= 748);
    QVERIFY(form.size().height() >= 524);
}

void TestToolForm::rangesOfSlidersAndSpinBoxes()
{
    Tintora_UI form;
    struct Range { QSlider* slider; QSpinBox* spin; int minimum, maximum; };
    const Range ranges[] = {{form.r_slider, form.r_spin, 0, 255},
                            {form.g_slider, form.g_spin, 0, 255},
                            {form.b_slider, form.b_spin, 0, 255},
                            {form.c_slider, form.c_spin, 0, 100},
                            {form.m_slider, form.m_spin, 0, 100},
                            {form.y_slider, form.y_spin, 0, 100},
                            {form.k_slider, form.k_spin, 0, 100},
                            {form.labin_l_slider, form.labin_l_spin, 0, 100},
                            {form.labin_a_slider, form.labin_a_spin, -127, 127},
                            {form.labin_b_slider, form.labin_b_spin, -127, 127}};
    for (const Range& r : ranges) {
        QCOMPARE(r.slider->orientation(), Qt::Horizontal);
        QCOMPARE(r.slider->minimum(), r.minimum);
        QCOMPARE(r.slider->maximum(), r.maximum);
        QCOMPARE(r.spin->minimum(), r.minimum);
        QCOMPARE(r.spin->maximum(), r.maximum);
        QCOMPARE(r.spin->singleStep(), 1);
    }
    QVERIFY(!form.rendering_combo->isEditable());
    QVERIFY(!form.history_combo->isEditable());
}

void TestToolForm::slidersAndSpinBoxesFollowEachOther()
{
    Tintora_UI form;
    form.r_slider->setValue(200);
    QCOMPARE(form.r_spin->value(), 200);

    // 300 is held at 255, and the slider follows.
    form.r_spin->setValue(300);
    QCOMPARE(form.r_spin->value(), 255);
    QCOMPARE(form.r_slider->value(), 255);

    form.labin_a_spin->setValue(-127);
    QCOMPARE(form.labin_a_slider->value(), -127);
    form.labin_a_slider->setValue(-128);
    QCOMPARE(form.labin_a_slider->value(), -127);
    QCOMPARE(form.labin_a_spin->value(), -127);

    const std::pair<QSlider*, QSpinBox*> pairs[] = {
        {form.g_slider, form.g_spin}, {form.b_slider, form.b_spin}, {form.c_slider, form.c_spin},
        {form.m_slider, form.m_spin}, {form.y_slider, form.y_spin}, {form.k_slider, form.k_spin},
        {form.labin_l_slider, form.labin_l_spin}, {form.labin_b_slider, form.labin_b_spin}};
    for (const auto& [slider, spin] : pairs) {
        slider->setValue(37);
        QCOMPARE(spin->value(), 37);
        spin->setValue(43);
        QCOMPARE(slider->value(), 43);
    }
}

void TestToolForm::freshFormShowsPlaceholders()
{
    Tintora_UI form;
    QCOMPARE(form.input_stack->currentIndex(), 0);
    QCOMPARE(form.output_stack->currentIndex(), 0);
    for (QLabel* value : {form.r_label, form.g_label, form.b_label, form.c_label, form.m_label, form.y_label,
                          form.k_label, form.lab_l_label, form.lab_a_label, form.lab_b_label})
        QCOMPARE(value->text(), QStringLiteral("value"));
    QVERIFY(form.pv_label->text().isNull());
    QVERIFY(form.pv_label->autoFillBackground());
    QCOMPARE(form.pv_label->palette().color(QPalette::Window), QColor(15, 170, 28));
    QCOMPARE(form.pv_label->alignment(), Qt::AlignCenter);
    for (QLabel* label : {form.input_icc_label, form.monitor_icc_label, form.output_icc_label}) {
        QCOMPARE(label->text(), QStringLiteral("Long_long_long_long_long_name.icc"));
        QVERIFY(label->wordWrap());
    }
    QCOMPARE(form.spectro_group->title(), QStringLiteral("Spectrophotometer"));
    QVERIFY(!form.spectro_group->layout());
    QCOMPARE(form.preview_group->title(), QStringLiteral("Preview"));
    QCOMPARE(form.labin_group->title(), QStringLiteral("Lab Input"));
    QCOMPARE(form.keep_button->text(), QStringLiteral("Keep"));
    QCOMPARE(form.input_icc_button->text(), QStringLiteral("Select Input ICC ..."));
    QCOMPARE(form.instrument_tick->text(), QStringLiteral("Enable instrument"));
    QCOMPARE(form.textLabel1->textFormat(), Qt::RichText);
    QCOMPARE(form.textLabel1->text(), QStringLiteral("D50 (2&#176;)"));
    QCOMPARE(form.textLabel5_2_2_2->text(), QStringLiteral("<b>K:</b>"));
    QCOMPARE(form.textLabel7_2->text(), QStringLiteral("Interpolation Accuracy:"));
}

void TestToolForm::comboItemsComeBackOnLanguageChange()
{
    ExposedForm form;
    auto items = [](QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    };
    const QStringList intents = {"Perceptual", "Colorimetric", "Saturation", "Absolute Colorimetric"};
    const QStringList accuracies = {"Faster", "Better"};
    QCOMPARE(items(form.rendering_combo), intents);
    QCOMPARE(items(form.accuracy_combo), accuracies);

    form.rendering_combo->clear();
    form.rendering_combo->addItem("other");
    form.accuracy_combo->addItem("other");
    form.languageChange();
    QCOMPARE(items(form.rendering_combo), intents);
    QCOMPARE(items(form.accuracy_combo), accuracies);
}

void TestToolForm::whatsThisTexts()
{
    Tintora_UI form;
    for (QWidget* w : {static_cast<QWidget*>(form.textLabel5_4), static_cast<QWidget*>(form.m_slider),
                       static_cast<QWidget*>(form.m_spin)})
        QCOMPARE(w->whatsThis(), QStringLiteral("The magenta value to convert"));
    QVERIFY(form.r_spin->whatsThis().isEmpty());
    QVERIFY(form.r_label->whatsThis().isEmpty());
    QCOMPARE(form.textLabel5_2_2_3_2->whatsThis(), QStringLiteral("The converted blue value"));
    QCOMPARE(form.textLabel5_4_2_3->whatsThis(),
             QStringLiteral("The a value of the input colour as measured under a  D50 illuminant"));
    QVERIFY(form.input_icc_button->whatsThis().contains(
        "which are either RGB or CMYK.\nThe input profile determines"));
    QCOMPARE(form.rendering_combo->whatsThis(),
             QStringLiteral("Selects the rendering intent to use when converting from input to output"));
    QVERIFY(form.pv_label->whatsThis().startsWith("This is the colour preview area."));
    QVERIFY(form.accuracy_combo->whatsThis().isEmpty());
}

void TestToolForm::sizePolicies()
{
    Tintora_UI form;
    auto check = [](QWidget* w, QSizePolicy::Policy h, QSizePolicy::Policy v, int hs, int vs) {
        const QSizePolicy p = w->sizePolicy();
        QCOMPARE(p.horizontalPolicy(), h);
        QCOMPARE(p.verticalPolicy(), v);
        QCOMPARE(p.horizontalStretch(), hs);
        QCOMPARE(p.verticalStretch(), vs);
    };
    check(form.preview_group, QSizePolicy::Expanding, QSizePolicy::Preferred, 0, 1);
    check(form.input_group, QSizePolicy::Expanding, QSizePolicy::Expanding, 0, 1);
    check(form.output_group, QSizePolicy::Expanding, QSizePolicy::Preferred, 0, 1);
    check(form.pv_label, QSizePolicy::Expanding, QSizePolicy::Expanding, 0, 0);
    check(form.r_slider, QSizePolicy::Expanding, QSizePolicy::Fixed, 1, 0);
    check(form.c_spin, QSizePolicy::Minimum, QSizePolicy::Fixed, 0, 0);
    check(form.output_stack, QSizePolicy::Preferred, QSizePolicy::Minimum, 0, 0);
    check(form.lab_l_label, QSizePolicy::Preferred, QSizePolicy::Preferred, 1, 0);
    check(form.c_label, QSizePolicy::Preferred, QSizePolicy::Preferred, 1, 0);
}

void TestToolForm::tabOrderChain()
{
    Tintora_UI form;
    const QList<QWidget*> chain = {form.r_slider,        form.g_slider,        form.b_slider,       form.r_spin,
                                   form.g_spin,          form.b_spin,          form.c_slider,       form.m_slider,
                                   form.y_slider,        form.k_slider,        form.c_spin,         form.m_spin,
                                   form.y_spin,          form.k_spin,          form.instrument_tick, form.history_combo,
                                   form.keep_button,     form.rendering_combo, form.input_icc_button,
                                   form.monitor_icc_button, form.output_icc_button};
    // What Tab reaches next: widgets that take no tab focus, and the line
    // edit inside a spin box, are passed over.
    auto nextTabStop = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || from->isAncestorOf(next))
            next = next->nextInFocusChain();
        return next;
    };
    for (int i = 1; i < chain.size(); ++i)
        QCOMPARE(nextTabStop(chain[i - 1]), chain[i]);
}

QTEST_MAIN(TestToolForm)
#include "test_tool_form.moc"
