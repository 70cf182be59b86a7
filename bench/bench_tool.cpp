// Times one step of a dragged slider in the conversion tool with a CMYK
// input profile, an RGB output profile and a monitor profile: each step
// converts to the output, to Lab and to the preview. Prints the figures;
// the target is under 1 ms a step.
#include "Tintora.h"

#include "KxRegistry.h"
#include "ChooseProfiles.h"
#include "ScriptedModal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    ScriptedModal modal;
    KxRegistry registry;
    Tintora tool(registry);
    chooseProfiles(tool, modal, "/usr/share/color/icc/ghostscript/default_cmyk.icc", "/usr/share/color/icc/sRGB.icc",
                   "/usr/share/color/icc/sRGB.icc");
    if (!tool.outputTransform().handle || !tool.monitorTransform().handle) {
        std::fprintf(stderr, "profiles did not open\n");
        return 1;
    }

    // Drag each slider end to end and back, several times over.
    QSlider* const sliders[] = {tool.c_slider, tool.m_slider, tool.y_slider, tool.k_slider};
    constexpr int sweeps = 20;
    std::vector<double> microseconds;
    QElapsedTimer timer;
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        for (QSlider* slider : sliders) {
            for (int step = 0; step <= 200; ++step) {
                const int value = step <= 100 ? step : 200 - step;
                if (slider->value() == value)
                    continue;
                timer.start();
                slider->setValue(value);
                microseconds.push_back(timer.nsecsElapsed() / 1000.0);
            }
        }
    }
    if (tool.c_spin->value() != 0) {
        std::fprintf(stderr, "slider did not reach its spin box\n");
        return 1;
    }

    std::sort(microseconds.begin(), microseconds.end());
    double total = 0;
    for (double t : microseconds)
        total += t;
    const auto at = [&](double fraction) { return microseconds[std::size_t(fraction * (microseconds.size() - 1))]; };
    std::printf("slider steps: %zu (default_cmyk.icc -> sRGB.icc, monitor sRGB.icc)\n", microseconds.size());
    std::printf("per step: mean %.1f us, median %.1f us, 99th percentile %.1f us, max %.1f us\n",
                total / microseconds.size(), at(0.5), at(0.99), microseconds.back());
    std::printf("target under 1000 us a step: %s\n", at(0.99) < 1000.0 ? "met" : "NOT met");
    return 0;
}
