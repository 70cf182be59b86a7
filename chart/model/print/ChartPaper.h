#ifndef CHARTPAPER_H
#define CHARTPAPER_H

#include <string>
#include <vector>

// A sheet of paper for the printed chart, upright, in millimetres: one of
// the named sizes or a custom one.
struct ChartPaper {
    std::string name; // "A4", "A3", "Letter", "Legal", or "WxH" for a custom size
    double widthMm = 0;
    double heightMm = 0;

    // Each side of a custom sheet lies within these bounds.
    static constexpr double MINIMUM_SIDE_MM = 50;
    static constexpr double MAXIMUM_SIDE_MM = 2000;

    // A4, A3, Letter and Legal, in that order.
    static const std::vector<ChartPaper>& named();
    // A named size (any letter case) or "WxH" in millimetres, such as
    // "200x250" or "215.9x279.4". False, with the reason, otherwise.
    static bool fromText(const std::string& text, ChartPaper& paper, std::string& whyNot);
    // A custom sheet, named "WxH"; its sides are not checked here.
    static ChartPaper custom(double widthMm, double heightMm);
    // A4 where the user's paper setting (LC_PAPER, as the C library reads it
    // from the environment) is A4; Letter otherwise. A setting that cannot be
    // read counts as the C locale's, which is A4.
    static ChartPaper localeDefault();
};

#endif
